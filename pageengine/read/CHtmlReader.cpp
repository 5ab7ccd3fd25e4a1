#include "pageengine/read/CHtmlReader.h"
#include "pageengine/read/CHtmlCharset.h"
#include "pageengine/read/CHtmlEntities.h"
#include "pageengine/read/HtmlScan.h"
#include <windows.h>
#include <algorithm>
#include <cstring>

namespace
{
const size_t kMaxName = CHtmlReader::kMaxName;
const size_t kRoomSlack = CHtmlReader::kRoomPast;
static_assert(kRoomSlack >= 16 && kRoomSlack >= CHtmlEntities::kMaxChars, "room for a block or a reference");
static_assert(kMaxName + 1 > CHtmlTagTraits::kKeyChars && CHtmlTagTraits::kKeyChars == 16, "a name's key is a block, in its buffer");
// Nodes room is made for: one for every this many characters of the page.
const size_t kCharsPerNode = 4;
// A page's own buffer becomes the room for its texts from this length: far past the
// characters a string keeps within itself, so that moving it keeps them in place.
const size_t kAdoptedPageMin = 64;
// Room for text grows by at most this much at a time.
const size_t kRoomStep = 64 * 1024;

// A tag's name, lower-case (its first kMaxName characters), from q up to a blank, '/' or
// '>', into szName, and its key; q is left after it. Returns its length.
size_t ReadTagName(const char*& q, const char* pEnd, char (&szName)[kMaxName + 1], CHtmlTagTraits::NameKey* pKey)
{
    const char* pStart = q;
    if (pEnd - q >= 16) {
        // Most names end within their first block: made small and cleared past their end
        // there, it is their key, and with the NULs past it their copy.
        __m128i block = LoadBlock(q);
        unsigned nMask = NameEndsIn(block);
        if (nMask != 0) {
            size_t nLength = FirstBit(nMask);
            q += nLength;
            __m128i name = BlockPrefix(LowerBlock(block), nLength);
            StoreBlock(szName, name);
            pKey->nHead = static_cast<std::uint64_t>(_mm_cvtsi128_si64(name));
            pKey->nTail = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(name, name)));
            return nLength;
        }
    }
    q = FindHtmlNameEnd(q, pEnd, false);
    size_t nLength = std::min(static_cast<size_t>(q - pStart), kMaxName);
    for (size_t i = 0; i < nLength; ++i) {
        szName[i] = HtmlLower(pStart[i]);
        pKey->Add(i, szName[i]);
    }
    szName[nLength] = '\0';
    return nLength;
}

// An attribute's name, as a tag's, also ended by '=' after its first character.
size_t ReadAttributeName(const char*& q, const char* pEnd, char (&szName)[kMaxName + 1])
{
    const char* pStart = q;
    q = FindHtmlNameEnd(q, pEnd, true);
    size_t nLength = std::min(static_cast<size_t>(q - pStart), kMaxName);
    if (nLength <= 16 && pEnd - pStart >= 16)
        StoreBlock(szName, LowerBlock(LoadBlock(pStart)));   // most names, at once; the NUL ends them
    else
        for (size_t i = 0; i < nLength; ++i)
            szName[i] = HtmlLower(pStart[i]);
    szName[nLength] = '\0';
    return nLength;
}

// Makes buf (whose size is the room it has) hold at least nSize characters; it grows by
// steps of at most kRoomStep, so that little room is made past what is used.
char* Room(std::string& buf, size_t nSize)
{
    if (buf.size() < nSize)
        buf.resize(std::max(nSize, buf.size() + std::min(std::max(buf.size(), kRoomSlack), kRoomStep)));
    return &buf[0];
}

