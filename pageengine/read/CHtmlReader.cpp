#include "pageengine/read/CHtmlReader.h"
#include "pageengine/read/CHtmlEntities.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
const size_t kMaxName = CHtmlReader::kMaxName;

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
bool IsAlpha(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsControl(char ch) { return static_cast<unsigned char>(ch) < 0x20 && !IsSpace(ch); }
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool StartsWithNoCase(const char* p, const char* pEnd, const char* pszPrefix)
{
    for (; *pszPrefix; ++p, ++pszPrefix)
        if (p >= pEnd || Lower(*p) != *pszPrefix)
            return false;
    return true;
}

// The first ch at or after p, or pEnd. Eight bytes at a time: every byte of a page goes
// through here, and the C library's search may take them one by one.
const char* FindChar(const char* p, const char* pEnd, char ch)
{
    const std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    const std::uint64_t nPattern = kOnes * static_cast<unsigned char>(ch);
    while (pEnd - p >= 8) {
        std::uint64_t nWord;
        std::memcpy(&nWord, p, 8);
        std::uint64_t nDiff = nWord ^ nPattern;   // a zero byte where ch is
        if ((nDiff - kOnes) & ~nDiff & kHighs)
            break;
        p += 8;
    }
    for (; p < pEnd; ++p)
        if (*p == ch)
            return p;
    return pEnd;
}

// Just past the '>' at or after p, or the end of the page.
const char* PastTagEnd(const char* p, const char* pEnd)
{
    const char* pClose = FindChar(p, pEnd, '>');
    return pClose < pEnd ? pClose + 1 : pEnd;
}

// The first end tag pszEndTag ("</script", any case) at or after p, or the end of the page.
const char* FindEndTag(const char* p, const char* pEnd, const char* pszEndTag)
{
    for (; (p = FindChar(p, pEnd, '<')) < pEnd; ++p)
        if (StartsWithNoCase(p, pEnd, pszEndTag))
            return p;
    return pEnd;
}

// A tag's or attribute's name, lower-case (its first kMaxName characters), from q up to a
// blank, '/' or '>' (and '=' after its first character for an attribute), into szName; q is
// left after it. Returns its length.
size_t ReadName(const char*& q, const char* pEnd, bool bAttribute, char (&szName)[kMaxName + 1])
{
    size_t nLength = 0;
    for (const char* pStart = q; q < pEnd && !IsSpace(*q) && *q != '/' && *q != '>' && !(bAttribute && *q == '=' && q > pStart); ++q)
        if (nLength < kMaxName)
            szName[nLength++] = Lower(*q);
    szName[nLength] = '\0';
    return nLength;
}

// The HtmlUnshown flags of a start tag (lower-case name and attribute names).
unsigned UnshownOf(HtmlTag nTag, const std::string& strName, const CHtmlTagAttributes& attributes)
{
    // Of the engine's own tags only style and script are among these names.
    bool bOther = nTag == TAG_UNKNOWN || nTag == TAG_VOID_UNKNOWN;
    unsigned nUnshown = 0;
    if (nTag == TAG_SCRIPT)
        nUnshown |= UNSHOWN_SCRIPT;
    else if (bOther && (strName == "form" || strName == "input" || strName == "select" || strName == "textarea" ||
                        strName == "button"))
        nUnshown |= UNSHOWN_FORM;
    else if (bOther && (strName == "frameset" || strName == "frame" || strName == "iframe"))
        nUnshown |= UNSHOWN_FRAME;
    for (size_t i = 0; i < attributes.Count(); ++i) {
        const char* pszName = attributes.Name(i);
        if (pszName[0] == 'o' && pszName[1] == 'n')
            nUnshown |= UNSHOWN_SCRIPT;
    }
    return nUnshown;
}

bool HasStyleAttribute(const CHtmlTagAttributes& attributes)
{
    for (size_t i = 0; i < attributes.Count(); ++i)
        if (std::strcmp(attributes.Name(i), "style") == 0)
            return true;
    return false;
}

// Appends text with its character references replaced.
void DecodeText(const char* p, const char* pEnd, bool bInAttribute, std::string& strOut)
{
    while (p < pEnd) {
        const char* pAmp = FindChar(p, pEnd, '&');
        strOut.append(p, pAmp);
        p = pAmp;
        if (p < pEnd) {
            size_t nRead = CHtmlEntities::Decode(p, pEnd, bInAttribute, strOut);
            if (nRead == 0) {
                strOut += '&';
                nRead = 1;
            }
            p += nRead;
        }
    }
}

// Whether the bytes hold at least one sequence beyond ASCII and all of them are well-formed
// UTF-8: text in windows-1252 with accents almost never is.
bool LooksLikeUtf8(const std::string& bytes)
{
    bool bNonAscii = false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* pEnd = p + bytes.size();
    while (p < pEnd) {
        unsigned char ch = *p++;
        if (ch < 0x80)
            continue;
        bNonAscii = true;
        int nMore = ch >= 0xC2 && ch <= 0xDF ? 1 : ch >= 0xE0 && ch <= 0xEF ? 2 : ch >= 0xF0 && ch <= 0xF4 ? 3 : -1;
        if (nMore < 0 || pEnd - p < nMore)
            return false;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        unsigned char nLow = ch == 0xE0 ? 0xA0 : ch == 0xF0 ? 0x90 : 0x80;
        unsigned char nHigh = ch == 0xED ? 0x9F : ch == 0xF4 ? 0x8F : 0xBF;
        if (p[0] < nLow || p[0] > nHigh)
            return false;
        for (int i = 1; i < nMore; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += nMore;
    }
    return bNonAscii;
}

// What one pass over a page's bytes finds, so that most pages need no other pass before
// they are parsed.
struct Survey
{
    bool bNonAscii = false;
    bool bControl = false;
    size_t nTags = 0;   // '<' characters
};

Survey SurveyOf(const std::string& bytes)
{
    Survey survey;
    for (char ch : bytes) {
        unsigned char nByte = static_cast<unsigned char>(ch);
        survey.nTags += ch == '<';
        survey.bNonAscii |= nByte >= 0x80;
        survey.bControl |= IsControl(ch);
    }
    return survey;
}

// Whether the page is read as UTF-8: a byte order mark or a charset in a <meta> tag of its
// first few kilobytes decides; without them, bytes that are well-formed UTF-8 are (ASCII
// alone is not).
bool IsUtf8(const std::string& bytes, bool bNonAscii)
{
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return true;
    const char* p = bytes.data();
    const char* pEnd = p + std::min<size_t>(bytes.size(), 4096);
    for (; (p = FindChar(p, pEnd, '<')) < pEnd; ++p) {
        if (!StartsWithNoCase(p, pEnd, "<meta"))
            continue;
        const char* pClose = FindChar(p, pEnd, '>');
        for (const char* q = p; q + 7 < pClose; ++q) {
            if (!StartsWithNoCase(q, pClose, "charset"))
                continue;
            q += 7;
            while (q < pClose && (IsSpace(*q) || *q == '=' || *q == '"' || *q == '\''))
                ++q;
            return StartsWithNoCase(q, pClose, "utf-8") || StartsWithNoCase(q, pClose, "utf8");
        }
    }
    return bNonAscii && LooksLikeUtf8(bytes);
}

std::string Convert(const std::string& bytes, UINT nFromCodePage)
{
    if (bytes.empty())
        return bytes;
    int nSource = static_cast<int>(bytes.size());
    int nWide = ::MultiByteToWideChar(nFromCodePage, 0, bytes.data(), nSource, nullptr, 0);
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    ::MultiByteToWideChar(nFromCodePage, 0, bytes.data(), nSource, &wide[0], nWide);
    int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, "?", nullptr);
    std::string ansi(static_cast<size_t>(nAnsi), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, &ansi[0], nAnsi, "?", nullptr);
    return ansi;
}

std::string Trimmed(const std::string& str)
{
    size_t nFirst = str.find_first_not_of(" \t\r\n\f");
    if (nFirst == std::string::npos)
        return std::string();
    return str.substr(nFirst, str.find_last_not_of(" \t\r\n\f") - nFirst + 1);
}

// Whether a style sheet's media attribute names screens: "all", "screen" or a list with either.
bool IsForScreens(const std::string& strMedia)
{
    std::string strLower;
    for (char ch : strMedia)
        strLower += Lower(ch);
    return Trimmed(strLower).empty() || strLower.find("screen") != std::string::npos || strLower.find("all") != std::string::npos;
}
} // namespace

