#include "pageengine/layout/CHtmlTableLayout.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include <algorithm>
#include <cstdint>

namespace
{
const COLORREF kCellBorder = RGB(128, 128, 128);

long long Sum(const std::vector<int>& values)
{
    long long nSum = 0;
    for (int n : values)
        nSum += n;
    return nSum;
}

bool AnySide(const CHtmlEdges& edges)
{
    return edges.nTop > 0 || edges.nRight > 0 || edges.nBottom > 0 || edges.nLeft > 0;
}

CHtmlEdges AllSides(int n) { return {n, n, n, n}; }

CHtmlEdges Sum(const CHtmlEdges& a, const CHtmlEdges& b)
{
    return {ClampedLength(static_cast<long long>(a.nTop) + b.nTop), ClampedLength(static_cast<long long>(a.nRight) + b.nRight),
            ClampedLength(static_cast<long long>(a.nBottom) + b.nBottom), ClampedLength(static_cast<long long>(a.nLeft) + b.nLeft)};
}
} // namespace

CHtmlTableLayout::CHtmlTableLayout(CLayoutBuilder& builder) : m_builder(builder), m_document(builder.Document())
{
}

void CHtmlTableLayout::Begin(int nTable, const CHtmlComputedStyle& style)
{
    m_nTable = nTable;
    m_style = style;
    m_nBorder = style.nBorder;
    m_bOwnBorder = AnySide(style.border);
    m_nPadding = style.nPadding;
    m_nSpacing = style.nSpacing;
    // A border from the table's style takes the place of the frame its attribute draws.
    m_inset = Sum(m_bOwnBorder ? style.border : AllSides(m_nBorder), style.padding);
    m_cells.clear();
    m_rows.clear();
    m_nColumns = 0;
    m_bMeasured = false;
    CollectRows();
}

void CHtmlTableLayout::CollectRows()
{
    int nCellBorder = m_nBorder > 0 ? 1 : 0;
    for (int nRow = m_document.Node(m_nTable).nFirstChild; nRow >= 0; nRow = m_document.Node(nRow).nNext) {
        if (!CHtmlTagTraits::Of(m_document.Node(nRow).nTag).Has(TRAIT_ROW))
            continue;
        CHtmlComputedStyle rowStyle = m_builder.Style().Element(nRow, m_style, m_builder.IsMeasuring());
        if (rowStyle.nDisplay == DISPLAY_NONE)
            continue;
        Row row = {m_cells.size(), m_cells.size()};
        int nColumn = 0;
        for (int nCell = m_document.Node(nRow).nFirstChild; nCell >= 0; nCell = m_document.Node(nCell).nNext) {
            if (!CHtmlTagTraits::Of(m_document.Node(nCell).nTag).Has(TRAIT_CELL) || nColumn >= HTML_MAX_COLUMNS)
                continue;
            // Made in its place rather than aside and copied: a cell holds a whole style.
            m_cells.emplace_back();
            Cell& cell = m_cells.back();
            cell.nNode = nCell;
            cell.nColumn = nColumn;
            cell.style = m_builder.Style().Element(nCell, rowStyle, m_builder.IsMeasuring());
            if (cell.style.nDisplay == DISPLAY_NONE) {
                m_cells.pop_back();
                continue;
            }
            cell.nSpan = std::min(cell.style.nSpan, HTML_MAX_COLUMNS - nColumn);
            // A padding or border from the cell's style replaces the table's.
            cell.bOwnBorder = AnySide(cell.style.border);
            cell.inset = Sum(AnySide(cell.style.padding) ? cell.style.padding : AllSides(m_nPadding),
                             cell.bOwnBorder ? cell.style.border : AllSides(nCellBorder));
            // A set width is that of the contents: the padding and border come on top.
            int nAround = ClampedLength(static_cast<long long>(cell.inset.nLeft) + cell.inset.nRight);
            if (cell.style.width.bGiven && cell.style.width.bPercent)
                cell.nPercent = cell.style.width.nValue;
            else if (cell.style.width.bGiven && cell.style.width.nValue > 0)
                cell.nWidth = cell.style.width.nValue + nAround;
            m_builder.MeasureCell(nCell, cell.style, &cell.nMin, &cell.nMax);
            cell.nMin = ClampedLength(static_cast<long long>(cell.nMin) + nAround);
            cell.nMax = ClampedLength(static_cast<long long>(cell.nMax) + nAround);
            nColumn += cell.nSpan;
        }
        m_nColumns = std::max(m_nColumns, nColumn);
        row.nEnd = m_cells.size();
        if (row.nEnd > row.nFirst)
            m_rows.push_back(row);
    }
}