// Decodes text, its character references replaced, into buf from nAt (the text being read
// is there, in room past what buf holds), up to pEnd or, with bToTag, the first '<'.
// Returns where it ends in buf; *ppStop is where it stopped reading. With bOverRead, buf is
// the page being read, and nAt not past p: it stops before a reference whose characters
// would go past those read.
size_t DecodeInto(const char* p, const char* pEnd, bool bInAttribute, bool bToTag, std::string& buf, size_t nAt,
                  bool bOverRead, const char** ppStop)
{
    char* pBase = Room(buf, nAt + kRoomSlack);
    char* pOut = pBase + nAt;
    char* pRoomEnd = pBase + buf.size();
    // Room past pOut for a word or a reference, made as the text grows.
    auto room = [&] {
        if (pRoomEnd - pOut >= static_cast<std::ptrdiff_t>(kRoomSlack))
            return;
        size_t nOut = static_cast<size_t>(pOut - pBase);
        pBase = Room(buf, nOut + kRoomSlack);
        pOut = pBase + nOut;
        pRoomEnd = pBase + buf.size();
    };
    // A '<' ends the text only with bToTag: a mask, not a character spread over a block.
    const unsigned nTagMask = bToTag ? 0xFFFFu : 0u;
    for (;;) {
        // Text without references is copied sixteen characters at a time, and the run
        // before the one found too when the block's other bytes overwrite nothing unread.
        while (pEnd - p >= 16) {
            room();
            __m128i block = LoadBlock(p);
            unsigned nMask = BlockMask(BlockIs(block, '&')) | (BlockMask(BlockIs(block, '<')) & nTagMask);
            size_t nRun = nMask == 0 ? 16 : FirstBit(nMask);
            // Over the page itself, text not yet moved by a reference stays where it is.
            if (pOut != p && (nMask == 0 || !bOverRead || p + nRun - pOut >= 16))
                StoreBlock(pOut, block);
            else if (pOut != p)
                std::memmove(pOut, p, nRun);
            p += nRun;
            pOut += nRun;
            if (nMask != 0)
                break;
        }
        room();   // for the few characters up to the end, fewer than sixteen
        while (p < pEnd && *p != '&' && !(bToTag && *p == '<'))
            *pOut++ = *p++;
        if (p >= pEnd || *p == '<')
            break;
        room();
        // Close behind the reading, a reference is made aside: its room could cover unread bytes.
        char achAside[CHtmlEntities::kMaxChars];
        bool bAside = bOverRead && p - pOut < static_cast<std::ptrdiff_t>(CHtmlEntities::kMaxChars);
        char* pChars = bAside ? achAside : pOut;
        size_t nChars = 0;
        size_t nRead = CHtmlEntities::Decode(p, pEnd, bInAttribute, pChars, &nChars);
        if (nRead == 0) {
            pChars[0] = '&';
            nChars = nRead = 1;
        }
        if (bAside) {
            if (pOut + nChars > p + nRead)
                break;
            std::memcpy(pOut, achAside, nChars);
        }
        pOut += nChars;
        p += nRead;
    }
    *ppStop = p;
    return static_cast<size_t>(pOut - pBase);
}

// The HtmlUnshown flags of a start tag (lower-case name and attribute names).
unsigned UnshownOf(HtmlTag nTag, const char* pszName, bool bEventAttribute)
{
    // Of the engine's own tags only style and script are among these names.
    bool bOther = nTag == TAG_UNKNOWN || nTag == TAG_VOID_UNKNOWN;
    auto is = [pszName](const char* pszOther) { return std::strcmp(pszName, pszOther) == 0; };
    unsigned nUnshown = 0;
    if (nTag == TAG_SCRIPT)
        nUnshown |= UNSHOWN_SCRIPT;
    else if (bOther && (is("form") || is("input") || is("select") || is("textarea") || is("button")))
        nUnshown |= UNSHOWN_FORM;
    else if (bOther && (is("frameset") || is("frame") || is("iframe")))
        nUnshown |= UNSHOWN_FRAME;
    if (bEventAttribute)
        nUnshown |= UNSHOWN_SCRIPT;
    return nUnshown;
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
        strLower += HtmlLower(ch);
    return Trimmed(strLower).empty() || strLower.find("screen") != std::string::npos || strLower.find("all") != std::string::npos;
}
} // namespace

CHtmlReader::CHtmlReader(CHtmlDocument& document) : m_document(document), m_builder(document) {}

std::string CHtmlReader::LinkedText(const std::string& bytes)
{
    return CHtmlCharset::ToAnsi(bytes, bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || CHtmlCharset::LooksLikeUtf8(bytes));
}

void CHtmlReader::Read(const std::string& bytes) { ReadPage(bytes, nullptr); }

void CHtmlReader::Read(std::string&& bytes) { ReadPage(bytes, &bytes); }