CHtmlReader::CHtmlReader(CHtmlDocument& document) : m_document(document), m_builder(document) {}

std::string CHtmlReader::ToAnsi(const std::string& bytes, bool bUtf8)
{
    std::string text;
    if (bUtf8)
        text = Convert(bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes, CP_UTF8);
    else if (::GetACP() != 1252)
        text = Convert(bytes, 1252);
    else
        text = bytes;
    // Control characters have no glyph: they read as blanks.
    for (char& ch : text)
        if (IsControl(ch))
            ch = ' ';
    return text;
}

std::string CHtmlReader::LinkedText(const std::string& bytes)
{
    return ToAnsi(bytes, bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || LooksLikeUtf8(bytes));
}

void CHtmlReader::Read(const std::string& bytes)
{
    // Most pages are already what ToAnsi would make of them: those are read without a copy.
    Survey survey = SurveyOf(bytes);
    bool bUtf8 = IsUtf8(bytes, survey.bNonAscii);
    bool bAsIs = ::GetACP() == 1252 && !bUtf8 && !survey.bControl;
    std::string converted = bAsIs ? std::string() : ToAnsi(bytes, bUtf8);
    const std::string& text = bAsIs ? bytes : converted;
    // Each tag makes an element and a text node at most, and a cell or row implied around them.
    size_t nTags = bAsIs ? survey.nTags : static_cast<size_t>(std::count(text.begin(), text.end(), '<'));
    // Its texts take about the page's length at most, and most pages are mostly text.
    m_document.Reserve(std::min(3 * nTags + 1, HTML_MAX_NODES), text.size());
    Parse(text.data(), text.data() + text.size());
    FlushText();
}

