#pragma once
// Lays a page out at a width into the boxes to draw (a CPageBoxes): block elements
// stacked with the margins, borders, padding and backgrounds of their style (inline
// blocks stand in lines as pictures do), text and pictures in lines wrapped
// at the width (CHtmlLineBuilder) and beside floating pictures, lists with their markers,
// tables in columns (CHtmlTableLayout). Each element's style comes from the style step (CHtmlStyle).
// Work and memory grow with the page's size only: each node is laid out once and measured
// at most twice per table around it; layout stops at HTML_MAX_BOXES boxes or
// HTML_MAX_PAGE_HEIGHT pixels.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/layout/CHtmlFloats.h"
#include "pageengine/layout/CHtmlLineBuilder.h"
#include "pageengine/layout/CLayoutMeasures.h"
#include "pageengine/layout/CPageBoxes.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "pageengine/style/CHtmlStyle.h"
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

class CHtmlFonts;
class CHtmlTableLayout;
class CPageImages;

class CLayoutBuilder
{
public:
    // strBaseFolder: the page's folder (with its trailing backslash), for its pictures.
    CLayoutBuilder(const CHtmlDocument& document, CHtmlFonts& fonts, CPageImages& images, const std::string& strBaseFolder);
    ~CLayoutBuilder();
    CLayoutBuilder(const CLayoutBuilder&) = delete;
    CLayoutBuilder& operator=(const CLayoutBuilder&) = delete;

    void Layout(int nWidth, CPageBoxes& out);

    // The boxes of an element's background colour and picture and of its border, made
    // before its contents so that they are drawn below them; placed once its size is known.
    struct Decoration
    {
        size_t nFill = SIZE_MAX;
        size_t nTile = SIZE_MAX;
        size_t nBorder = SIZE_MAX;   // the first of nBorders boxes, one per side with a width
        size_t nBorders = 0;
    };
    // nLink: the link a click on the background follows, -1 for none.
    Decoration AddDecoration(const CHtmlComputedStyle& style, int nLink);
    // rc: the element's border box; its background goes inside its border.
    void PlaceDecoration(const Decoration& decoration, const RECT& rc, const CHtmlComputedStyle& style);

    // For the table layout: a cell's contents laid out at (x, y) in nWidth; returns their
    // height.
    int LayoutCell(int nCell, const CHtmlComputedStyle& style, int x, int y, int nWidth)
    {
        return LayoutFlow(nCell, style, x, y, nWidth, true, nullptr);
    }
    // The narrowest width a cell's contents take (their widest word or picture, or with
    // nowrap their widest line) and the width they take on lines that are never wrapped.
    void MeasureCell(int nCell, const CHtmlComputedStyle& style, int* pnMin, int* pnMax);
    // The new box's index; SIZE_MAX (no box) once the page has HTML_MAX_BOXES boxes.
    size_t AddBox(const CPageBox& box)
    {
        // The limit holds for every box, those a table adds after its cells included.
        if (m_pOut->m_boxes.size() >= HTML_MAX_BOXES)
            return SIZE_MAX;
        m_pOut->m_boxes.push_back(box);
        return m_pOut->m_boxes.size() - 1;
    }
    CPageBox& Box(size_t nIndex) { return m_pOut->m_boxes[nIndex]; }
    size_t BoxCount() const { return m_pOut->m_boxes.size(); }
    bool IsMeasuring() const { return m_bMeasuring; }
    const CHtmlDocument& Document() const { return m_document; }
    CHtmlStyle& Style() { return m_style; }

private:
    // The place where contents go next, and what waits to be placed there.
    struct Flow
    {
        int nLeft = 0;
        int nWidth = 0;
        HtmlAlign nAlign = ALIGN_LEFT;
        int nLineLeft = 0;         // the next line's room: the area less the floats beside it
        int nLineWidth = 0;
        size_t nFirstFloat = 0;    // where this flow's floats start in m_floats
        int nFloatTop = 0;         // no float goes higher than the one before
        int nFloatBottom = 0;      // the lowest float's bottom
        size_t nFirstBoxTop = 0;   // where this flow's boxes start in m_boxTops
        int nY = 0;
        int nPendingMargin = 0;
        bool bAtCellTop = false;   // nothing placed yet in a cell: its margins go
        int nMarker = -1;          // a list item's marker for the next line: 0-2 bullets, 3 number
        int nMarkerNumber = 0;
        int nMarkerFont = 0;
        COLORREF crMarker = 0;
        int nExtent = 0;           // while measuring: the widest line
        int nBaseline = -1;        // the last line's, -1 before the first
    };
    struct List
    {
        bool bOrdered;
        int nNext;
    };
    // A block's box while its contents are laid out.
    struct BlockBox
    {
        int nOuterLeft, nOuterWidth;   // the area around it
        HtmlAlign nOuterAlign;
        int nLeft, nWidth;             // its border box's
        size_t nTop;                   // its entry in m_boxTops
        int nOuterExtent;
        COLORREF crOuterInlineFill;
        bool bWidth;
        Decoration decoration;
    };
    // An inline block's boxes, laid out at 0, 0 until its line places them.
    struct InlineBlockBoxes
    {
        size_t nFirst, nEnd;
        int dx, dy;   // its margins
    };

