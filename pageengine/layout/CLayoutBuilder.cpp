#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/layout/CHtmlTableLayout.h"
#include "pageengine/view/CPageAddress.h"
#include "pageengine/paint/CPageImages.h"
#include <algorithm>

namespace
{
const int kBodyMargin = 8;
const int kIndent = 40;          // lists and quotations
const int kMarkerGap = 8;        // between a list marker and its item
const int kUnbounded = 1 << 28;  // the width of lines that never wrap
// Narrower areas keep long words whole instead of breaking them into a column of letters.
const int kNarrowestBreak = 48;
// Heading sizes in pixels and their margins in tenths of their size.
const int kHeadingPixels[] = {32, 24, 19, 16, 13, 11};
const int kHeadingMargins[] = {7, 8, 10, 13, 17, 23};
const int kPreformattedPixels = 13;
} // namespace

CLayoutBuilder::CLayoutBuilder(const CHtmlDocument& document, CHtmlFonts& fonts, CPageImages& images,
                         const std::string& strBaseFolder)
    : m_document(document), m_fonts(fonts), m_images(images), m_strBaseFolder(strBaseFolder)
{
}

void CLayoutBuilder::Layout(int nWidth, CPageBoxes& layout)
{
    layout = CPageBoxes();
    m_pOut = &layout;
    layout.m_nWidth = nWidth;
    m_measures.assign(m_document.NodeCount(), Measure{0, 0, false});

    CHtmlStyle style;
    CHtmlAttributes::Color(m_document.BodyAttribute("text"), &style.crText);
    CHtmlAttributes::Color(m_document.BodyAttribute("bgcolor"), &layout.m_crBackground);
    m_crLink = RGB(0, 0, 238);
    CHtmlAttributes::Color(m_document.BodyAttribute("link"), &m_crLink);
    std::string strBackground = CPageAddress::ResolveLocal(m_strBaseFolder, m_document.BodyAttribute("background"));
    if (!strBackground.empty())
        layout.m_nBackgroundImage = m_images.Load(strBackground);
    UpdateFont(style);

    m_flow = Flow();
    m_flow.nPendingMargin = kBodyMargin;
    m_bMeasuring = false;
    m_pList = nullptr;
    m_pLine = std::make_unique<CHtmlLineBuilder>(m_fonts, [this] { FinishLine(); });
    SetArea(kBodyMargin, nWidth - 2 * kBodyMargin, ALIGN_LEFT);
    FlowChildren(0, style);
    FinishLine();
    AddMargin(kBodyMargin);
    layout.m_nHeight = std::min(m_flow.nY + m_flow.nPendingMargin, HTML_MAX_PAGE_HEIGHT);
    layout.Index();
    m_pLine.reset();
    m_pOut = nullptr;
}

int CLayoutBuilder::LayoutCell(int nCell, const CHtmlStyle& style, int x, int y, int nWidth)
{
    Flow flow;
    flow.nY = y;
    flow.bAtCellTop = true;
    int nHeight = 0;
    WithNewFlow(flow, false, [&] {
        SetArea(x, nWidth, style.nAlign);
        FlowChildren(nCell, style);
        FinishLine();
        nHeight = m_flow.nY - y;
    });
    return nHeight;
}

void CLayoutBuilder::MeasureCell(int nCell, const CHtmlStyle& style, bool bNoWrap, int* pnMin, int* pnMax)
{
    Measure& measure = m_measures[static_cast<size_t>(nCell)];
    if (!measure.bKnown) {
        int anExtent[2] = {0, 0};
        for (int nPass = 0; nPass < 2; ++nPass) {
            WithNewFlow(Flow(), true, [&] {
                SetArea(0, nPass == 0 ? 0 : kUnbounded, ALIGN_LEFT);
                FlowChildren(nCell, style);
                FinishLine();
                anExtent[nPass] = m_flow.nExtent;
            });
        }
        measure = {bNoWrap ? anExtent[1] : anExtent[0], anExtent[1], true};
    }
    *pnMin = measure.nMin;
    *pnMax = std::max(measure.nMin, measure.nMax);
}

template <class F> void CLayoutBuilder::WithNewFlow(const Flow& flow, bool bMeasuring, F fn)
{
    Flow saved = m_flow;
    bool bSavedMeasuring = m_bMeasuring;
    List* pSavedList = m_pList;
    std::unique_ptr<CHtmlLineBuilder> pSavedLine = std::move(m_pLine);
    m_flow = flow;
    m_bMeasuring = bSavedMeasuring || bMeasuring;
    m_pList = nullptr;
    m_pLine = std::make_unique<CHtmlLineBuilder>(m_fonts, [this] { FinishLine(); });
    m_pLine->SetBreakLongWords(!m_bMeasuring);
    fn();
    m_pLine = std::move(pSavedLine);
    m_pList = pSavedList;
    m_bMeasuring = bSavedMeasuring;
    m_flow = saved;
}

