#include "pageengine/style/CCssCascade.h"
#include "pageengine/style/CCssParser.h"
#include <algorithm>
#include <cstring>

namespace
{
// Matching steps a declaration handed over costs: reading its value costs more than a step.
const long long kDeclarationSteps = 4;
} // namespace

CCssCascade::CCssCascade(const CHtmlDocument& document)
    : m_document(document), m_bStyleAttributes(document.m_bStyleAttributes),
      m_nMaxSteps(std::max(CSS_MAX_MATCH_STEPS, CSS_MAX_MATCH_STEPS_PER_NODE * static_cast<long long>(document.NodeCount())))
{
    for (const CHtmlStyleSheet& sheet : document.m_styleSheets) {
        // A linked sheet's pictures are named from its own folder.
        size_t nSlash = sheet.strHref.find_last_of("/\\");
        CCssParser::ReadSheet(sheet.strText, nSlash == std::string::npos ? std::string() : sheet.strHref.substr(0, nSlash + 1), m_sheet);
    }
}

const CCssProperties::Declarations& CCssCascade::For(int nElement)
{
    // A page without sheets or style attributes (most pages) has nothing to look up.
    if (IsEmpty())
        return m_declarations;
    m_declarations.clear();
    m_rules.clear();
    m_inline.clear();
    if (!m_sheet.IsEmpty() && m_nSteps <= m_nMaxSteps) {
        m_sheet.Match(m_document, nElement, AncestorKeys(nElement), m_nSteps, m_nMaxSteps, m_rules);
        std::sort(m_rules.begin(), m_rules.end(), [this](size_t a, size_t b) {
            unsigned nA = m_sheet.RuleAt(a).nSpecificity, nB = m_sheet.RuleAt(b).nSpecificity;
            return nA != nB ? nA < nB : a < b;
        });
    }
    const char* pszStyle = m_bStyleAttributes ? CCssSelector::Attribute(m_document, nElement, "style") : nullptr;
    if (pszStyle) {
        std::string strStyle = CCssParser::WithoutComments(pszStyle, pszStyle + std::strlen(pszStyle));
        CCssParser::ReadDeclarations(strStyle.data(), strStyle.data() + strStyle.size(), CSS_MAX_INLINE_DECLARATIONS, m_inline);
    }
    for (int nImportant = 0; nImportant < 2; ++nImportant) {
        for (size_t nRule : m_rules) {
            if (m_nSteps > m_nMaxSteps)
                break;
            const CCssStyleSheet::Rule& rule = m_sheet.RuleAt(nRule);
            // Many selectors may share one long block: what is handed over counts too.
            m_nSteps += kDeclarationSteps * static_cast<long long>(rule.nEnd - rule.nFirst);
            for (size_t i = rule.nFirst; i < rule.nEnd; ++i)
                if (m_sheet.DeclarationAt(i).bImportant == (nImportant == 1))
                    m_declarations.push_back(&m_sheet.DeclarationAt(i));
        }
        for (const CCssDeclaration& declaration : m_inline)
            if (declaration.bImportant == (nImportant == 1))
                m_declarations.push_back(&declaration);
    }
    return m_declarations;
}

unsigned long long CCssCascade::AncestorKeys(int nElement)
{
    unsigned long long nHtml = CCssSelector::KeyBits(m_document, CCssSelector::HTML);
    if (nElement == CCssSelector::HTML)
        return 0;
    if (nElement == CCssSelector::BODY)
        return nHtml;
    if (m_ancestorKeys.empty()) {
        m_ancestorKeys.assign(m_document.NodeCount(), 0);
        m_ancestorKeysKnown.assign(m_document.NodeCount(), false);
    }
    // Up to the nearest element whose keys are known (or the top of the tree), then down.
    m_path.clear();
    int nNode = nElement;
    for (; nNode > 0 && !m_ancestorKeysKnown[static_cast<size_t>(nNode)]; nNode = m_document.Node(nNode).nParent)
        m_path.push_back(nNode);
    for (size_t i = m_path.size(); i-- > 0;) {
        int nParent = m_document.Node(m_path[i]).nParent;
        unsigned long long nKeys = nParent > 0 ? m_ancestorKeys[static_cast<size_t>(nParent)] | CCssSelector::KeyBits(m_document, nParent)
                                               : nHtml | CCssSelector::KeyBits(m_document, CCssSelector::BODY);
        m_ancestorKeys[static_cast<size_t>(m_path[i])] = nKeys;
        m_ancestorKeysKnown[static_cast<size_t>(m_path[i])] = true;
    }
    return m_ancestorKeys[static_cast<size_t>(nElement)];
}