    void FlowChildren(int nNode, const CHtmlComputedStyle& style);
    void Element(int nNode, const CHtmlComputedStyle& parent);
    void Block(int nNode, const CHtmlComputedStyle& style);
    // Opens a block's box: its top margin, border and padding, its area for its contents.
    void BeginBox(const CHtmlComputedStyle& style, BlockBox& box);
    // Closes it: its height, bottom padding, border and margin, its decoration's place.
    void EndBox(const CHtmlComputedStyle& style, BlockBox& box);
    void InlineBlock(int nNode, const CHtmlComputedStyle& style);
    // Lays an element's contents out in a flow of their own at (x, y) in nWidth, as those
    // of a cell (whose first and last margins go) or of an inline block; returns their
    // height, and in *pnBaseline (when given) their last line's baseline, -1 for none.
    int LayoutFlow(int nNode, const CHtmlComputedStyle& style, int x, int y, int nWidth, bool bCell, int* pnBaseline);
    // Whether an element's contents are text and elements of text alone, shown as their
    // tags say (the page has no style sheet or style attribute): what a flow of no width
    // measures of them is their widest word, each word having a line of its own there.
    bool IsPlainText(int nNode, const CHtmlComputedStyle& style) const;
    // What a measuring flow finds of plain text, found without one: its widest word and
    // its widest line when lines break only at its <br>s. False (the flow must measure it)
    // for contents that are not plain text, lengths near those the flow holds, or text
    // measured by GDI.
    struct PlainWidths
    {
        long long nLine = 0;   // the current line's width
        bool bItems = false;   // the line holds a word
        long long nSpace = -1; // the width of the blank (in its own font) waiting between
                               // the line's last word and the next, -1 for none
        long long nWidest = 0, nExtent = 0;
        bool bNotPlain = false;   // the walk met an element other than those of text
    };
    bool MeasurePlainText(int nNode, const CHtmlComputedStyle& style, PlainWidths& widths);
    void Image(int nNode, const CHtmlComputedStyle& style);
    void Rule(const CHtmlComputedStyle& style);
    void Table(int nNode, const CHtmlComputedStyle& style);
    // Runs fn on the table layout of the current depth of nested tables, started on nNode.
    template <class F> void WithTable(int nNode, const CHtmlComputedStyle& style, F fn);

