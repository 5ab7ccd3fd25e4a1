#include "pageengine/style/CCssStyleSheet.h"
#include "pageengine/style/CCssParser.h"
#include "pageengine/style/CCssValue.h"
#include <algorithm>

namespace
{
// Classes of one element looked up; a longer list is cut there.
const size_t kMaxClasses = 32;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
} // namespace

void CCssStyleSheet::AddDeclarations(const char* p, const char* pEnd)
{
    CCssParser::ReadDeclarations(p, pEnd, CSS_MAX_DECLARATIONS, m_declarations);
}

void CCssStyleSheet::SetValue(size_t nDeclaration, std::string&& strValue)
{
    CCssDeclaration& declaration = m_declarations[nDeclaration];
    declaration.strValue = std::move(strValue);
    declaration.parts = CCssValue::Parts(declaration.strValue);
}

void CCssStyleSheet::AddSelectors(const std::string& strSelectors, size_t nFirst)
{
    if (nFirst >= m_declarations.size())
        return;
    for (size_t nStart = 0; nStart <= strSelectors.size() && !IsFull();) {
        size_t nComma = std::min(strSelectors.find(',', nStart), strSelectors.size());
        Rule rule;
        if (rule.selector.Read(strSelectors.substr(nStart, nComma - nStart))) {
            rule.nSpecificity = rule.selector.Specificity();
            rule.nFirst = nFirst;
            rule.nEnd = m_declarations.size();
            const CCssSelector::Compound& subject = rule.selector.Subject();
            size_t nRule = m_rules.size();
            if (!subject.strId.empty())
                m_byId[subject.strId].push_back(nRule);
            else if (!subject.classes.empty())
                m_byClass[subject.classes[0]].push_back(nRule);
            else if (subject.nTag != TAG_COUNT)
                m_byTag[subject.nTag].push_back(nRule);
            else
                m_any.push_back(nRule);
            m_rules.push_back(std::move(rule));
        }
        nStart = nComma + 1;
    }
}

void CCssStyleSheet::Match(const CHtmlDocument& document, int nElement, unsigned long long nAncestorKeys, long long& nSteps,
                           long long nMaxSteps, std::vector<size_t>& rules) const
{
    const Element element = {nElement, nAncestorKeys};
    HtmlTag nTag = nElement == CCssSelector::BODY ? TAG_BODY
                 : nElement == CCssSelector::HTML ? TAG_HTML
                                                  : document.Node(nElement).nTag;
    TryRules(m_byTag[nTag], document, element, nSteps, nMaxSteps, rules);
    TryRules(m_any, document, element, nSteps, nMaxSteps, rules);
    if (!m_byId.empty()) {
        const char* pszId = CCssSelector::Attribute(document, nElement, "id");
        auto found = pszId ? m_byId.find(pszId) : m_byId.end();
        if (found != m_byId.end())
            TryRules(found->second, document, element, nSteps, nMaxSteps, rules);
    }
    const char* pszClasses = m_byClass.empty() ? nullptr : CCssSelector::Attribute(document, nElement, "class");
    if (!pszClasses)
        return;
    // Each class once, whatever the attribute repeats.
    std::vector<std::string> seen;
    for (const char* p = pszClasses; *p && seen.size() < kMaxClasses;) {
        while (IsBlank(*p))
            ++p;
        const char* pStart = p;
        while (*p && !IsBlank(*p))
            ++p;
        std::string strClass(pStart, p);
        if (strClass.empty() || std::find(seen.begin(), seen.end(), strClass) != seen.end())
            continue;
        seen.push_back(strClass);
        auto found = m_byClass.find(strClass);
        if (found != m_byClass.end())
            TryRules(found->second, document, element, nSteps, nMaxSteps, rules);
    }
}

void CCssStyleSheet::TryRules(const std::vector<size_t>& candidates, const CHtmlDocument& document, const Element& element,
                              long long& nSteps, long long nMaxSteps, std::vector<size_t>& rules) const
{
    for (size_t nRule : candidates) {
        if (nSteps > nMaxSteps)
            return;
        const CCssSelector& selector = m_rules[nRule].selector;
        if ((selector.AncestorKeys() & ~element.nAncestorKeys) != 0)
            ++nSteps;
        else if (selector.Matches(document, element.nElement, nSteps))
            rules.push_back(nRule);
    }
}