size_t CLayoutBuilder::AddBox(const CPageBox& box)
{
    m_pOut->m_boxes.push_back(box);
    return m_pOut->m_boxes.size() - 1;
}

void CLayoutBuilder::UpdateFont(CHtmlStyle& style)
{
    style.nFont = style.bPre ? m_fonts.GetMonospace(style.nPixels, style.bBold, style.bItalic, style.bUnderline)
                             : m_fonts.Get(style.pszFaces, style.nPixels, style.bBold, style.bItalic, style.bUnderline);
}

bool CLayoutBuilder::IsFull() const
{
    return !m_bMeasuring && (m_pOut->m_boxes.size() >= HTML_MAX_BOXES || m_flow.nY >= HTML_MAX_PAGE_HEIGHT);
}

void CLayoutBuilder::FlowChildren(int nNode, const CHtmlStyle& style)
{
    for (int nChild = m_document.Node(nNode).nFirstChild; nChild >= 0 && !IsFull(); nChild = m_document.Node(nChild).nNext) {
        const CHtmlNode& child = m_document.Node(nChild);
        if (child.nTag != TAG_TEXT)
            Element(nChild, style);
        else if (style.bPre)
            m_pLine->AddPreformatted(child.strText.data(), child.strText.size(), InlineStyle(style));
        else
            m_pLine->AddText(child.strText.data(), child.strText.size(), InlineStyle(style));
    }
}

void CLayoutBuilder::Element(int nNode, const CHtmlStyle& parent)
{
    CHtmlStyle style = parent;
    switch (m_document.Node(nNode).nTag) {
    case TAG_B: case TAG_STRONG:
        style.bBold = true;
        break;
    case TAG_I: case TAG_EM:
        style.bItalic = true;
        break;
    case TAG_U:
        style.bUnderline = true;
        break;
    case TAG_FONT:
        CHtmlAttributes::Color(m_document.Attribute(nNode, "color"), &style.crText);
        CHtmlAttributes::FontPixels(m_document.Attribute(nNode, "size"), &style.nPixels);
        if (const char* pszFaces = m_document.Attribute(nNode, "face"))
            style.pszFaces = pszFaces;
        break;
    case TAG_A:
        if (const char* pszHref = m_document.Attribute(nNode, "href")) {
            if (!m_bMeasuring) {
                style.nLink = static_cast<int>(m_pOut->m_links.size());
                m_pOut->m_links.push_back({pszHref});
            }
            style.crText = m_crLink;
            style.bUnderline = true;
        }
        break;
    case TAG_IMG:
        Image(nNode, style);
        return;
    case TAG_BR:
        m_pLine->Break(style.nFont);
        return;
    case TAG_HR:
        Rule(nNode, style);
        return;
    case TAG_TABLE:
        Table(nNode, style);
        return;
    case TAG_H1: case TAG_H2: case TAG_H3: case TAG_H4: case TAG_H5: case TAG_H6: case TAG_P: case TAG_DIV:
    case TAG_CENTER: case TAG_BLOCKQUOTE: case TAG_PRE: case TAG_UL: case TAG_OL: case TAG_LI: case TAG_TR:
    case TAG_TD: case TAG_TH:
        Block(nNode, style);
        return;
    default:
        break;
    }
    UpdateFont(style);
    FlowChildren(nNode, style);
}

