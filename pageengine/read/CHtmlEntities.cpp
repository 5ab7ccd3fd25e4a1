#include "pageengine/read/CHtmlEntities.h"
#include "pageengine/dom/CHtmlAttributes.h"
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
struct NamedEntity
{
    const char* pszName;
    unsigned nCodePoint;
};

// The Latin-1 names, in the order of their characters from U+00A0 on.
const char* const kLatin1Names[] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf", "laquo",
    "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot",
    "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",
    "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute",
    "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash",
    "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde",
    "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc",
    "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};

const NamedEntity kOtherEntities[] = {
    {"quot", 34}, {"amp", 38}, {"apos", 39}, {"lt", 60}, {"gt", 62}, {"OElig", 338}, {"oelig", 339},
    {"Scaron", 352}, {"scaron", 353}, {"Yuml", 376}, {"fnof", 402}, {"circ", 710}, {"tilde", 732},
    {"ensp", 8194}, {"emsp", 8195}, {"thinsp", 8201}, {"zwnj", 8204}, {"zwj", 8205}, {"lrm", 8206},
    {"rlm", 8207}, {"ndash", 8211}, {"mdash", 8212}, {"lsquo", 8216}, {"rsquo", 8217}, {"sbquo", 8218},
    {"ldquo", 8220}, {"rdquo", 8221}, {"bdquo", 8222}, {"dagger", 8224}, {"Dagger", 8225}, {"bull", 8226},
    {"hellip", 8230}, {"permil", 8240}, {"prime", 8242}, {"Prime", 8243}, {"lsaquo", 8249},
    {"rsaquo", 8250}, {"oline", 8254}, {"euro", 8364}, {"trade", 8482}, {"larr", 8592}, {"uarr", 8593},
    {"rarr", 8594}, {"darr", 8595}, {"harr", 8596}};

const size_t kLongestName = 6;

bool ByName(const NamedEntity& a, const NamedEntity& b) { return std::strcmp(a.pszName, b.pszName) < 0; }

// How the name of nLength characters at pch sorts against the name pszName, as strcmp.
int CompareName(const char* pch, size_t nLength, const char* pszName)
{
    int nOrder = std::strncmp(pch, pszName, nLength);
    return nOrder != 0 ? nOrder : pszName[nLength] != '\0' ? -1 : 0;
}

const std::vector<NamedEntity>& SortedEntities()
{
    static const std::vector<NamedEntity> s_entities = [] {
        std::vector<NamedEntity> entities(std::begin(kOtherEntities), std::end(kOtherEntities));
        for (size_t i = 0; i < sizeof(kLatin1Names) / sizeof(kLatin1Names[0]); ++i)
            entities.push_back({kLatin1Names[i], 0xA0 + static_cast<unsigned>(i)});
        std::sort(entities.begin(), entities.end(), ByName);
        return entities;
    }();
    return s_entities;
}

bool IsAlnum(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// What pages mean by the numbers 128 to 159: the windows-1252 characters, as browsers read them.
unsigned FromWindows1252(unsigned nCode)
{
    char ch = static_cast<char>(nCode);
    wchar_t wch = 0;
    return ::MultiByteToWideChar(1252, 0, &ch, 1, &wch, 1) == 1 ? wch : 0xFFFD;
}

size_t DecodeNumeric(const char* p, const char* pEnd, std::string& strOut)
{
    const char* q = p + 2;
    bool bHex = q < pEnd && (*q == 'x' || *q == 'X');
    if (bHex)
        ++q;
    const char* pDigits = q;
    unsigned long long nValue = 0;
    for (; q < pEnd; ++q) {
        int nDigit = CHtmlAttributes::HexDigit(*q);
        if (nDigit < 0 || (!bHex && nDigit > 9))
            break;
        if (nValue <= 0x10FFFF)
            nValue = nValue * (bHex ? 16 : 10) + static_cast<unsigned>(nDigit);
    }
    if (q == pDigits)
        return 0;
    unsigned nCode = static_cast<unsigned>(nValue);
    if (nValue == 0 || nValue > 0x10FFFF || (nCode >= 0xD800 && nCode <= 0xDFFF))
        nCode = 0xFFFD;
    else if (nCode >= 0x80 && nCode <= 0x9F)
        nCode = FromWindows1252(nCode);
    CHtmlEntities::AppendCodePoint(nCode, strOut);
    if (q < pEnd && *q == ';')
        ++q;
    return static_cast<size_t>(q - p);
}
} // namespace

size_t CHtmlEntities::Decode(const char* p, const char* pEnd, bool bInAttribute, std::string& strOut)
{
    if (pEnd - p < 2)
        return 0;
    if (p[1] == '#')
        return DecodeNumeric(p, pEnd, strOut);
    size_t nRun = 0;
    while (p + 1 + nRun < pEnd && IsAlnum(p[1 + nRun]) && nRun <= kLongestName)
        ++nRun;
    // The longest known name the letters start with: "&eacutel" is "é" and "l".
    const std::vector<NamedEntity>& entities = SortedEntities();
    for (size_t nLength = std::min(nRun, kLongestName); nLength > 0; --nLength) {
        auto it = std::lower_bound(entities.begin(), entities.end(), p + 1, [nLength](const NamedEntity& entity, const char* pch) {
            return CompareName(pch, nLength, entity.pszName) > 0;
        });
        if (it == entities.end() || CompareName(p + 1, nLength, it->pszName) != 0)
            continue;
        size_t nRead = 1 + nLength;
        bool bSemicolon = p + nRead < pEnd && p[nRead] == ';';
        // In an attribute a name without ';' before more letters or '=' is text, as in
        // the address "page.html?a=1&copy=2".
        if (bInAttribute && !bSemicolon && p + nRead < pEnd && (IsAlnum(p[nRead]) || p[nRead] == '='))
            return 0;
        AppendCodePoint(it->nCodePoint, strOut);
        return nRead + (bSemicolon ? 1 : 0);
    }
    return 0;
}

void CHtmlEntities::AppendCodePoint(unsigned nCodePoint, std::string& strOut)
{
    if (nCodePoint < 0x80) {
        strOut += static_cast<char>(nCodePoint);
        return;
    }
    // The Latin-1 characters, most of a page's references, are converted once.
    static const std::vector<std::string> s_latin1 = [] {
        std::vector<std::string> latin1(0x100);
        for (unsigned nCode = 0x80; nCode < 0x100; ++nCode)
            AppendConverted(nCode, latin1[nCode]);
        return latin1;
    }();
    if (nCodePoint < 0x100)
        strOut += s_latin1[nCodePoint];
    else
        AppendConverted(nCodePoint, strOut);
}

void CHtmlEntities::AppendConverted(unsigned nCodePoint, std::string& strOut)
{
    wchar_t wsz[2];
    int nWide = 1;
    if (nCodePoint > 0xFFFF) {
        nCodePoint -= 0x10000;
        wsz[0] = static_cast<wchar_t>(0xD800 + (nCodePoint >> 10));
        wsz[1] = static_cast<wchar_t>(0xDC00 + (nCodePoint & 0x3FF));
        nWide = 2;
    } else {
        wsz[0] = static_cast<wchar_t>(nCodePoint);
    }
    char sz[8];
    BOOL bDefaultUsed = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wsz, nWide, sz, sizeof(sz), "?", &bDefaultUsed);
    if (n <= 0)
        strOut += '?';
    else
        strOut.append(sz, static_cast<size_t>(n));
}
