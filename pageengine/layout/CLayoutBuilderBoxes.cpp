// CLayoutBuilder: the boxes of blocks and inline blocks, with their margins, border,
// padding, width and height, and the backgrounds and borders drawn for them.
#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "pageengine/paint/CPageImages.h"
#include "pageengine/view/CPageAddress.h"
#include <algorithm>

namespace
{
long long Across(const CHtmlEdges& edges) { return static_cast<long long>(edges.nLeft) + edges.nRight; }
long long Down(const CHtmlEdges& edges) { return static_cast<long long>(edges.nTop) + edges.nBottom; }

// A set height in pixels; percentages of a height nothing sets count as none.
bool FixedHeight(const CHtmlComputedStyle& style)
{
    return style.height.bGiven && !style.height.bPercent;
}

RECT Rect(long long nLeft, long long nTop, long long nRight, long long nBottom)
{
    int nClampedLeft = ClampedLength(nLeft), nClampedTop = ClampedLength(nTop);
    return {nClampedLeft, nClampedTop, std::max(nClampedLeft, ClampedLength(nRight)), std::max(nClampedTop, ClampedLength(nBottom))};
}
} // namespace

CLayoutBuilder::Decoration CLayoutBuilder::AddDecoration(const CHtmlComputedStyle& style, int nLink)
{
    Decoration decoration;
    CPageBox box = {};
    box.nKind = BOX_FILL;
    box.nLink = nLink;
    if (style.bFill) {
        box.cr = style.crFill;
        decoration.nFill = AddBox(box);
    }
    if (style.pszBackground) {
        if (style.pszBackground != m_pszBackground) {
            std::string strPath = CPageAddress::ResolveLocal(m_strBaseFolder, style.pszBackground);
            m_pszBackground = style.pszBackground;
            m_nBackground = strPath.empty() ? -1 : m_images.Load(strPath);
        }
        box.nImage = m_nBackground;
        box.nKind = BOX_TILE;
        if (box.nImage >= 0)
            decoration.nTile = AddBox(box);
    }
    box.nKind = BOX_FILL;
    box.nImage = 0;
    box.nLink = -1;
    box.cr = style.crBorder;
    for (int nSide : {style.border.nTop, style.border.nRight, style.border.nBottom, style.border.nLeft}) {
        size_t nBox = nSide > 0 ? AddBox(box) : SIZE_MAX;
        if (nBox == SIZE_MAX)
            continue;
        if (decoration.nBorders++ == 0)
            decoration.nBorder = nBox;
    }
    return decoration;
}

void CLayoutBuilder::PlaceDecoration(const Decoration& decoration, const RECT& rc, const CHtmlComputedStyle& style)
{
    if (decoration.nFill == SIZE_MAX && decoration.nTile == SIZE_MAX && decoration.nBorders == 0)
        return;
    // The background fills the box inside the border (the solid border covers the rest),
    // and its picture's tiles start at that box's corner.
    const CHtmlEdges& border = style.border;
    long long nInnerTop = static_cast<long long>(rc.top) + border.nTop;
    long long nInnerBottom = static_cast<long long>(rc.bottom) - border.nBottom;
    RECT rcInner = Rect(static_cast<long long>(rc.left) + border.nLeft, nInnerTop, static_cast<long long>(rc.right) - border.nRight, nInnerBottom);
    if (decoration.nFill != SIZE_MAX)
        Box(decoration.nFill).rc = rcInner;
    if (decoration.nTile != SIZE_MAX)
        Box(decoration.nTile).rc = rcInner;
    const RECT sides[4] = {
        Rect(rc.left, rc.top, rc.right, nInnerTop),
        Rect(static_cast<long long>(rc.right) - border.nRight, nInnerTop, rc.right, nInnerBottom),
        Rect(rc.left, nInnerBottom, rc.right, rc.bottom),
        Rect(rc.left, nInnerTop, static_cast<long long>(rc.left) + border.nLeft, nInnerBottom),
    };
    const int anWidths[4] = {border.nTop, border.nRight, border.nBottom, border.nLeft};
    size_t nBox = decoration.nBorder;
    for (int nSide = 0; nSide < 4 && nBox < decoration.nBorder + decoration.nBorders; ++nSide)
        if (anWidths[nSide] > 0)
            Box(nBox++).rc = sides[nSide];
}

void CLayoutBuilder::BeginBox(const CHtmlComputedStyle& style, BlockBox& box)
{
    FinishLine();
    AddMargin(style.nMarginTop);
    const CHtmlEdges& padding = style.padding;
    const CHtmlEdges& border = style.border;
    box.nOuterLeft = m_flow.nLeft;
    box.nOuterWidth = m_flow.nWidth;
    box.nOuterAlign = m_flow.nAlign;
    // Its width is that of the contents, padding and border aside; without one it takes
    // the area less its margins. Margins set to auto share what a set width leaves.
    long long nEdges = Across(padding) + Across(border);
    long long nRoom = static_cast<long long>(m_flow.nWidth) - style.nIndentLeft - style.nIndentRight;
    long long nOffset = style.nIndentLeft, nWidth = std::max(nRoom, nEdges);
    box.bWidth = style.width.bGiven && !(style.width.bPercent && m_bMeasuring);
    if (box.bWidth) {
        int nContent = style.width.bPercent ? PercentOf(m_flow.nWidth, style.width.nValue) : style.width.nValue;
        nWidth = std::max(nContent, 0) + nEdges;
        long long nFree = nRoom - nWidth;
        if (nFree > 0 && style.bAutoLeft)
            nOffset += style.bAutoRight ? nFree / 2 : nFree;
    }
    box.nLeft = ClampedLength(m_flow.nLeft + nOffset);
    box.nWidth = ClampedLength(nWidth);
    if (!m_bMeasuring)
        box.decoration = AddDecoration(style, style.nLink);
    box.nTop = m_boxTops.size();
    m_boxTops.push_back(-1);
    // A top border or padding keeps the margins above out of the box.
    if (padding.nTop > 0 || border.nTop > 0)
        PlaceMargin();
    m_flow.nY = ClampedLength(static_cast<long long>(m_flow.nY) + padding.nTop + border.nTop);
    box.nOuterExtent = m_flow.nExtent;
    m_flow.nExtent = 0;
    box.crOuterInlineFill = m_crInlineFill;
    m_crInlineFill = CLR_INVALID;
    SetArea(static_cast<long long>(box.nLeft) + border.nLeft + padding.nLeft, nWidth - nEdges, style.nAlign);
}

