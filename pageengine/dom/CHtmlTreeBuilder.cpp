#include "pageengine/dom/CHtmlTreeBuilder.h"

namespace
{
const HtmlTag kCellBoundary[] = {TAG_TD, TAG_TH, TAG_TABLE};
const HtmlTag kCells[] = {TAG_TD, TAG_TH};
const HtmlTag kRowBoundary[] = {TAG_TR, TAG_TABLE};
const HtmlTag kHeadings[] = {TAG_H1, TAG_H2, TAG_H3, TAG_H4, TAG_H5, TAG_H6};

template <size_t N> size_t CountOf(const HtmlTag (&)[N]) { return N; }
} // namespace

CHtmlTreeBuilder::CHtmlTreeBuilder(CHtmlDocument& document) : m_document(document)
{
    m_stack.push_back({0, TAG_ROOT, std::string()});
}

void CHtmlTreeBuilder::StartTag(HtmlTag nTag, const std::string& strName,
                             std::vector<std::pair<std::string, std::string>>& attributes)
{
    switch (nTag) {
    case TAG_BODY:
        if (!m_bBodySeen)
            m_document.m_bodyAttributes = std::move(attributes);
        m_bBodySeen = true;
        return;
    case TAG_HTML: case TAG_HEAD: case TAG_META: case TAG_THEAD: case TAG_TBODY: case TAG_TFOOT:
    case TAG_VOID_UNKNOWN:
        return;
    default:
        break;
    }

    bool bInTableStructure = Current() == TAG_TABLE || Current() == TAG_TR;
    if (bInTableStructure && nTag != TAG_TR && nTag != TAG_TD && nTag != TAG_TH) {
        // Between rows and cells only rows and cells belong; inline wrappers are dropped
        // and anything with contents gets a cell of its own, so that it shows.
        switch (nTag) {
        case TAG_UNKNOWN: case TAG_B: case TAG_STRONG: case TAG_I: case TAG_EM: case TAG_U: case TAG_FONT:
        case TAG_SPAN: case TAG_A:
            return;
        default:
            OpenImpliedCell();
        }
    }

    switch (nTag) {
    case TAG_P: case TAG_DIV: case TAG_CENTER: case TAG_BLOCKQUOTE: case TAG_PRE: case TAG_UL: case TAG_OL:
    case TAG_HR: case TAG_TABLE: case TAG_LI:
    case TAG_H1: case TAG_H2: case TAG_H3: case TAG_H4: case TAG_H5: case TAG_H6: {
        const HtmlTag kParagraph[] = {TAG_P};
        CloseOpen(kParagraph, 1, kCellBoundary, CountOf(kCellBoundary));
        break;
    }
    default:
        break;
    }

    switch (nTag) {
    case TAG_H1: case TAG_H2: case TAG_H3: case TAG_H4: case TAG_H5: case TAG_H6:
        for (HtmlTag nHeading : kHeadings)
            if (Current() == nHeading)
                PopThrough(m_stack.size() - 1);
        break;
    case TAG_LI: {
        const HtmlTag kItem[] = {TAG_LI};
        const HtmlTag kListBoundary[] = {TAG_UL, TAG_OL, TAG_TD, TAG_TH, TAG_TABLE};
        CloseOpen(kItem, 1, kListBoundary, CountOf(kListBoundary));
        break;
    }
    case TAG_A: {
        const HtmlTag kLink[] = {TAG_A};
        CloseOpen(kLink, 1, kCellBoundary, CountOf(kCellBoundary));
        break;
    }
    case TAG_TR: {
        const HtmlTag kTable[] = {TAG_TABLE};
        int nTable = FindOpen(kTable, 1, nullptr, 0);
        if (nTable < 0)
            return;   // a row outside any table is no row
        m_stack.resize(static_cast<size_t>(nTable) + 1);
        break;
    }
    case TAG_TD: case TAG_TH: {
        const HtmlTag kRowOrTable[] = {TAG_TD, TAG_TH, TAG_TR, TAG_TABLE};
        int nOpen = FindOpen(kRowOrTable, CountOf(kRowOrTable), nullptr, 0);
        if (nOpen < 0)
            return;
        HtmlTag nFound = m_stack[static_cast<size_t>(nOpen)].nTag;
        if (nFound == TAG_TD || nFound == TAG_TH)
            PopThrough(static_cast<size_t>(nOpen));
        else
            m_stack.resize(static_cast<size_t>(nOpen) + 1);
        if (Current() == TAG_TABLE)
            Push(TAG_TR, std::string(), {});
        break;
    }
    default:
        break;
    }

    if (nTag == TAG_BR || nTag == TAG_HR || nTag == TAG_IMG) {
        if (CanAddNode())
            m_document.AppendElement(m_stack.back().nNode, nTag, std::move(attributes));
        return;
    }
    Push(nTag, nTag == TAG_UNKNOWN ? strName : std::string(), std::move(attributes));
}