void CHtmlReader::ReadPage(const std::string& bytes, std::string* pOwned)
{
    // Most pages are already what ToAnsi would make of them: those are read without a copy.
    CHtmlCharset::Survey survey = CHtmlCharset::SurveyOf(bytes);
    bool bUtf8 = CHtmlCharset::IsUtf8(bytes, survey.bNonAscii);
    bool bAsIs = ::GetACP() == 1252 && !bUtf8 && !survey.bControl;
    std::string converted = bAsIs ? std::string() : CHtmlCharset::ToAnsi(bytes, bUtf8);
    std::string* pText = bAsIs ? pOwned : &converted;
    const std::string& text = bAsIs ? bytes : converted;
    size_t nLength = text.size();
    const char* pchText = text.data();
    if (pText && nLength >= kAdoptedPageMin) {
        // A page of its own: its texts are decoded over it, as it is read, rather than into
        // fresh memory. Never growing, that room must hold a word or a reference past it.
        pText->resize(nLength + kRoomSlack);
        m_document.AdoptTextRoom(std::move(*pText));
        pchText = m_document.TextRoom().data();
        m_pPage = pchText;
    }
    // Room made at once rather than as the tree grows, and only used as it does: a node for
    // every few characters, more than pages make; texts about the page's length at most.
    m_document.Reserve(std::min(nLength / kCharsPerNode + 1, HTML_MAX_NODES), nLength);
    Parse(pchText, pchText + nLength);
    FlushText(pchText + nLength);
    m_document.EndTexts();
}

void CHtmlReader::Parse(const char* p, const char* pEnd)
{
    while (p < pEnd) {
        if (*p != '<')
            p = ReadText(p, pEnd, true);
        if (p >= pEnd)
            break;
        // Tags first: nearly every '<' starts one.
        if (pEnd - p >= 2 && IsHtmlAlpha(p[1])) {
            p = ReadStartTag(p, pEnd);
        } else if (pEnd - p >= 3 && p[1] == '/' && IsHtmlAlpha(p[2])) {
            p = ReadEndTag(p, pEnd);
        } else if (pEnd - p >= 4 && std::memcmp(p, "<!--", 4) == 0) {
            const char* q = p + 4;
            for (; q + 2 < pEnd; ++q)
                if (q[0] == '-' && q[1] == '-' && q[2] == '>')
                    break;
            p = q + 2 < pEnd ? q + 3 : pEnd;
        } else if (pEnd - p >= 2 && (p[1] == '!' || p[1] == '?' || p[1] == '/')) {
            // Doctype, processing instruction or a broken end tag: skipped to its '>'.
            p = PastTagEnd(p, pEnd);
        } else {
            p = ReadText(p, p + 1, false);
        }
    }
}

const char* CHtmlReader::ReadStartTag(const char* p, const char* pEnd)
{
    const char* q = p + 1;
    CHtmlTagTraits::NameKey key;
    size_t nName = ReadTagName(q, pEnd, m_szName, &key);
    m_attributes.Clear();
    bool bEventAttribute = false, bStyleAttribute = false;
    for (;;) {
        while (q < pEnd && HtmlCharIs(*q, CHAR_TAG_GAP))
            ++q;
        if (q >= pEnd)
            return pEnd;   // a tag cut by the end of the page is dropped
        if (*q == '>')
            break;
        size_t nAttribute = ReadAttributeName(q, pEnd, m_szAttribute);
        while (q < pEnd && HtmlCharIs(*q, CHAR_SPACE))
            ++q;
        const char* pchValue = "";
        size_t nValue = 0;
        if (q < pEnd && *q == '=') {
            ++q;
            while (q < pEnd && HtmlCharIs(*q, CHAR_SPACE))
                ++q;
            const char* pValue = q;
            if (q < pEnd && (*q == '"' || *q == '\'')) {
                const char* pClose = FindHtmlChar(q + 1, pEnd, *q);
                pValue = q + 1;
                q = pClose;
            } else {
                while (q < pEnd && !HtmlCharIs(*q, CHAR_VALUE_END))
                    ++q;
            }
            if (q >= pEnd)
                return pEnd;
            const char* pValueEnd = pValue + std::min<size_t>(static_cast<size_t>(q - pValue), HTML_MAX_ATTRIBUTE_LENGTH);
            pchValue = pValue;
            nValue = static_cast<size_t>(pValueEnd - pValue);
            // Most values hold no reference: those are taken as they are.
            if (FindHtmlChar(pValue, pValueEnd, '&') < pValueEnd) {
                const char* pRead = nullptr;
                nValue = DecodeInto(pValue, pValueEnd, true, false, m_strValue, 0, false, &pRead);
                pchValue = m_strValue.data();
            }
            if (*q == '"' || *q == '\'')
                ++q;
        }
        if (m_attributes.Count() < HTML_MAX_ATTRIBUTES) {
            m_attributes.Add(m_szAttribute, nAttribute, pchValue, nValue);
            bEventAttribute = bEventAttribute || (m_szAttribute[0] == 'o' && m_szAttribute[1] == 'n');
            bStyleAttribute = bStyleAttribute || (nAttribute == 5 && std::memcmp(m_szAttribute, "style", 5) == 0);
        }
    }
    ++q;   // past '>'
    HtmlTag nTag = TagOf(key, nName);
    m_document.m_nUnshown |= UnshownOf(nTag, m_pszName, bEventAttribute);
    m_document.m_bStyleAttributes = m_document.m_bStyleAttributes || bStyleAttribute;
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(nTag);
    if (tag.Has(TRAIT_HIDDEN)) {
        const char* pStop = FindEndTag(q, pEnd, (std::string("</") + tag.pszName).c_str());
        if (nTag == TAG_STYLE)
            KeepStyleSheet(m_attributes, false, std::string(q, std::min<size_t>(static_cast<size_t>(pStop - q), CSS_MAX_SHEET_BYTES)));
        return PastTagEnd(pStop, pEnd);
    }
    if (nTag == TAG_VOID_UNKNOWN && std::strcmp(m_pszName, "link") == 0)
        KeepStyleSheet(m_attributes, true, std::string());
    if (nTag == TAG_TITLE)
        return ReadTitle(q, pEnd);
    FlushText(q);
    m_builder.StartTag(nTag, m_pszName, m_attributes);
    return q;
}

