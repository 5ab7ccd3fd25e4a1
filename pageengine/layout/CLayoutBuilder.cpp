#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include "pageengine/layout/CHtmlTableLayout.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "pageengine/paint/CPageImages.h"
#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/view/CPageAddress.h"
#include <algorithm>

namespace
{
const int kUnbounded = HTML_MAX_COORDINATE;  // the width of lines that never wrap
} // namespace

CLayoutBuilder::CLayoutBuilder(const CHtmlDocument& document, CHtmlFonts& fonts, CPageImages& images,
                         const std::string& strBaseFolder)
    : m_document(document), m_fonts(fonts), m_images(images), m_strBaseFolder(strBaseFolder), m_style(document, fonts)
{
}

CLayoutBuilder::~CLayoutBuilder() = default;

void CLayoutBuilder::Layout(int nWidth, CPageBoxes& out)
{
    out = CPageBoxes();
    // Most pages make fewer boxes than nodes and fewer characters than they hold: the
    // arrays are made once, not grown and copied.
    out.m_boxes.reserve(std::min(m_document.NodeCount(), HTML_MAX_BOXES));
    out.m_strText.resize(m_document.TextBytes());
    m_nText = 0;
    m_pOut = &out;
    out.m_nWidth = nWidth;
    m_measures.Clear();

    CHtmlComputedStyle style = m_style.Page();
    out.m_crBackground = style.crFill;
    std::string strBackground = CPageAddress::ResolveLocal(m_strBaseFolder, style.pszBackground);
    if (!strBackground.empty())
        out.m_nBackgroundImage = m_images.Load(strBackground);

    m_flow = Flow();
    m_floats.Truncate(0);
    m_boxTops.clear();
    m_inlineBlocks.clear();
    m_pszBackground = nullptr;
    m_crInlineFill = CLR_INVALID;
    m_bMeasuring = false;
    m_pList = nullptr;
    m_nFlowDepth = 0;
    m_nTableDepth = 0;
    m_pLine = LineAtDepth(0);
    SetArea(0, nWidth, ALIGN_LEFT);
    // The body is a block whose background is the page's.
    CHtmlComputedStyle body = style;
    body.bFill = false;
    body.pszBackground = nullptr;
    BlockBox box;
    BeginBox(body, box);
    FlowChildren(0, style);
    EndBox(body, box);
    out.m_nHeight = std::min(std::max(m_flow.nY + m_flow.nPendingMargin, m_flow.nFloatBottom), HTML_MAX_PAGE_HEIGHT);
    out.m_strText.resize(m_nText);
    out.Index();
    m_pLine = nullptr;
    m_pOut = nullptr;
}

int CLayoutBuilder::LayoutFlow(int nNode, const CHtmlComputedStyle& style, int x, int y, int nWidth, bool bCell,
                               int* pnBaseline)
{
    Flow flow;
    flow.nY = y;
    flow.bAtCellTop = bCell;
    int nHeight = 0;
    WithNewFlow(flow, false, [&] {
        SetArea(x, nWidth, style.nAlign);
        FlowChildren(nNode, style);
        FinishLine();
        // An inline block keeps its last margin inside.
        if (!bCell)
            PlaceMargin();
        nHeight = std::max(m_flow.nY, m_flow.nFloatBottom) - y;
        if (pnBaseline)
            *pnBaseline = m_flow.nBaseline;
    });
    return nHeight;
}

void CLayoutBuilder::MeasureCell(int nCell, const CHtmlComputedStyle& style, int* pnMin, int* pnMax)
{
    int nMin = 0, nMax = 0;
    if (!m_measures.Find(nCell, &nMin, &nMax)) {
        int anExtent[2] = {0, 0};
        // Plain text needs no flow: one walk finds it plain and measures its widest word and
        // its lines that are never wrapped. Past the lengths that walk takes, its widest
        // word still comes with those lines, without a flow of no width.
        PlainWidths widths;
        bool bPlainText = !style.bPre && m_document.m_styleSheets.empty() && !m_document.m_bStyleAttributes;
        bool bMeasured = bPlainText && MeasurePlainText(nCell, style, widths);
        if (bPlainText && !bMeasured)
            bPlainText = !widths.bNotPlain && IsPlainText(nCell, style);
        if (bMeasured) {
            anExtent[0] = static_cast<int>(widths.nWidest);
            anExtent[1] = static_cast<int>(std::max(widths.nExtent, widths.nLine));
        }
        for (int nPass = bMeasured ? 2 : bPlainText ? 1 : 0; nPass < 2; ++nPass) {
            WithNewFlow(Flow(), true, [&] {
                SetArea(0, nPass == 0 ? 0 : kUnbounded, ALIGN_LEFT);
                FlowChildren(nCell, style);
                FinishLine();
                anExtent[nPass] = m_flow.nExtent;
                if (bPlainText)
                    anExtent[0] = m_pLine->WidestWord();
            });
        }
        nMin = style.bNoWrap ? anExtent[1] : anExtent[0];
        nMax = anExtent[1];
        // Only what is measured while measuring is asked for again: a node is laid out once.
        if (m_bMeasuring)
            m_measures.Add(nCell, nMin, nMax);
    }
    *pnMin = nMin;
    *pnMax = std::max(nMin, nMax);
}

