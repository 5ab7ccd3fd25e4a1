#pragma once
// The rules of a page's style sheets, one after the other in the order they come: each
// selector of a rule with the rule's declarations. Selectors are filed under the id, else
// a class, else the tag of the compound the element itself must match, so an element only
// tries those that could match it. At most CSS_MAX_SELECTORS selectors and
// CSS_MAX_DECLARATIONS declarations are kept.
#include "pageengine/style/CCssDeclaration.h"
#include "pageengine/style/CCssSelector.h"
#include <string>
#include <unordered_map>
#include <vector>

class CCssStyleSheet
{
public:
    struct Rule
    {
        CCssSelector selector;
        unsigned nSpecificity = 0;
        size_t nFirst = 0, nEnd = 0;   // its declarations
    };

    bool IsEmpty() const { return m_rules.empty(); }
    bool IsFull() const { return m_rules.size() >= CSS_MAX_SELECTORS || m_declarations.size() >= CSS_MAX_DECLARATIONS; }
    size_t DeclarationCount() const { return m_declarations.size(); }
    // A rule's block, read into declarations.
    void AddDeclarations(const char* p, const char* pEnd);
    // The selectors of a rule ("h1, p.note"), whose declarations are those from nFirst on.
    void AddSelectors(const std::string& strSelectors, size_t nFirst);

    const Rule& RuleAt(size_t nRule) const { return m_rules[nRule]; }
    const CCssDeclaration& DeclarationAt(size_t nDeclaration) const { return m_declarations[nDeclaration]; }
    void SetValue(size_t nDeclaration, std::string&& strValue);
    // The rules that match an element, appended to rules in no particular order. nAncestorKeys:
    // the KeyBits of all the elements around it. Matching adds its steps to nSteps and stops
    // once they pass nMaxSteps.
    void Match(const CHtmlDocument& document, int nElement, unsigned long long nAncestorKeys, long long& nSteps,
               long long nMaxSteps, std::vector<size_t>& rules) const;

private:
    struct Element
    {
        int nElement;
        unsigned long long nAncestorKeys;
    };
    void TryRules(const std::vector<size_t>& candidates, const CHtmlDocument& document, const Element& element,
                  long long& nSteps, long long nMaxSteps, std::vector<size_t>& rules) const;

    std::vector<Rule> m_rules;
    std::vector<CCssDeclaration> m_declarations;
    std::unordered_map<std::string, std::vector<size_t>> m_byId, m_byClass;
    std::vector<size_t> m_byTag[TAG_COUNT];
    std::vector<size_t> m_any;
};