void CHtmlTableLayout::MeasureColumns()
{
    if (m_bMeasured)
        return;
    m_bMeasured = true;
    size_t nColumns = static_cast<size_t>(m_nColumns);
    // Cleared in one loop: most tables have a few columns, fewer than a fill's call costs.
    m_anMin.resize(nColumns);
    m_anMax.resize(nColumns);
    m_anFixed.resize(nColumns);
    m_anPercent.resize(nColumns);
    for (size_t c = 0; c < nColumns; ++c)
        m_anMin[c] = m_anMax[c] = m_anFixed[c] = m_anPercent[c] = 0;
    for (const Cell& cell : m_cells) {
        if (cell.nSpan != 1)
            continue;
        size_t c = static_cast<size_t>(cell.nColumn);
        m_anMin[c] = std::max(m_anMin[c], cell.nMin);
        m_anMax[c] = std::max(m_anMax[c], cell.nMax);
        m_anFixed[c] = std::max(m_anFixed[c], cell.nWidth);
        m_anPercent[c] = std::max(m_anPercent[c], cell.nPercent);
    }
    // A cell spanning columns that are together narrower than it widens them evenly.
    for (const Cell& cell : m_cells) {
        if (cell.nSpan == 1)
            continue;
        size_t nFirst = static_cast<size_t>(cell.nColumn), nEnd = nFirst + static_cast<size_t>(cell.nSpan);
        for (std::vector<int>* pWidths : {&m_anMin, &m_anMax}) {
            long long nDeficit = pWidths == &m_anMin ? cell.nMin : cell.nMax;
            nDeficit -= (cell.nSpan - 1) * static_cast<long long>(m_nSpacing);
            for (size_t c = nFirst; c < nEnd; ++c)
                nDeficit -= (*pWidths)[c];
            for (size_t c = nFirst; c < nEnd && nDeficit > 0; ++c) {
                long long nShare = nDeficit / static_cast<long long>(nEnd - c);
                (*pWidths)[c] = ClampedLength((*pWidths)[c] + nShare);
                nDeficit -= nShare;
            }
        }
    }
    for (size_t c = 0; c < nColumns; ++c) {
        if (m_anFixed[c] > 0)
            m_anMin[c] = m_anMax[c] = std::max(m_anMin[c], m_anFixed[c]);
        m_anMax[c] = std::max(m_anMax[c], m_anMin[c]);
    }
}

int CHtmlTableLayout::Extra() const
{
    return ClampedLength((m_nColumns + 1LL) * m_nSpacing + m_inset.nLeft + m_inset.nRight);
}

void CHtmlTableLayout::Measure(int* pnMin, int* pnMax)
{
    MeasureColumns();
    long long nMin = Sum(m_anMin) + Extra(), nMax = Sum(m_anMax) + Extra();
    if (m_style.width.bGiven && !m_style.width.bPercent)
        nMin = nMax = std::max<long long>(nMin, m_style.width.nValue);
    *pnMin = static_cast<int>(std::min<long long>(nMin, HTML_MAX_PAGE_HEIGHT));
    *pnMax = static_cast<int>(std::min<long long>(std::max(nMin, nMax), HTML_MAX_PAGE_HEIGHT));
}

int CHtmlTableLayout::Width(int nAvailable)
{
    MeasureColumns();
    return TableWidth(nAvailable);
}

int CHtmlTableLayout::TableWidth(int nAvailable) const
{
    long long nMin = Sum(m_anMin) + Extra(), nMax = Sum(m_anMax) + Extra();
    long long nWidth;
    if (m_style.width.bGiven && m_style.width.bPercent)
        nWidth = static_cast<long long>(nAvailable) * m_style.width.nValue / 100;
    else if (m_style.width.bGiven)
        nWidth = m_style.width.nValue;
    else
        nWidth = std::min<long long>(nMax, nAvailable);
    return static_cast<int>(std::min<long long>(std::max(nWidth, nMin), HTML_MAX_PAGE_HEIGHT));
}