void CHtmlReader::Parse(const char* p, const char* pEnd)
{
    while (p < pEnd) {
        const char* pTag = FindChar(p, pEnd, '<');
        if (pTag > p)
            DecodeText(p, pTag, false, m_strText);
        p = pTag;
        if (p >= pEnd)
            break;
        if (pEnd - p >= 4 && std::memcmp(p, "<!--", 4) == 0) {
            const char* q = p + 4;
            for (; q + 2 < pEnd; ++q)
                if (q[0] == '-' && q[1] == '-' && q[2] == '>')
                    break;
            p = q + 2 < pEnd ? q + 3 : pEnd;
        } else if (pEnd - p >= 2 && (p[1] == '!' || p[1] == '?' || (p[1] == '/' && (pEnd - p < 3 || !IsAlpha(p[2]))))) {
            // Doctype, processing instruction or a broken end tag: skipped to its '>'.
            p = PastTagEnd(p, pEnd);
        } else if (pEnd - p >= 3 && p[1] == '/') {
            p = ReadEndTag(p, pEnd);
        } else if (pEnd - p >= 2 && IsAlpha(p[1])) {
            p = ReadStartTag(p, pEnd);
        } else {
            m_strText += '<';
            ++p;
        }
    }
}

const char* CHtmlReader::ReadStartTag(const char* p, const char* pEnd)
{
    const char* q = p + 1;
    ReadName(q, pEnd, false, m_szName);
    m_attributes.Clear();
    for (;;) {
        while (q < pEnd && (IsSpace(*q) || *q == '/'))
            ++q;
        if (q >= pEnd)
            return pEnd;   // a tag cut by the end of the page is dropped
        if (*q == '>')
            break;
        size_t nAttribute = ReadName(q, pEnd, true, m_szAttribute);
        while (q < pEnd && IsSpace(*q))
            ++q;
        m_strValue.clear();
        if (q < pEnd && *q == '=') {
            ++q;
            while (q < pEnd && IsSpace(*q))
                ++q;
            const char* pValue = q;
            if (q < pEnd && (*q == '"' || *q == '\'')) {
                const char* pClose = FindChar(q + 1, pEnd, *q);
                pValue = q + 1;
                q = pClose;
            } else {
                while (q < pEnd && !IsSpace(*q) && *q != '>')
                    ++q;
            }
            if (q >= pEnd)
                return pEnd;
            DecodeText(pValue, pValue + std::min<size_t>(static_cast<size_t>(q - pValue), HTML_MAX_ATTRIBUTE_LENGTH), true, m_strValue);
            if (*q == '"' || *q == '\'')
                ++q;
        }
        if (m_attributes.Count() < HTML_MAX_ATTRIBUTES)
            m_attributes.Add(m_szAttribute, nAttribute, m_strValue.data(), m_strValue.size());
    }
    ++q;   // past '>'
    HtmlTag nTag = TagOf(m_szName);
    m_document.m_nUnshown |= UnshownOf(nTag, m_strName, m_attributes);
    m_document.m_bStyleAttributes = m_document.m_bStyleAttributes || HasStyleAttribute(m_attributes);
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(nTag);
    if (tag.Has(TRAIT_HIDDEN)) {
        const char* pStop = FindEndTag(q, pEnd, (std::string("</") + tag.pszName).c_str());
        if (nTag == TAG_STYLE)
            KeepStyleSheet(m_attributes, false, std::string(q, std::min<size_t>(static_cast<size_t>(pStop - q), CSS_MAX_SHEET_BYTES)));
        return PastTagEnd(pStop, pEnd);
    }
    if (m_strName == "link")
        KeepStyleSheet(m_attributes, true, std::string());
    if (nTag == TAG_TITLE)
        return ReadTitle(q, pEnd);
    FlushText();
    m_builder.StartTag(nTag, m_strName, m_attributes);
    return q;
}