template <class F> void CLayoutBuilder::WithNewFlow(const Flow& flow, bool bMeasuring, F fn)
{
    Flow saved = m_flow;
    bool bSavedMeasuring = m_bMeasuring;
    List* pSavedList = m_pList;
    CHtmlLineBuilder* pSavedLine = m_pLine;
    COLORREF crSavedInlineFill = m_crInlineFill;
    size_t nSavedFloats = m_floats.Count();
    m_flow = flow;
    m_flow.nFirstFloat = nSavedFloats;
    m_flow.nFirstBoxTop = m_boxTops.size();
    m_bMeasuring = bSavedMeasuring || bMeasuring;
    m_pList = nullptr;
    m_crInlineFill = CLR_INVALID;
    m_pLine = LineAtDepth(++m_nFlowDepth);
    m_pLine->SetBreakLongWords(!m_bMeasuring);
    m_pLine->SetWidthsOnly(m_bMeasuring);
    fn();
    --m_nFlowDepth;
    m_floats.Truncate(nSavedFloats);
    m_pLine = pSavedLine;
    m_crInlineFill = crSavedInlineFill;
    m_pList = pSavedList;
    m_bMeasuring = bSavedMeasuring;
    m_flow = saved;
}

CHtmlLineBuilder* CLayoutBuilder::LineAtDepth(size_t nDepth)
{
    if (nDepth >= m_lines.size())
        m_lines.push_back(std::make_unique<CHtmlLineBuilder>(m_fonts, [this] { FinishLine(); }, [this] { return MoveBelowAFloat(); }));
    CHtmlLineBuilder* pLine = m_lines[nDepth].get();
    pLine->Reset();
    return pLine;
}

bool CLayoutBuilder::IsFull() const
{
    return !m_bMeasuring && (m_pOut->m_boxes.size() >= HTML_MAX_BOXES || m_flow.nY >= HTML_MAX_PAGE_HEIGHT);
}

void CLayoutBuilder::FlowChildren(int nNode, const CHtmlComputedStyle& style)
{
    for (int nChild = m_document.Node(nNode).nFirstChild; nChild >= 0 && !IsFull(); nChild = m_document.Node(nChild).nNext) {
        const CHtmlNode& child = m_document.Node(nChild);
        if (child.nTag != TAG_TEXT)
            Element(nChild, style);
        else if (style.bPre)
            m_pLine->AddPreformatted(m_document.Text(nChild).data(), m_document.Text(nChild).size(), InlineStyle(style));
        else
            m_pLine->AddText(m_document.Text(nChild).data(), m_document.Text(nChild).size(), InlineStyle(style));
    }
}

void CLayoutBuilder::Element(int nNode, const CHtmlComputedStyle& parent)
{
    CHtmlComputedStyle style = m_style.Element(nNode, parent, m_bMeasuring);
    if (style.nDisplay == DISPLAY_NONE)
        return;
    if (style.pszHref && !m_bMeasuring)
        style.nLink = m_pOut->AddLink(style.pszHref);
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(m_document.Node(nNode).nTag);
    HtmlTagKind nKind = tag.nKind;
    // Elements of text and blocks take the display their style gives; rows and cells stay
    // in their table.
    if ((nKind == KIND_INLINE || nKind == KIND_BLOCK) && !tag.Has(TRAIT_ROW | TRAIT_CELL)) {
        if (style.nDisplay == DISPLAY_INLINE_BLOCK) {
            InlineBlock(nNode, style);
            return;
        }
        if (style.nDisplay == DISPLAY_BLOCK)
            nKind = KIND_BLOCK;
        else if (style.nDisplay == DISPLAY_INLINE)
            nKind = KIND_INLINE;
    }
    switch (nKind) {
    case KIND_IMAGE:
        // A picture shown as a block has its line to itself.
        if (style.nDisplay == DISPLAY_BLOCK)
            FinishLine();
        Image(nNode, style);
        if (style.nDisplay == DISPLAY_BLOCK)
            FinishLine();
        break;
    case KIND_BREAK:
        m_pLine->Break(style.nFont, style.nLineHeight);
        ClearFloats(style.nClear);
        break;
    case KIND_RULE:
        Rule(style);
        break;
    case KIND_TABLE:
        Table(nNode, style);
        break;
    case KIND_BLOCK:
        Block(nNode, style);
        break;
    default: {
        COLORREF crOuterFill = m_crInlineFill;
        if (style.bFill)
            m_crInlineFill = style.crFill;
        FlowChildren(nNode, style);
        m_crInlineFill = crOuterFill;
        break;
    }
    }
}

