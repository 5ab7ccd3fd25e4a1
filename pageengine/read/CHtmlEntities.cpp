#include "pageengine/read/CHtmlEntities.h"
#include "pageengine/dom/CHtmlAttributes.h"
#include "pageengine/read/HtmlScan.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstring>

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

// A name of at most eight characters, as one number: names are looked up by it.
std::uint64_t NameKey(const char* pch, size_t nLength)
{
    std::uint64_t nKey = 0;
    for (size_t i = 0; i < nLength; ++i)
        nKey |= static_cast<std::uint64_t>(static_cast<unsigned char>(pch[i])) << (8 * i);
    return nKey;
}

// Every reference of a page is looked up: by its name's key in a table made once, with
// room enough that most names are found at their first slot.
class CNameTable
{
public:
    CNameTable()
    {
        for (const NamedEntity& entity : kOtherEntities)
            Add(entity.pszName, entity.nCodePoint);
        for (size_t i = 0; i < sizeof(kLatin1Names) / sizeof(kLatin1Names[0]); ++i)
            Add(kLatin1Names[i], 0xA0 + static_cast<unsigned>(i));
    }
    // The code point of a name's key, or 0 for a name that is not known.
    unsigned Find(std::uint64_t nKey) const
    {
        for (size_t i = SlotOf(nKey); m_slots[i].nKey != 0; i = (i + 1) % kSlots)
            if (m_slots[i].nKey == nKey)
                return m_slots[i].nCodePoint;
        return 0;
    }

private:
    static const size_t kSlots = 512;
    struct Slot
    {
        std::uint64_t nKey;
        unsigned nCodePoint;
    };
    static size_t SlotOf(std::uint64_t nKey) { return static_cast<size_t>((nKey * 0x9E3779B97F4A7C15ull) >> 55); }
    void Add(const char* pszName, unsigned nCodePoint)
    {
        std::uint64_t nKey = NameKey(pszName, std::strlen(pszName));
        size_t i = SlotOf(nKey);
        while (m_slots[i].nKey != 0)
            i = (i + 1) % kSlots;
        m_slots[i] = {nKey, nCodePoint};
    }

    Slot m_slots[kSlots] = {};
};

// What pages mean by the numbers 128 to 159: the windows-1252 characters, as browsers read them.
unsigned FromWindows1252(unsigned nCode)
{
    char ch = static_cast<char>(nCode);
    wchar_t wch = 0;
    return ::MultiByteToWideChar(1252, 0, &ch, 1, &wch, 1) == 1 ? wch : 0xFFFD;
}

size_t DecodeNumeric(const char* p, const char* pEnd, unsigned* pnCode)
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
    *pnCode = nCode;
    if (q < pEnd && *q == ';')
        ++q;
    return static_cast<size_t>(q - p);
}
} // namespace

size_t CHtmlEntities::Decode(const char* p, const char* pEnd, bool bInAttribute, char* pOut, size_t* pnOut)
{
    if (pEnd - p < 2)
        return 0;
    if (p[1] == '#') {
        unsigned nCode = 0;
        size_t nRead = DecodeNumeric(p, pEnd, &nCode);
        if (nRead > 0)
            *pnOut = CodePointChars(nCode, pOut);
        return nRead;
    }
    // The run of letters and digits (counted up to one past the longest name), and the key
    // of its first kLongestName.
    size_t nRun = 0;
    std::uint64_t nKey = 0;
    if (pEnd - p > 8) {
        // Away from the end of the text, the eight characters after the '&' at once.
        nKey = LoadWord(p + 1);
        std::uint64_t nOthers = ~AlnumBytes(nKey) & kScanHighs;
        nRun = std::min<size_t>(nOthers != 0 ? FirstBit64(nOthers) / 8 : 8, kLongestName + 1);
    } else {
        for (; p + 1 + nRun < pEnd && HtmlCharIs(p[1 + nRun], CHAR_ALNUM) && nRun <= kLongestName; ++nRun)
            nKey |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[1 + nRun])) << (8 * nRun);
    }
    // The longest known name the letters start with: "&eacutel" is "é" and "l".
    static const CNameTable s_names;
    size_t nLongest = std::min(nRun, kLongestName);
    for (size_t nLength = nLongest; nLength > 0; --nLength) {
        // The key of the first nLength letters: those of the run, the others cleared.
        unsigned nCodePoint = s_names.Find(nKey & (~0ull >> (64 - 8 * nLength)));
        if (nCodePoint == 0)
            continue;
        size_t nRead = 1 + nLength;
        bool bSemicolon = p + nRead < pEnd && p[nRead] == ';';
        // In an attribute a name without ';' before more letters or '=' is text, as in
        // the address "page.html?a=1&copy=2".
        if (bInAttribute && !bSemicolon && p + nRead < pEnd && (HtmlCharIs(p[nRead], CHAR_ALNUM) || p[nRead] == '='))
            return 0;
        *pnOut = CodePointChars(nCodePoint, pOut);
        return nRead + (bSemicolon ? 1 : 0);
    }
    return 0;
}

size_t CHtmlEntities::CodePointChars(unsigned nCodePoint, char* pOut)
{
    if (nCodePoint < 0x80) {
        pOut[0] = static_cast<char>(nCodePoint);
        return 1;
    }
    // The Latin-1 characters, most of a page's references, are converted once.
    struct Latin1
    {
        char ach[0x100][kMaxChars];
        unsigned char anLength[0x100];
    };
    static const Latin1 s_latin1 = [] {
        Latin1 latin1 = {};
        for (unsigned nCode = 0x80; nCode < 0x100; ++nCode)
            latin1.anLength[nCode] = static_cast<unsigned char>(ConvertedChars(nCode, latin1.ach[nCode]));
        return latin1;
    }();
    if (nCodePoint >= 0x100)
        return ConvertedChars(nCodePoint, pOut);
    std::memcpy(pOut, s_latin1.ach[nCodePoint], kMaxChars);
    return s_latin1.anLength[nCodePoint];
}

size_t CHtmlEntities::ConvertedChars(unsigned nCodePoint, char* pOut)
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
    BOOL bDefaultUsed = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wsz, nWide, pOut, static_cast<int>(kMaxChars), "?", &bDefaultUsed);
    if (n > 0)
        return static_cast<size_t>(n);
    pOut[0] = '?';
    return 1;
}