const char* CHtmlReader::ReadEndTag(const char* p, const char* pEnd)
{
    const char* q = p + 2;
    ReadName(q, pEnd, false, m_szName);
    const char* pClose = FindChar(q, pEnd, '>');
    if (pClose >= pEnd)
        return pEnd;
    FlushText();
    HtmlTag nTag = TagOf(m_szName);
    m_builder.EndTag(nTag, m_strName);
    return pClose + 1;
}

const char* CHtmlReader::ReadTitle(const char* p, const char* pEnd)
{
    const char* pStop = FindEndTag(p, pEnd, "</title");
    if (!m_bTitleSeen) {
        m_bTitleSeen = true;
        std::string strTitle;
        DecodeText(p, pStop, false, strTitle);
        for (char ch : strTitle) {
            // It becomes a window's text: a short line, whatever the page holds.
            if (m_document.m_strTitle.size() >= HTML_MAX_TITLE_LENGTH)
                break;
            if (!IsSpace(ch))
                m_document.m_strTitle += ch;
            else if (!m_document.m_strTitle.empty() && m_document.m_strTitle.back() != ' ')
                m_document.m_strTitle += ' ';
        }
        if (!m_document.m_strTitle.empty() && m_document.m_strTitle.back() == ' ')
            m_document.m_strTitle.pop_back();
    }
    return PastTagEnd(pStop, pEnd);
}

HtmlTag CHtmlReader::TagOf(const char* pszName)
{
    HtmlTag nTag = CHtmlTagTraits::FromName(pszName);
    // Only the names of other elements are read again (to match their end tags, and for
    // what the view leaves out).
    if (nTag == TAG_UNKNOWN || nTag == TAG_VOID_UNKNOWN)
        m_strName = pszName;
    else
        m_strName.clear();
    return nTag;
}

void CHtmlReader::KeepStyleSheet(const CHtmlTagAttributes& attributes, bool bLink,
                                 std::string&& strText)
{
    CHtmlStyleSheet sheet;
    sheet.strText = std::move(strText);
    bool bStyleSheet = !bLink;
    for (size_t i = 0; i < attributes.Count(); ++i) {
        std::string strName = attributes.Name(i);
        if (strName == "media" && !IsForScreens(attributes.Value(i)))
            return;
        if (bLink && strName == "rel")
            bStyleSheet = _stricmp(Trimmed(attributes.Value(i)).c_str(), "stylesheet") == 0;
        else if (bLink && strName == "href")
            sheet.strHref = Trimmed(attributes.Value(i));
    }
    if (bStyleSheet && (bLink ? !sheet.strHref.empty() : !sheet.strText.empty()) && m_document.m_styleSheets.size() < CSS_MAX_SHEETS)
        m_document.m_styleSheets.push_back(std::move(sheet));
}

void CHtmlReader::FlushText()
{
    if (m_strText.empty())
        return;
    m_builder.Text(m_strText);
    m_strText.clear();
}

