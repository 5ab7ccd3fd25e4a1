#pragma once
// Lays out one table: its rows and cells in a grid of columns (cells may span several),
// each column as wide as its contents want within the width there is, the way browsers
// share it out: first the narrowest width of every column, then what is left in
// proportion to how much wider each would like to be. Cells with a fixed width keep it,
// cells with a percentage take that share of the table. Cell contents are laid out by
// CLayoutBuilder, once, then moved to their vertical alignment.
#include "pageengine/layout/CLayoutBuilder.h"
#include <vector>

class CHtmlTableLayout
{
public:
    // style: the table's own, from the style step.
    CHtmlTableLayout(CLayoutBuilder& builder, int nTable, const CHtmlComputedStyle& style);

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
    struct Row
    {
        std::vector<Cell> cells;
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
    std::vector<int> ColumnWidths(int nInner) const;
    int TableWidth(int nAvailable) const;
    int Extra() const;   // the spacing and borders around and between the columns
    // A border of nThickness pixels inside rc, drawn over what is there.
    void AddFrame(const RECT& rc, int nThickness);

    CLayoutBuilder& m_builder;
    const CHtmlDocument& m_document;
    int m_nTable;
    CHtmlComputedStyle m_style;
    int m_nBorder;
    bool m_bOwnBorder;        // its style's border instead of a frame of m_nBorder
    CHtmlEdges m_inset;       // the border and padding around its cells
    int m_nPadding;
    int m_nSpacing;
    std::vector<Row> m_rows;
    int m_nColumns = 0;
    std::vector<int> m_anMin, m_anMax, m_anFixed, m_anPercent;
    bool m_bMeasured = false;
};