void CLayoutBuilder::EndBox(const CHtmlComputedStyle& style, BlockBox& box)
{
    FinishLine();
    const CHtmlEdges& padding = style.padding;
    const CHtmlEdges& border = style.border;
    // A bottom border or padding, or a set height, keeps the last margins inside.
    bool bBottomEdge = padding.nBottom > 0 || border.nBottom > 0 || FixedHeight(style);
    if (bBottomEdge)
        PlaceMargin();
    int nTop = m_boxTops[box.nTop] >= 0 ? m_boxTops[box.nTop] : NextLineTop();
    m_boxTops.resize(box.nTop);
    long long nContentTop = static_cast<long long>(nTop) + padding.nTop + border.nTop;
    long long nBottom = std::max<long long>(m_flow.nY, nContentTop);
    if (FixedHeight(style))
        nBottom = std::max(nBottom, nContentTop + style.height.nValue);
    nBottom += static_cast<long long>(padding.nBottom) + border.nBottom;
    if (bBottomEdge)
        m_flow.nY = ClampedLength(nBottom);
    if (m_bMeasuring) {
        // The contents' widest line, and the padding and border on its right.
        long long nExtent = m_flow.nExtent;
        if (Across(padding) + Across(border) > 0)
            nExtent = std::max<long long>(nExtent, m_flow.nLeft) + padding.nRight + border.nRight;
        if (box.bWidth)
            nExtent = std::max<long long>(nExtent, static_cast<long long>(box.nLeft) + box.nWidth);
        m_flow.nExtent = std::max(box.nOuterExtent, ClampedLength(nExtent));
    } else {
        m_flow.nExtent = box.nOuterExtent;
        PlaceDecoration(box.decoration, Rect(box.nLeft, nTop, static_cast<long long>(box.nLeft) + box.nWidth, nBottom), style);
    }
    m_crInlineFill = box.crOuterInlineFill;
    SetArea(box.nOuterLeft, box.nOuterWidth, box.nOuterAlign);
    AddMargin(style.nMarginBottom);
}

void CLayoutBuilder::InlineBlock(int nNode, const CHtmlComputedStyle& style)
{
    const CHtmlEdges& padding = style.padding;
    const CHtmlEdges& border = style.border;
    long long nEdges = Across(padding) + Across(border);
    long long nMargins = static_cast<long long>(style.nIndentLeft) + style.nIndentRight;
    // As wide as set, or else as its contents want within the room there is, as a cell.
    long long nContent = 0;
    if (style.width.bGiven && !(style.width.bPercent && m_bMeasuring)) {
        nContent = style.width.bPercent ? PercentOf(m_flow.nWidth, style.width.nValue) : style.width.nValue;
    } else {
        int nMin = 0, nMax = 0;
        MeasureCell(nNode, style, &nMin, &nMax);
        // While measuring, an area of no width asks for the narrowest.
        long long nRoom = m_bMeasuring ? (m_flow.nWidth == 0 ? nMin : nMax) : m_flow.nWidth - nMargins - nEdges;
        nContent = std::min<long long>(std::max<long long>(nMin, nRoom), nMax);
    }
    nContent = ClampedLength(std::max(nContent, 0LL));
    long long nBoxWidth = nContent + nEdges;
    int nOuterWidth = ClampedLength(nBoxWidth + nMargins);
    if (m_bMeasuring) {
        m_pLine->AddInlineBlock(nOuterWidth, 0, 0, -1, InlineStyle(style));
        return;
    }
    // Its boxes are laid out at 0, 0 and moved to their place when its line is placed.
    size_t nFirst = BoxCount();
    Decoration decoration = AddDecoration(style, style.nLink);
    int nBaseline = -1;
    long long nHeight = LayoutFlow(nNode, style, ClampedLength(static_cast<long long>(border.nLeft) + padding.nLeft),
                                   ClampedLength(static_cast<long long>(border.nTop) + padding.nTop), static_cast<int>(nContent),
                                   false, &nBaseline);
    if (FixedHeight(style))
        nHeight = std::max<long long>(nHeight, style.height.nValue);
    long long nBoxHeight = nHeight + Down(padding) + Down(border);
    PlaceDecoration(decoration, Rect(0, 0, nBoxWidth, nBoxHeight), style);
    int nBlock = static_cast<int>(m_inlineBlocks.size());
    m_inlineBlocks.push_back({nFirst, BoxCount(), ClampedLength(style.nIndentLeft), ClampedLength(style.nMarginTop)});
    // It stands on its last line's baseline, or without lines on its bottom margin's edge.
    long long nOuterHeight = nBoxHeight + style.nMarginTop + style.nMarginBottom;
    long long nAscent = nBaseline >= 0 ? static_cast<long long>(style.nMarginTop) + nBaseline : nOuterHeight;
    m_pLine->AddInlineBlock(nOuterWidth, ClampedLength(nAscent), ClampedLength(nOuterHeight - nAscent), nBlock, InlineStyle(style));
}