void CHtmlTableLayout::ColumnWidths(int nInner)
{
    std::vector<int>& anMin = m_anWidthMin;
    std::vector<int>& anMax = m_anWidthMax;
    std::vector<bool>& abFixed = m_abFixed;
    std::vector<int>& anWidths = m_anWidths;
    // Copied one by one: most tables have a few columns, fewer than a copy's call costs.
    size_t nColumns = m_anMin.size();
    anMin.resize(nColumns);
    anMax.resize(nColumns);
    abFixed.resize(nColumns);
    for (size_t c = 0; c < nColumns; ++c) {
        anMin[c] = m_anMin[c];
        anMax[c] = m_anMax[c];
        abFixed[c] = m_anFixed[c] > 0;
        if (m_anPercent[c] > 0 && !abFixed[c]) {
            anMin[c] = anMax[c] = std::max(anMin[c], static_cast<int>(static_cast<long long>(nInner) * m_anPercent[c] / 100));
            abFixed[c] = true;
        }
    }
    long long nSumMin = Sum(anMin), nSumMax = Sum(anMax);
    anWidths.resize(nColumns);
    for (size_t c = 0; c < nColumns; ++c)
        anWidths[c] = anMin[c];
    if (nInner <= nSumMin || anWidths.empty())
        return;
    if (nInner < nSumMax) {
        // Between the narrowest and the widest: each column gets its share of the room in
        // proportion to how much wider it would like to be.
        long long nRoom = nInner - nSumMin, nWish = nSumMax - nSumMin, nGiven = 0;
        for (size_t c = 0; c < anWidths.size(); ++c) {
            long long nShare = (anMax[c] - anMin[c]) * nRoom / nWish;
            anWidths[c] += static_cast<int>(nShare);
            nGiven += nShare;
        }
        for (size_t c = anWidths.size(); c-- > 0 && nGiven < nRoom;)
            if (anMax[c] > anWidths[c]) {
                ++anWidths[c];
                ++nGiven;
            }
        return;
    }
    // Wider than every column wants: the columns without a set width share the rest in
    // proportion to their widths (all columns when every one has its width set).
    for (size_t c = 0; c < nColumns; ++c)
        anWidths[c] = anMax[c];
    long long nRoom = nInner - nSumMax, nBase = 0;
    bool bAnyFree = std::find(abFixed.begin(), abFixed.end(), false) != abFixed.end();
    size_t nTaking = 0;
    for (size_t c = 0; c < anWidths.size(); ++c)
        if (!bAnyFree || !abFixed[c]) {
            nBase += anMax[c];
            ++nTaking;
        }
    long long nGiven = 0;
    for (size_t c = 0; c < anWidths.size(); ++c)
        if (!bAnyFree || !abFixed[c]) {
            long long nShare = nBase > 0 ? anMax[c] * nRoom / nBase : nRoom / static_cast<long long>(nTaking);
            anWidths[c] += static_cast<int>(nShare);
            nGiven += nShare;
        }
    for (size_t c = anWidths.size(); c-- > 0;)
        if (!bAnyFree || !abFixed[c]) {
            anWidths[c] += static_cast<int>(nRoom - nGiven);
            break;
        }
}