void CHtmlTreeBuilder::EndTag(HtmlTag nTag, const std::string& strName)
{
    int nOpen = -1;
    switch (nTag) {
    case TAG_HTML: case TAG_HEAD: case TAG_BODY: case TAG_META: case TAG_THEAD: case TAG_TBODY: case TAG_TFOOT:
    case TAG_VOID_UNKNOWN: case TAG_HR: case TAG_IMG:
        return;
    case TAG_BR: {
        // Browsers read </br> as <br>.
        std::vector<std::pair<std::string, std::string>> none;
        StartTag(TAG_BR, strName, none);
        return;
    }
    case TAG_TD: case TAG_TH:
        nOpen = FindOpen(kCells, CountOf(kCells), kRowBoundary, CountOf(kRowBoundary));
        break;
    case TAG_TR: {
        const HtmlTag kRow[] = {TAG_TR}, kTable[] = {TAG_TABLE};
        nOpen = FindOpen(kRow, 1, kTable, 1);
        break;
    }
    case TAG_TABLE: {
        const HtmlTag kTable[] = {TAG_TABLE};
        nOpen = FindOpen(kTable, 1, nullptr, 0);
        break;
    }
    case TAG_H1: case TAG_H2: case TAG_H3: case TAG_H4: case TAG_H5: case TAG_H6:
        nOpen = FindOpen(kHeadings, CountOf(kHeadings), kCellBoundary, CountOf(kCellBoundary));
        break;
    case TAG_UNKNOWN:
        for (size_t i = m_stack.size() - 1; i > 0 && nOpen < 0; --i) {
            HtmlTag nOpenTag = m_stack[i].nTag;
            if (nOpenTag == TAG_TD || nOpenTag == TAG_TH || nOpenTag == TAG_TABLE)
                break;
            if (nOpenTag == TAG_UNKNOWN && m_stack[i].strName == strName)
                nOpen = static_cast<int>(i);
        }
        break;
    default: {
        const HtmlTag kSame[] = {nTag};
        nOpen = FindOpen(kSame, 1, kCellBoundary, CountOf(kCellBoundary));
        break;
    }
    }
    if (nOpen > 0)
        PopThrough(static_cast<size_t>(nOpen));
}

void CHtmlTreeBuilder::Text(const std::string& strText)
{
    if (Current() == TAG_TABLE || Current() == TAG_TR) {
        if (strText.find_first_not_of(" \t\r\n\f") == std::string::npos)
            return;
        OpenImpliedCell();
    }
    int nParent = m_stack.back().nNode;
    const CHtmlNode& parent = m_document.Node(nParent);
    bool bMerges = parent.nLastChild >= 0 && m_document.Node(parent.nLastChild).nTag == TAG_TEXT;
    if (bMerges || CanAddNode()) {
        m_document.AppendOrMergeText(nParent, strText);
        m_nLastText = m_document.Node(nParent).nLastChild;
    } else if (m_nLastText >= 0) {
        m_document.AppendOrMergeText(m_document.Node(m_nLastText).nParent, strText);
    }
}

void CHtmlTreeBuilder::Push(HtmlTag nTag, const std::string& strName,
                       std::vector<std::pair<std::string, std::string>>&& attributes)
{
    // Too deep or too many: the tag is left out and its contents join the open element.
    // A table is only opened with room for its row and cell below it, a row with room for
    // its cell, so that what comes inside them has a cell to go to.
    size_t nLevels = nTag == TAG_TABLE ? 3 : nTag == TAG_TR ? 2 : 1;
    if (m_stack.size() + nLevels > static_cast<size_t>(HTML_MAX_DEPTH) + 1 || !CanAddNode())
        return;
    int nNode = m_document.AppendElement(m_stack.back().nNode, nTag, std::move(attributes));
    m_stack.push_back({nNode, nTag, strName});
}

void CHtmlTreeBuilder::PopThrough(size_t nIndex)
{
    if (nIndex > 0 && nIndex < m_stack.size())
        m_stack.resize(nIndex);
}

int CHtmlTreeBuilder::FindOpen(const HtmlTag* pTags, size_t nTags, const HtmlTag* pStops, size_t nStops) const
{
    for (size_t i = m_stack.size() - 1; i > 0; --i) {
        HtmlTag nOpen = m_stack[i].nTag;
        for (size_t j = 0; j < nTags; ++j)
            if (nOpen == pTags[j])
                return static_cast<int>(i);
        for (size_t j = 0; j < nStops; ++j)
            if (nOpen == pStops[j])
                return -1;
    }
    return -1;
}

void CHtmlTreeBuilder::CloseOpen(const HtmlTag* pTags, size_t nTags, const HtmlTag* pStops, size_t nStops)
{
    int nOpen = FindOpen(pTags, nTags, pStops, nStops);
    if (nOpen >= 0)
        PopThrough(static_cast<size_t>(nOpen));
}

void CHtmlTreeBuilder::OpenImpliedCell()
{
    if (Current() == TAG_TABLE)
        Push(TAG_TR, std::string(), {});
    if (Current() == TAG_TR)
        Push(TAG_TD, std::string(), {});
}
