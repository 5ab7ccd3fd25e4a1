#pragma once
// The cascade of a page: its style sheets read once, then for each element the declarations
// that apply to it in the order they apply, the last one of a property winning: the
// sheets' by specificity then order, the style attribute's, then the sheets' !important
// ones, then the style attribute's. Matching takes at most CSS_MAX_MATCH_STEPS steps for the
// whole page (CSS_MAX_MATCH_STEPS_PER_NODE for each node of a larger one); past them only
// style attributes apply.
#include "pageengine/style/CCssProperties.h"
#include "pageengine/style/CCssStyleSheet.h"
#include <set>
#include <string>
#include <vector>

class CCssCascade
{
public:
    explicit CCssCascade(const CHtmlDocument& document);
    CCssCascade(const CCssCascade&) = delete;
    CCssCascade& operator=(const CCssCascade&) = delete;

    // The declarations for an element (or CCssSelector::BODY, HTML), valid until the next call.
    const CCssProperties::Declarations& For(int nElement);
    // Whether the page has no style sheet or style attribute: For has nothing for any element.
    bool IsEmpty() const { return m_sheet.IsEmpty() && !m_bStyleAttributes; }
    // What the style's texts point to.
    std::set<std::string>& Kept() { return m_kept; }

private:
    // The KeyBits of all the elements around an element, worked out once for each.
    unsigned long long AncestorKeys(int nElement);

    const CHtmlDocument& m_document;
    CCssStyleSheet m_sheet;
    bool m_bStyleAttributes;
    long long m_nSteps = 0;
    const long long m_nMaxSteps;
    std::vector<size_t> m_rules;
    std::vector<unsigned long long> m_ancestorKeys;   // by node, once known
    std::vector<bool> m_ancestorKeysKnown;
    std::vector<int> m_path;
    std::vector<CCssDeclaration> m_inline;
    CCssProperties::Declarations m_declarations;
    std::set<std::string> m_kept;
};