    // The area's left edge and width, held to the layout's lengths.
    void SetArea(long long nLeft, long long nWidth, HtmlAlign nAlign);
    void AddMargin(int nMargin)
    {
        // Margins that meet collapse into the largest; a cell's first ones go.
        if (!m_flow.bAtCellTop)
            m_flow.nPendingMargin = std::max(m_flow.nPendingMargin, nMargin);
        FitLine();
    }
    void PlaceMargin();
    void FinishLine();
    // Adds text to the page's texts (the first m_nText characters of its string while the
    // layout runs); returns where it starts there.
    size_t KeepText(const char* pch, size_t nLength);
    void PlaceMarker(int nBaseline);
    // A picture's boxes: its frame when it has a border, and the picture inside it.
    void AddPicture(CPageBox box, int nBorder);
    // Where a float nWidth wide goes: at the side of the current line, or lower down where
    // there is room; false when the flow already has HTML_MAX_FLOATS.
    bool FindFloat(int nWidth, bool bRight, POINT* ppt);
    // Adds a float found by FindFloat, once its height is known.
    void AddFloat(const RECT& rc, bool bRight);
    int AreaRight() const { return ClampedLength(static_cast<long long>(m_flow.nLeft) + m_flow.nWidth); }
    int NextLineTop() const;
    // Sets the next line's room (nLineLeft, nLineWidth) from the floats beside it. Inline:
    // asked at each block's edges and each line's end.
    void FitLine()
    {
        // Most flows have no float: their lines take the whole area.
        if (m_floats.Count() != m_flow.nFirstFloat) {
            FitLineBesideFloats();
            return;
        }
        m_flow.nLineLeft = m_flow.nLeft;
        m_flow.nLineWidth = std::max(AreaRight() - m_flow.nLeft, 0);
        m_pLine->SetWidth(m_flow.nLineWidth);
    }
    void FitLineBesideFloats();
    // Moves the next line below the nearest float beside it; false when there is none.
    bool MoveBelowAFloat();
    // Moves down below the floats of the sides nClear names (1 left, 2 right, 3 both).
    void ClearFloats(int nClear);
    // Runs fn on a fresh flow and line (a cell, or a measurement), then puts the current
    // ones back.
    template <class F> void WithNewFlow(const Flow& flow, bool bMeasuring, F fn);
    bool IsFull() const;
    CHtmlLineBuilder* LineAtDepth(size_t nDepth);
    CInlineStyle InlineStyle(const CHtmlComputedStyle& style) const
    {
        return {style.nFont, style.crText, style.nLink, style.nLineHeight, m_crInlineFill};
    }

    const CHtmlDocument& m_document;
    CHtmlFonts& m_fonts;
    CPageImages& m_images;
    std::string m_strBaseFolder;
    CHtmlStyle m_style;
    CPageBoxes* m_pOut = nullptr;
    Flow m_flow;
    // The line of the current flow, one of m_lines: one builder per depth of nested flows,
    // kept from cell to cell so that their buffers are made once.
    CHtmlLineBuilder* m_pLine = nullptr;
    std::vector<std::unique_ptr<CHtmlLineBuilder>> m_lines;
    size_t m_nFlowDepth = 0;
    // One table layout per depth of nested tables, kept from table to table likewise.
    std::vector<std::unique_ptr<CHtmlTableLayout>> m_tables;
    size_t m_nTableDepth = 0;
    bool m_bMeasuring = false;
    List* m_pList = nullptr;
    // The floats of the flows being laid out, the innermost flow's last.
    CHtmlFloats m_floats;
    // Measured widths of cells and tables.
    CLayoutMeasures m_measures;
    // The tops of the blocks being laid out, outermost first; -1 until something in the
    // block is placed (a block without top border or padding starts where its first
    // contents do, past the margins that collapse with its own).
    std::vector<int> m_boxTops;
    std::vector<InlineBlockBoxes> m_inlineBlocks;
    size_t m_nText = 0;
    // The background of the elements of text around, drawn behind their text; a block or a
    // new flow starts without one.
    COLORREF m_crInlineFill = CLR_INVALID;
    // The last background picture's address and picture: elements styled alike look it up once.
    const char* m_pszBackground = nullptr;
    int m_nBackground = -1;
};