const char* CHtmlReader::ReadEndTag(const char* p, const char* pEnd)
{
    const char* q = p + 2;
    CHtmlTagTraits::NameKey key;
    size_t nName = ReadTagName(q, pEnd, m_szName, &key);
    // Most end tags close right after their name.
    const char* pClose = q < pEnd && *q == '>' ? q : FindHtmlChar(q, pEnd, '>');
    if (pClose >= pEnd)
        return pEnd;
    FlushText(pClose + 1);
    HtmlTag nTag = TagOf(key, nName);
    m_builder.EndTag(nTag, m_pszName);
    return pClose + 1;
}

const char* CHtmlReader::ReadTitle(const char* p, const char* pEnd)
{
    const char* pStop = FindEndTag(p, pEnd, "</title");
    if (!m_bTitleSeen) {
        m_bTitleSeen = true;
        std::string strTitle;
        const char* pRead = nullptr;
        strTitle.resize(DecodeInto(p, pStop, false, false, strTitle, 0, false, &pRead));
        for (char ch : strTitle) {
            // It becomes a window's text: a short line, whatever the page holds.
            if (m_document.m_strTitle.size() >= HTML_MAX_TITLE_LENGTH)
                break;
            if (!IsHtmlSpace(ch))
                m_document.m_strTitle += ch;
            else if (!m_document.m_strTitle.empty() && m_document.m_strTitle.back() != ' ')
                m_document.m_strTitle += ' ';
        }
        if (!m_document.m_strTitle.empty() && m_document.m_strTitle.back() == ' ')
            m_document.m_strTitle.pop_back();
    }
    return PastTagEnd(pStop, pEnd);
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

const char* CHtmlReader::ReadText(const char* p, const char* pEnd, bool bToTag)
{
    size_t nStart = m_document.TextBytes();
    for (;;) {
        bool bShared = m_document.SharesTextRoom();
        m_nText = DecodeInto(p, pEnd, false, bToTag, m_document.TextRoom(), nStart + m_nText, bShared, &p) - nStart;
        // Stopped before a reference that would overtake the reading: the texts go on in
        // a room of their own.
        if (!bShared || p >= pEnd || *p != '&')
            return p;
        m_document.SeparateTextRoom(nStart + m_nText);
    }
}

void CHtmlReader::FlushText(const char* pUnread)
{
    if (m_nText == 0)
        return;
    if (m_pPage)
        m_document.SetUnread(static_cast<size_t>(pUnread - m_pPage));
    m_builder.Text(m_nText);
    m_nText = 0;
}