void CLayoutBuilder::Block(int nNode, const CHtmlComputedStyle& style)
{
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(m_document.Node(nNode).nTag);
    BlockBox box;
    BeginBox(style, box);
    List list = {tag.Has(TRAIT_ORDERED), 1};
    List* pOuterList = m_pList;
    // A list item has its marker, unless its style shows it as a plain block.
    if (tag.Has(TRAIT_LIST)) {
        m_pList = &list;
    } else if (tag.Has(TRAIT_LIST_ITEM) && style.nDisplay != DISPLAY_BLOCK) {
        bool bOrdered = m_pList && m_pList->bOrdered;
        m_flow.nMarker = bOrdered ? 3 : std::min(std::max(style.nListDepth - 1, 0), 2);
        m_flow.nMarkerNumber = bOrdered ? m_pList->nNext++ : 0;
        m_flow.nMarkerFont = style.nFont;
        m_flow.crMarker = style.crText;
    }
    FlowChildren(nNode, style);
    if (m_flow.nMarker >= 0)
        m_pLine->Break(style.nFont, style.nLineHeight);   // an empty item still shows its marker
    FinishLine();
    m_pList = pOuterList;
    EndBox(style, box);
}

void CLayoutBuilder::Image(int nNode, const CHtmlComputedStyle& style)
{
    std::string strPath = CPageAddress::ResolveLocal(m_strBaseFolder, m_document.Attribute(nNode, "src"));
    int nImage = strPath.empty() ? -1 : m_images.Load(strPath);
    int nWidth = style.width.nValue, nHeight = style.height.nValue;
    bool bWidth = style.width.bGiven;
    bool bHeight = style.height.bGiven && !style.height.bPercent;
    if (bWidth && style.width.bPercent)
        nWidth = m_bMeasuring ? 0 : PercentOf(m_flow.nWidth, nWidth);
    const char* pszAlt = m_document.Attribute(nNode, "alt");
    std::string strAlt = pszAlt ? pszAlt : "";
    if (nImage >= 0) {
        const CWicImage& image = m_images.Image(nImage);
        if (!bWidth && !bHeight) {
            nWidth = image.Width();
            nHeight = image.Height();
        } else if (!bHeight) {
            nHeight = static_cast<int>(static_cast<long long>(nWidth) * image.Height() / image.Width());
        } else if (!bWidth) {
            nWidth = static_cast<int>(static_cast<long long>(nHeight) * image.Width() / image.Height());
        }
    } else if (!bWidth || !bHeight) {
        // A picture that cannot be shown and has no size: its text stands for it.
        m_pLine->AddText(strAlt.data(), strAlt.size(), InlineStyle(style));
        return;
    }
    nWidth = std::min(nWidth, HTML_MAX_LENGTH);
    nHeight = std::min(nHeight, HTML_MAX_LENGTH);
    POINT pt;
    int nOuterWidth = nWidth + 2 * style.nBorder, nOuterHeight = nHeight + 2 * style.nBorder;
    bool bRight = style.nPlacement == ALIGN_RIGHT;
    if (style.bPlaced && !m_bMeasuring && FindFloat(nOuterWidth, bRight, &pt)) {
        CPageBox box = {};
        box.rc = {pt.x, pt.y, ClampedLength(static_cast<long long>(pt.x) + nOuterWidth),
                  ClampedLength(static_cast<long long>(pt.y) + nOuterHeight)};
        AddFloat(box.rc, bRight);
        box.nFont = static_cast<short>(style.nFont);
        box.cr = style.crText;
        box.nLink = style.nLink;
        box.nImage = nImage;
        box.nText = static_cast<uint32_t>(KeepText(strAlt.data(), strAlt.size()));
        box.nTextLength = static_cast<uint32_t>(strAlt.size());
        AddPicture(box, style.nBorder);
        return;
    }
    m_pLine->AddImage(nWidth, nHeight, style.nBorder, nImage, strAlt, InlineStyle(style));
}