void CLayoutBuilder::Block(int nNode, CHtmlStyle style)
{
    HtmlTag nTag = m_document.Node(nNode).nTag;
    int nMargin = 0, nIndentLeft = 0, nIndentRight = 0;
    List list = {nTag == TAG_OL, 1};
    switch (nTag) {
    case TAG_H1: case TAG_H2: case TAG_H3: case TAG_H4: case TAG_H5: case TAG_H6: {
        int nLevel = nTag - TAG_H1;
        style.nPixels = kHeadingPixels[nLevel];
        style.bBold = true;
        nMargin = style.nPixels * kHeadingMargins[nLevel] / 10;
        break;
    }
    case TAG_P:
        nMargin = style.nPixels;
        break;
    case TAG_CENTER:
        style.nAlign = ALIGN_CENTER;
        break;
    case TAG_BLOCKQUOTE:
        nMargin = style.nPixels;
        nIndentLeft = nIndentRight = kIndent;
        break;
    case TAG_PRE:
        style.bPre = true;
        if (style.nPixels == 16)
            style.nPixels = kPreformattedPixels;
        nMargin = style.nPixels;
        break;
    case TAG_UL: case TAG_OL:
        nMargin = style.nListDepth == 0 ? style.nPixels : 0;
        nIndentLeft = kIndent;
        ++style.nListDepth;
        break;
    default:
        break;
    }
    CHtmlAttributes::Align(m_document.Attribute(nNode, "align"), &style.nAlign);
    UpdateFont(style);

    FinishLine();
    AddMargin(nMargin);
    Flow outer = m_flow;
    SetArea(outer.nLeft + nIndentLeft, outer.nWidth - nIndentLeft - nIndentRight, style.nAlign);
    List* pOuterList = m_pList;
    if (nTag == TAG_UL || nTag == TAG_OL) {
        m_pList = &list;
    } else if (nTag == TAG_LI) {
        bool bOrdered = m_pList && m_pList->bOrdered;
        m_flow.nMarker = bOrdered ? 3 : std::min(std::max(style.nListDepth - 1, 0), 2);
        m_flow.nMarkerNumber = bOrdered ? m_pList->nNext++ : 0;
        m_flow.nMarkerFont = style.nFont;
        m_flow.crMarker = style.crText;
    }
    FlowChildren(nNode, style);
    if (m_flow.nMarker >= 0)
        m_pLine->Break(style.nFont);   // an empty item still shows its marker
    FinishLine();
    m_pList = pOuterList;
    SetArea(outer.nLeft, outer.nWidth, outer.nAlign);
    AddMargin(nMargin);
}

void CLayoutBuilder::Image(int nNode, const CHtmlStyle& style)
{
    std::string strPath = CPageAddress::ResolveLocal(m_strBaseFolder, m_document.Attribute(nNode, "src"));
    int nImage = strPath.empty() ? -1 : m_images.Load(strPath);
    int nWidth = 0, nHeight = 0;
    bool bWidthPercent = false, bHeightPercent = false;
    bool bWidth = CHtmlAttributes::Length(m_document.Attribute(nNode, "width"), &nWidth, &bWidthPercent);
    bool bHeight = CHtmlAttributes::Length(m_document.Attribute(nNode, "height"), &nHeight, &bHeightPercent) &&
                   !bHeightPercent;
    if (bWidth && bWidthPercent)
        nWidth = m_bMeasuring ? 0 : std::max(m_flow.nWidth, 0) * nWidth / 100;
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
    int nBorder = 0;
    CHtmlAttributes::Integer(m_document.Attribute(nNode, "border"), 0, 50, 1, &nBorder);
    m_pLine->AddImage(nWidth, nHeight, nBorder, nImage, strAlt, InlineStyle(style));
}

void CLayoutBuilder::Rule(int nNode, const CHtmlStyle& style)
{
    FinishLine();
    AddMargin(style.nPixels / 2);
    PlaceMargin();
    int nWidth = m_flow.nWidth, nSize = 2;
    bool bPercent = false;
    if (CHtmlAttributes::Length(m_document.Attribute(nNode, "width"), &nWidth, &bPercent) && bPercent)
        nWidth = std::max(m_flow.nWidth, 0) * nWidth / 100;
    nWidth = std::max(0, std::min(nWidth, m_flow.nWidth));
    CHtmlAttributes::Integer(m_document.Attribute(nNode, "size"), 1, 100, 2, &nSize);
    HtmlAlign nAlign = ALIGN_CENTER;
    CHtmlAttributes::Align(m_document.Attribute(nNode, "align"), &nAlign);
    if (!m_bMeasuring) {
        int x = m_flow.nLeft + (nAlign == ALIGN_LEFT ? 0 : (m_flow.nWidth - nWidth) / (nAlign == ALIGN_CENTER ? 2 : 1));
        CPageBox box = {};
        box.rc = {x, m_flow.nY, x + nWidth, m_flow.nY + nSize};
        box.nKind = BOX_RULE;
        box.nLink = -1;
        box.cr = style.crText;
        AddBox(box);
    }
    m_flow.nY += nSize;
    AddMargin(style.nPixels / 2);
}

void CLayoutBuilder::Table(int nNode, const CHtmlStyle& style)
{
    FinishLine();
    PlaceMargin();
    if (m_bMeasuring) {
        Measure& measure = m_measures[static_cast<size_t>(nNode)];
        if (!measure.bKnown) {
            CHtmlTableLayout(*this, nNode, style).Measure(&measure.nMin, &measure.nMax);
            measure.bKnown = true;
        }
        m_flow.nExtent = std::max(m_flow.nExtent, m_flow.nLeft + (m_flow.nWidth == 0 ? measure.nMin : measure.nMax));
        return;
    }
    m_flow.nY += CHtmlTableLayout(*this, nNode, style).Layout(m_flow.nLeft, m_flow.nWidth, m_flow.nAlign, m_flow.nY);
}