int CHtmlTableLayout::Layout(int nLeft, int nWidth, HtmlAlign nAreaAlign, int nTop)
{
    MeasureColumns();
    int nTableWidth = TableWidth(nWidth);
    HtmlAlign nAlign = m_style.bPlaced ? m_style.nPlacement : nAreaAlign;
    int nFree = std::max(nWidth - nTableWidth, 0);
    int x0 = ClampedLength(static_cast<long long>(nLeft) + (nAlign == ALIGN_CENTER ? nFree / 2 : nAlign == ALIGN_RIGHT ? nFree : 0));

    ColumnWidths(nTableWidth - Extra());
    const std::vector<int>& anWidths = m_anWidths;
    std::vector<int>& anX = m_anX;
    // Each entry of these arrays is set below before it is read.
    anX.resize(anWidths.size() + 1);
    anX[0] = ClampedLength(static_cast<long long>(x0) + m_inset.nLeft + m_nSpacing);
    for (size_t c = 0; c < anWidths.size(); ++c)
        anX[c + 1] = ClampedLength(static_cast<long long>(anX[c]) + anWidths[c] + m_nSpacing);

    CLayoutBuilder::Decoration tableDecoration = m_builder.AddDecoration(m_style, -1);

    // Rows are laid out at their natural heights first; a table set taller then gives them
    // the difference, and each cell's boxes move down to their row's place and alignment.
    int nCellBorder = m_nBorder > 0 ? 1 : 0;
    size_t nRows = m_rows.size();
    std::vector<PlacedCell>& placed = m_placed;
    std::vector<int>& anRowHeight = m_anRowHeight;
    std::vector<int>& anRowTop = m_anRowTop;
    placed.resize(m_cells.size());
    anRowHeight.resize(nRows);
    anRowTop.resize(nRows);
    int y = ClampedLength(static_cast<long long>(nTop) + m_inset.nTop + m_nSpacing);
    long long nRowsHeight = 0;
    for (size_t r = 0; r < nRows; ++r) {
        const Row& row = m_rows[r];
        anRowTop[r] = y;
        // Backgrounds go first so that they are drawn below the contents.
        for (size_t i = row.nFirst; i < row.nEnd; ++i)
            placed[i].decoration = m_builder.AddDecoration(m_cells[i].style, -1);
        int nRowHeight = 0;
        for (size_t i = row.nFirst; i < row.nEnd; ++i) {
            const Cell& cell = m_cells[i];
            size_t c = static_cast<size_t>(cell.nColumn);
            long long nCellWidth = std::max(anX[c + static_cast<size_t>(cell.nSpan)] - m_nSpacing - anX[c], 0);
            placed[i].nFirstBox = m_builder.BoxCount();
            int nContent = m_builder.LayoutCell(cell.nNode, cell.style, ClampedLength(static_cast<long long>(anX[c]) + cell.inset.nLeft),
                                                ClampedLength(static_cast<long long>(y) + cell.inset.nTop),
                                                ClampedLength(nCellWidth - cell.inset.nLeft - cell.inset.nRight));
            placed[i].nHeight = nContent;
            // A set height is that of the contents, kept by an empty cell too.
            if (cell.style.height.bGiven && !cell.style.height.bPercent)
                nContent = std::max(nContent, cell.style.height.nValue);
            nRowHeight = std::max(nRowHeight, ClampedLength(static_cast<long long>(nContent) + cell.inset.nTop + cell.inset.nBottom));
        }
        for (size_t i = row.nFirst; i < row.nEnd; ++i)
            placed[i].nEndBox = i + 1 < row.nEnd ? placed[i + 1].nFirstBox : m_builder.BoxCount();
        anRowHeight[r] = nRowHeight;
        nRowsHeight += nRowHeight;
        y = ClampedLength(static_cast<long long>(y) + nRowHeight + m_nSpacing);
    }
    int nHeight = ClampedLength(static_cast<long long>(y) - nTop + m_inset.nBottom);
    if (m_style.height.bGiven && !m_style.height.bPercent && m_style.height.nValue > nHeight && nRows > 0) {
        long long nExtra = m_style.height.nValue - nHeight, nGiven = 0;
        for (size_t r = 0; r < nRows; ++r) {
            long long nShare = r + 1 == nRows ? nExtra - nGiven
                               : nRowsHeight > 0 ? anRowHeight[r] * nExtra / nRowsHeight
                                                 : nExtra / static_cast<long long>(nRows);
            anRowHeight[r] = ClampedLength(anRowHeight[r] + nShare);
            nGiven += nShare;
        }
        nHeight = m_style.height.nValue;
    }

    y = ClampedLength(static_cast<long long>(nTop) + m_inset.nTop + m_nSpacing);
    for (size_t r = 0; r < nRows; ++r) {
        const Row& row = m_rows[r];
        for (size_t i = row.nFirst; i < row.nEnd; ++i) {
            const Cell& cell = m_cells[i];
            const PlacedCell& place = placed[i];
            int nSpare = ClampedLength(std::max(static_cast<long long>(anRowHeight[r]) - place.nHeight - cell.inset.nTop - cell.inset.nBottom, 0LL));
            int dy = ClampedLength(static_cast<long long>(y) - anRowTop[r] + (cell.style.nVAlign < 0 ? 0 : cell.style.nVAlign > 0 ? nSpare : nSpare / 2));
            for (size_t b = place.nFirstBox; b < place.nEndBox; ++b)
                ::OffsetRect(&m_builder.Box(b).rc, 0, dy);
            size_t c = static_cast<size_t>(cell.nColumn);
            RECT rc = {anX[c], y, anX[c + static_cast<size_t>(cell.nSpan)] - m_nSpacing, ClampedLength(static_cast<long long>(y) + anRowHeight[r])};
            m_builder.PlaceDecoration(place.decoration, rc, cell.style);
            if (nCellBorder && !cell.bOwnBorder)
                AddFrame(rc, 1);
        }
        y = ClampedLength(static_cast<long long>(y) + anRowHeight[r] + m_nSpacing);
    }
    RECT rcTable = {x0, nTop, ClampedLength(static_cast<long long>(x0) + nTableWidth), ClampedLength(static_cast<long long>(nTop) + nHeight)};
    m_builder.PlaceDecoration(tableDecoration, rcTable, m_style);
    if (m_nBorder > 0 && !m_bOwnBorder)
        AddFrame(rcTable, m_nBorder);
    return nHeight;
}

void CHtmlTableLayout::AddFrame(const RECT& rc, int nThickness)
{
    CPageBox frame = {};
    frame.nKind = BOX_FRAME;
    frame.nThickness = static_cast<unsigned char>(nThickness);
    frame.cr = kCellBorder;
    frame.nLink = -1;
    frame.rc = rc;
    m_builder.AddBox(frame);
}
