#include "pageengine/style/CCssSelector.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include "pageengine/style/CCssValue.h"
#include <algorithm>
#include <cstring>

namespace
{
const unsigned kMaxCount = 255;   // of each kind in a specificity

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
bool IsNameChar(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '-' || ch == '_' ||
           static_cast<unsigned char>(ch) >= 0x80;
}
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// The filter bit of a key: a tag, or a name after its kind ('#' an id, '.' a class).
unsigned long long Bit(char chKind, const char* p, size_t nLength)
{
    unsigned nHash = 2166136261u ^ static_cast<unsigned char>(chKind);
    for (size_t i = 0; i < nLength; ++i)
        nHash = (nHash ^ static_cast<unsigned char>(p[i])) * 16777619u;
    return 1ull << (nHash % 64);
}
unsigned long long TagBit(HtmlTag nTag) { return 1ull << ((static_cast<unsigned>(nTag) * 37u + 11u) % 64); }
} // namespace

bool CCssSelector::Read(const std::string& strText)
{
    m_compounds.clear();
    m_nAncestorKeys = 0;
    size_t i = 0;
    while (i < strText.size()) {
        while (i < strText.size() && IsBlank(strText[i]))
            ++i;
        size_t nStart = i;
        while (i < strText.size() && !IsBlank(strText[i]))
            ++i;
        if (i == nStart)
            break;
        Compound compound;
        if (m_compounds.size() >= CSS_MAX_COMPOUNDS || !ReadCompound(strText.substr(nStart, i - nStart), compound))
            return false;
        m_compounds.push_back(std::move(compound));
    }
    for (size_t i = 0; i + 1 < m_compounds.size(); ++i) {
        const Compound& compound = m_compounds[i];
        m_nAncestorKeys |= compound.nTag != TAG_COUNT ? TagBit(compound.nTag) : 0;
        m_nAncestorKeys |= compound.strId.empty() ? 0 : Bit('#', compound.strId.data(), compound.strId.size());
        for (const std::string& strClass : compound.classes)
            m_nAncestorKeys |= Bit('.', strClass.data(), strClass.size());
    }
    return !m_compounds.empty();
}

bool CCssSelector::ReadCompound(const std::string& strText, Compound& compound) const
{
    size_t i = 0;
    auto name = [&]() {
        size_t nStart = i;
        while (i < strText.size() && IsNameChar(strText[i]))
            ++i;
        return strText.substr(nStart, i - nStart);
    };
    if (strText[0] == '*') {
        ++i;
    } else if (IsNameChar(strText[0])) {
        std::string strTag;
        for (char ch : name())
            strTag += Lower(ch);
        compound.nTag = CHtmlTagTraits::FromName(strTag);
        // Elements the engine does not know are not told apart by their names.
        if (compound.nTag == TAG_UNKNOWN || compound.nTag == TAG_VOID_UNKNOWN)
            return false;
    }
    while (i < strText.size()) {
        char ch = strText[i++];
        std::string strName = name();
        if (strName.empty())
            return false;
        if (ch == '.') {
            compound.classes.push_back(strName);
        } else if (ch == '#' && compound.strId.empty()) {
            compound.strId = strName;
        } else if (ch == ':' && (CCssValue::Is(strName, "link") || CCssValue::Is(strName, "visited"))) {
            compound.bLink = true;
        } else {
            return false;
        }
    }
    return true;
}

unsigned CCssSelector::Specificity() const
{
    unsigned nIds = 0, nClasses = 0, nTags = 0;
    for (const Compound& compound : m_compounds) {
        nIds += compound.strId.empty() ? 0 : 1;
        nClasses += static_cast<unsigned>(compound.classes.size()) + (compound.bLink ? 1 : 0);
        nTags += compound.nTag != TAG_COUNT ? 1 : 0;
    }
    return std::min(nIds, kMaxCount) << 16 | std::min(nClasses, kMaxCount) << 8 | std::min(nTags, kMaxCount);
}

bool CCssSelector::Matches(const CHtmlDocument& document, int nElement, long long& nSteps) const
{
    ++nSteps;
    if (!CompoundMatches(document, nElement, m_compounds.back()))
        return false;
    // With descendants only, the nearest ancestor that matches each compound is as good as
    // any: one walk up the tree decides.
    for (size_t i = m_compounds.size() - 1; i-- > 0;) {
        do {
            nElement = Parent(document, nElement);
            ++nSteps;
            if (nElement == -1)
                return false;
        } while (!CompoundMatches(document, nElement, m_compounds[i]));
    }
    return true;
}

unsigned long long CCssSelector::KeyBits(const CHtmlDocument& document, int nElement)
{
    HtmlTag nTag = nElement == BODY ? TAG_BODY : nElement == HTML ? TAG_HTML : document.Node(nElement).nTag;
    unsigned long long nBits = TagBit(nTag);
    if (const char* pszId = Attribute(document, nElement, "id"))
        nBits |= Bit('#', pszId, std::strlen(pszId));
    const char* p = Attribute(document, nElement, "class");
    while (p && *p) {
        while (IsBlank(*p))
            ++p;
        const char* pStart = p;
        while (*p && !IsBlank(*p))
            ++p;
        if (p > pStart)
            nBits |= Bit('.', pStart, static_cast<size_t>(p - pStart));
    }
    return nBits;
}

int CCssSelector::Parent(const CHtmlDocument& document, int nElement)
{
    if (nElement == HTML)
        return -1;
    if (nElement == BODY)
        return HTML;
    int nParent = document.Node(nElement).nParent;
    return nParent > 0 ? nParent : BODY;
}

const char* CCssSelector::Attribute(const CHtmlDocument& document, int nElement, const char* pszName)
{
    return nElement == BODY ? document.BodyAttribute(pszName) : nElement == HTML ? nullptr : document.Attribute(nElement, pszName);
}

bool CCssSelector::HasClass(const char* pszClasses, const std::string& strClass)
{
    if (!pszClasses)
        return false;
    for (const char* p = pszClasses; *p;) {
        while (IsBlank(*p))
            ++p;
        const char* pStart = p;
        while (*p && !IsBlank(*p))
            ++p;
        if (static_cast<size_t>(p - pStart) == strClass.size() && strClass.compare(0, strClass.size(), pStart, strClass.size()) == 0)
            return true;
    }
    return false;
}

bool CCssSelector::CompoundMatches(const CHtmlDocument& document, int nElement, const Compound& compound)
{
    HtmlTag nTag = nElement == BODY ? TAG_BODY : nElement == HTML ? TAG_HTML : document.Node(nElement).nTag;
    if (compound.nTag != TAG_COUNT && compound.nTag != nTag)
        return false;
    if (!compound.strId.empty()) {
        const char* pszId = Attribute(document, nElement, "id");
        if (!pszId || compound.strId != pszId)
            return false;
    }
    if (!compound.classes.empty()) {
        const char* pszClasses = Attribute(document, nElement, "class");
        for (const std::string& strClass : compound.classes)
            if (!HasClass(pszClasses, strClass))
                return false;
    }
    return !compound.bLink || Attribute(document, nElement, "href") != nullptr;
}