void CLayoutBuilder::SetArea(int nLeft, int nWidth, HtmlAlign nAlign)
{
    m_flow.nLeft = nLeft;
    m_flow.nWidth = std::max(nWidth, 0);
    m_flow.nAlign = nAlign;
    m_pLine->SetWidth(m_flow.nWidth);
    m_pLine->SetBreakLongWords(!m_bMeasuring && m_flow.nWidth >= kNarrowestBreak);
}

void CLayoutBuilder::AddMargin(int nMargin)
{
    // Margins that meet collapse into the largest; a cell's first ones go.
    if (!m_flow.bAtCellTop)
        m_flow.nPendingMargin = std::max(m_flow.nPendingMargin, nMargin);
}

void CLayoutBuilder::PlaceMargin()
{
    m_flow.nY += m_flow.nPendingMargin;
    m_flow.nPendingMargin = 0;
    m_flow.bAtCellTop = false;
}

void CLayoutBuilder::FinishLine()
{
    CHtmlLineBuilder& line = *m_pLine;
    if (line.IsEmpty() && line.BreakFont() < 0) {
        line.Clear();
        return;
    }
    int nAscent = 0, nDescent = 0;
    if (line.IsEmpty()) {
        nAscent = m_fonts.Ascent(line.BreakFont());
        nDescent = m_fonts.Descent(line.BreakFont());
    }
    for (const CLineItem& item : line.Items()) {
        nAscent = std::max(nAscent, item.nAscent);
        nDescent = std::max(nDescent, item.nDescent);
    }
    PlaceMargin();
    if (m_bMeasuring) {
        m_flow.nExtent = std::max(m_flow.nExtent, m_flow.nLeft + line.Width());
    } else if (!IsFull()) {
        int nFree = std::max(m_flow.nWidth - line.Width(), 0);
        int x = m_flow.nLeft + (m_flow.nAlign == ALIGN_CENTER ? nFree / 2 : m_flow.nAlign == ALIGN_RIGHT ? nFree : 0);
        int nBaseline = m_flow.nY + nAscent;
        for (const CLineItem& item : line.Items()) {
            CPageBox box = {};
            box.rc = {x + item.nX, nBaseline - item.nAscent, x + item.nX + item.nWidth, nBaseline + item.nDescent};
            box.nFont = item.style.nFont;
            box.cr = item.style.crText;
            box.nLink = item.style.nLink;
            box.nText = m_pOut->m_strText.size();
            if (!item.bImage) {
                box.nKind = BOX_TEXT;
                box.nTextLength = item.nLength;
                m_pOut->m_strText.append(line.Text(), item.nText, item.nLength);
                AddBox(box);
                continue;
            }
            box.nKind = BOX_IMAGE;
            box.nImage = item.nImage;
            box.nTextLength = item.nAltLength;
            m_pOut->m_strText.append(line.Text(), item.nAlt, item.nAltLength);
            if (item.nBorder > 0) {
                CPageBox frame = box;
                frame.nKind = BOX_FRAME;
                frame.nThickness = static_cast<unsigned char>(item.nBorder);
                frame.nTextLength = 0;
                AddBox(frame);
                ::InflateRect(&box.rc, -item.nBorder, -item.nBorder);
            }
            AddBox(box);
        }
        PlaceMarker(nBaseline);
    }
    m_flow.nMarker = -1;
    m_flow.nY += nAscent + nDescent;
    line.Clear();
}

void CLayoutBuilder::PlaceMarker(int nBaseline)
{
    if (m_flow.nMarker < 0)
        return;
    CPageBox box = {};
    box.nLink = -1;
    box.cr = m_flow.crMarker;
    box.nFont = m_flow.nMarkerFont;
    int nAscent = m_fonts.Ascent(m_flow.nMarkerFont);
    int nRight = m_flow.nLeft - kMarkerGap;
    if (m_flow.nMarker == 3) {
        std::string strNumber = std::to_string(m_flow.nMarkerNumber) + ".";
        int nWidth = m_fonts.TextWidth(box.nFont, strNumber.data(), strNumber.size());
        box.nKind = BOX_TEXT;
        box.rc = {nRight - nWidth, nBaseline - nAscent, nRight, nBaseline + m_fonts.Descent(box.nFont)};
        box.nText = m_pOut->m_strText.size();
        box.nTextLength = strNumber.size();
        m_pOut->m_strText += strNumber;
    } else {
        int nSize = std::max(4, nAscent / 3);
        int nTop = nBaseline - nAscent / 3 - nSize / 2 - 1;
        box.nKind = BOX_BULLET;
        box.nThickness = static_cast<unsigned char>(m_flow.nMarker);
        box.rc = {nRight - nSize, nTop, nRight, nTop + nSize};
    }
    AddBox(box);
}