void CLayoutBuilder::Rule(const CHtmlComputedStyle& style)
{
    FinishLine();
    AddMargin(style.nMarginTop);
    PlaceMargin();
    int nWidth = m_flow.nWidth, nSize = style.nThickness;
    if (style.width.bGiven)
        nWidth = style.width.bPercent ? PercentOf(m_flow.nWidth, style.width.nValue) : style.width.nValue;
    nWidth = std::max(0, std::min(nWidth, m_flow.nWidth));
    if (!m_bMeasuring) {
        HtmlAlign nAlign = style.nPlacement;
        int x = m_flow.nLeft + (nAlign == ALIGN_LEFT ? 0 : (m_flow.nWidth - nWidth) / (nAlign == ALIGN_CENTER ? 2 : 1));
        CPageBox box = {};
        box.rc = {x, m_flow.nY, x + nWidth, m_flow.nY + nSize};
        box.nKind = BOX_RULE;
        box.nLink = -1;
        box.nThickness = style.bFill ? 1 : 0;
        box.cr = style.crFill;
        AddBox(box);
    }
    m_flow.nY = ClampedLength(static_cast<long long>(m_flow.nY) + nSize);
    AddMargin(style.nMarginBottom);
}

void CLayoutBuilder::Table(int nNode, const CHtmlComputedStyle& style)
{
    FinishLine();
    AddMargin(style.nMarginTop);
    if (m_bMeasuring) {
        PlaceMargin();
        int nMin = 0, nMax = 0;
        if (!m_measures.Find(nNode, &nMin, &nMax)) {
            WithTable(nNode, style, [&](CHtmlTableLayout& table) { table.Measure(&nMin, &nMax); });
            m_measures.Add(nNode, nMin, nMax);
        }
        m_flow.nExtent = std::max(m_flow.nExtent, ClampedLength(static_cast<long long>(m_flow.nLeft) +
                                                                (m_flow.nWidth == 0 ? nMin : nMax)));
        return;
    }
    // A table aligned left or right floats there, below the margin waiting to be placed,
    // which still collapses with the next block's; others go beside the floats at their top.
    HtmlAlign nSide = style.nPlacement;
    if (style.bPlaced && nSide != ALIGN_CENTER) {
        bool bFloated = false;
        WithTable(nNode, style, [&](CHtmlTableLayout& table) {
            int nTableWidth = table.Width(m_flow.nWidth);
            POINT pt;
            if (!FindFloat(nTableWidth, nSide == ALIGN_RIGHT, &pt))
                return;
            // Laid out in the area's width (its percentages are of that), placed at pt.
            long long nLeft = nSide == ALIGN_RIGHT ? static_cast<long long>(pt.x) + nTableWidth - m_flow.nWidth : pt.x;
            int nHeight = table.Layout(ClampedLength(nLeft), m_flow.nWidth, ALIGN_LEFT, pt.y);
            AddFloat({pt.x, pt.y, ClampedLength(static_cast<long long>(pt.x) + nTableWidth),
                      ClampedLength(static_cast<long long>(pt.y) + nHeight)}, nSide == ALIGN_RIGHT);
            bFloated = true;
        });
        if (bFloated)
            return;
    }
    PlaceMargin();
    FitLine();
    // Its margins narrow the room beside the floats; margins set to auto centre it there.
    HtmlAlign nAlign = style.bAutoLeft ? (style.bAutoRight ? ALIGN_CENTER : ALIGN_RIGHT) : m_flow.nAlign;
    long long nWidth = static_cast<long long>(m_flow.nLineWidth) - style.nIndentLeft - style.nIndentRight;
    int nHeight = 0;
    WithTable(nNode, style, [&](CHtmlTableLayout& table) {
        nHeight = table.Layout(ClampedLength(static_cast<long long>(m_flow.nLineLeft) + style.nIndentLeft),
                               ClampedLength(std::max(nWidth, 0LL)), nAlign, m_flow.nY);
    });
    m_flow.nY = ClampedLength(static_cast<long long>(m_flow.nY) + nHeight);
    AddMargin(style.nMarginBottom);
}

template <class F> void CLayoutBuilder::WithTable(int nNode, const CHtmlComputedStyle& style, F fn)
{
    if (m_nTableDepth >= m_tables.size())
        m_tables.push_back(std::make_unique<CHtmlTableLayout>(*this));
    CHtmlTableLayout& table = *m_tables[m_nTableDepth++];
    table.Begin(nNode, style);
    fn(table);
    --m_nTableDepth;
}
