#pragma once
// Lays out one table: its rows and cells in a grid of columns (cells may span several),
// each column as wide as its contents want within the width there is, the way browsers
// share it out: first the narrowest width of every column, then what is left in
// proportion to how much wider each would like to be. Cells with a fixed width keep it,
// cells with a percentage take that share of the table. Cell contents are laid out by
// CLayoutBuilder, once, then moved to their vertical alignment. The layout builder keeps
// one for each depth of nested tables and starts it anew for each table: its arrays are
// made once for the page, not once per table.
#include "pageengine/layout/CLayoutBuilder.h"
#include <vector>

class CHtmlTableLayout
{
public:
    explicit CHtmlTableLayout(CLayoutBuilder& builder);
    CHtmlTableLayout(const CHtmlTableLayout&) = delete;
    CHtmlTableLayout& operator=(const CHtmlTableLayout&) = delete;

    // Starts on a table; style: the table's own, from the style step.
    void Begin(int nTable, const CHtmlComputedStyle& style);

    // The narrowest and the widest the table can be.
    void Measure(int* pnMin, int* pnMax);
    // Its width in an area nAvailable wide.
    int Width(int nAvailable);
    // Lays the table out at nTop in the area (nLeft, nWidth), placed by the table's own
    // alignment or else by the area's; returns its height.
    int Layout(int nLeft, int nWidth, HtmlAlign nAreaAlign, int nTop);

private:
    struct Cell
    {
        int nNode;
        int nColumn;
        int nSpan;
        int nMin, nMax;         // including padding and border
        int nWidth;             // fixed width with padding and border, 0 for none
        int nPercent;           // percentage width, 0 for none
        CHtmlEdges inset;       // its padding and border
        bool bOwnBorder;        // its style's border instead of the table's frame
        CHtmlComputedStyle style;
    };
    // A row's cells in m_cells.
    struct Row
    {
        size_t nFirst, nEnd;
    };
    // A cell laid out: its background and border boxes, its own boxes and its contents' height.
    struct PlacedCell
    {
        CLayoutBuilder::Decoration decoration;
        size_t nFirstBox, nEndBox;
        int nHeight;
    };

    void CollectRows();
    void MeasureColumns();
    // Into m_anWidths.
    void ColumnWidths(int nInner);
    int TableWidth(int nAvailable) const;
    int Extra() const;   // the spacing and borders around and between the columns
    // A border of nThickness pixels inside rc, drawn over what is there.
    void AddFrame(const RECT& rc, int nThickness);

    CLayoutBuilder& m_builder;
    const CHtmlDocument& m_document;
    int m_nTable = 0;
    CHtmlComputedStyle m_style;
    int m_nBorder = 0;
    bool m_bOwnBorder = false;   // its style's border instead of a frame of m_nBorder
    CHtmlEdges m_inset;          // the border and padding around its cells
    int m_nPadding = 0;
    int m_nSpacing = 0;
    std::vector<Cell> m_cells;
    std::vector<Row> m_rows;
    int m_nColumns = 0;
    std::vector<int> m_anMin, m_anMax, m_anFixed, m_anPercent;
    bool m_bMeasured = false;
    // Layout's working arrays: the columns' widths and left edges, the cells placed (as
    // m_cells), the rows' heights and tops.
    std::vector<int> m_anWidths, m_anWidthMin, m_anWidthMax, m_anX, m_anRowHeight, m_anRowTop;
    std::vector<bool> m_abFixed;
    std::vector<PlacedCell> m_placed;
};
