#include "pageengine/dom/CHtmlTreeBuilder.h"
#include <cstring>

namespace
{
// A start tag closes no paragraph outside the cell it is in.
const unsigned kCellScope = TRAIT_CELL | TRAIT_TABLE;
} // namespace

CHtmlTreeBuilder::CHtmlTreeBuilder(CHtmlDocument& document) : m_document(document)
{
    m_stack.emplace_back();
}

void CHtmlTreeBuilder::StartTag(HtmlTag nTag, const char* pszName, const CHtmlTagAttributes& attributes)
{
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(nTag);
    if (nTag == TAG_BODY) {
        if (!m_bBodySeen)
            m_document.SetBodyAttributes(attributes);
        m_bBodySeen = true;
    }
    if (tag.Has(TRAIT_OUTSIDE_TREE))
        return;

    if (InTableStructure() && !tag.Has(TRAIT_ROW | TRAIT_CELL)) {
        // Between rows and cells only rows and cells belong; inline wrappers are dropped
        // and anything with contents gets a cell of its own, so that it shows.
        if (tag.nKind == KIND_INLINE)
            return;
        OpenImpliedCell();
    }

    if (tag.Has(TRAIT_CLOSES_PARAGRAPH))
        CloseOpen(TRAIT_PARAGRAPH, kCellScope);
    // A heading never opens inside the heading just before it.
    if (tag.Has(TRAIT_HEADING) && CurrentHas(TRAIT_HEADING))
        PopThrough(m_stack.size() - 1);
    if (tag.nStartCloses)
        CloseOpen(tag.nStartCloses, tag.nStartStops);

    if (tag.Has(TRAIT_ROW)) {
        int nTable = FindOpen(nTag, pszName, TRAIT_TABLE, 0);
        if (nTable < 0)
            return;   // a row outside any table is no row
        KeepOpen(static_cast<size_t>(nTable) + 1);
    } else if (tag.Has(TRAIT_CELL)) {
        int nOpen = FindOpen(nTag, pszName, TRAIT_CELL | TRAIT_ROW | TRAIT_TABLE, 0);
        if (nOpen < 0)
            return;
        if (m_stack[static_cast<size_t>(nOpen)].nTraits & TRAIT_CELL)
            PopThrough(static_cast<size_t>(nOpen));
        else
            KeepOpen(static_cast<size_t>(nOpen) + 1);
        if (CurrentHas(TRAIT_TABLE))
            Push(TAG_TR, "", m_noAttributes);
    }

    if (tag.Has(TRAIT_VOID)) {
        if (CanAddNode())
            m_document.AppendElement(m_stack.back().nNode, nTag, attributes);
        return;
    }
    Push(nTag, nTag == TAG_UNKNOWN ? pszName : "", attributes);
}

void CHtmlTreeBuilder::EndTag(HtmlTag nTag, const char* pszName)
{
    if (nTag == TAG_BR) {
        // Browsers read </br> as <br>.
        StartTag(TAG_BR, pszName, m_noAttributes);
        return;
    }
    // Most end tags close the element opened last, which the search below would find
    // first: only what the builder knows by its tag is closed so, at once.
    if (nTag != TAG_UNKNOWN && m_stack.size() > 1 && m_stack.back().nTag == nTag) {
        KeepOpen(m_stack.size() - 1);
        return;
    }
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(nTag);
    if (tag.Has(TRAIT_OUTSIDE_TREE | TRAIT_VOID))
        return;
    int nOpen = FindOpen(nTag, pszName, tag.nEndMatches, tag.nEndStops);
    if (nOpen > 0)
        PopThrough(static_cast<size_t>(nOpen));
}

void CHtmlTreeBuilder::Text(size_t nLength)
{
    if (InTableStructure()) {
        std::string_view text = m_document.RoomText(nLength);
        if (text.find_first_not_of(" \t\r\n\f") == std::string_view::npos)
            return;
        OpenImpliedCell();
    }
    int nParent = m_stack.back().nNode;
    const CHtmlNode& parent = m_document.Node(nParent);
    bool bMerges = parent.nLastChild >= 0 && m_document.Node(parent.nLastChild).nTag == TAG_TEXT;
    if (bMerges || CanAddNode()) {
        m_document.AppendOrMergeRoomText(nParent, nLength);
        m_nLastText = m_document.Node(nParent).nLastChild;
    } else if (m_nLastText >= 0) {
        m_document.AppendOrMergeRoomText(m_document.Node(m_nLastText).nParent, nLength);
    }
}

void CHtmlTreeBuilder::Push(HtmlTag nTag, const char* pszName, const CHtmlTagAttributes& attributes)
{
    // Too deep or too many: the tag is left out and its contents join the open element.
    // A table is only opened with room for its row and cell below it, a row with room for
    // its cell, so that what comes inside them has a cell to go to.
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(nTag);
    size_t nLevels = tag.Has(TRAIT_TABLE) ? 3 : tag.Has(TRAIT_ROW) ? 2 : 1;
    if (m_stack.size() + nLevels > static_cast<size_t>(HTML_MAX_DEPTH) + 1 || !CanAddNode())
        return;
    int nNode = m_document.AppendElement(m_stack.back().nNode, nTag, attributes);
    m_stack.push_back(OpenElement{nNode, nTag, tag.nTraits, m_strNames.size()});
    if (*pszName)
        m_strNames.append(pszName).push_back('\0');
}

void CHtmlTreeBuilder::PopThrough(size_t nIndex)
{
    if (nIndex > 0)
        KeepOpen(nIndex);
}

void CHtmlTreeBuilder::KeepOpen(size_t nSize)
{
    if (nSize >= m_stack.size())
        return;
    // Only unknown elements have names there: most closes leave them as they are.
    if (m_strNames.size() != m_stack[nSize].nName)
        m_strNames.resize(m_stack[nSize].nName);
    m_stack.resize(nSize);
}

int CHtmlTreeBuilder::FindOpen(HtmlTag nTag, const char* pszName, unsigned nMatches, unsigned nStops) const
{
    for (size_t i = m_stack.size() - 1; i > 0; --i) {
        const OpenElement& open = m_stack[i];
        bool bMatches = nMatches ? (open.nTraits & nMatches) != 0
                                 : open.nTag == nTag && (nTag != TAG_UNKNOWN || std::strcmp(m_strNames.c_str() + open.nName, pszName) == 0);
        if (bMatches)
            return static_cast<int>(i);
        if (open.nTraits & nStops)
            return -1;
    }
    return -1;
}

void CHtmlTreeBuilder::CloseOpen(unsigned nMatches, unsigned nStops)
{
    int nOpen = FindOpen(TAG_ROOT, "", nMatches, nStops);
    if (nOpen >= 0)
        PopThrough(static_cast<size_t>(nOpen));
}

void CHtmlTreeBuilder::OpenImpliedCell()
{
    if (CurrentHas(TRAIT_TABLE))
        Push(TAG_TR, "", m_noAttributes);
    if (CurrentHas(TRAIT_ROW))
        Push(TAG_TD, "", m_noAttributes);
}
