// CLayoutBuilder: the lines of a flow, with its area and margins, and what sits in or
// beside them: pictures, floats and list markers; whether contents are plain text.
#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "pageengine/style/CHtmlFonts.h"
#include <algorithm>
#include <string>

namespace
{
const int kMarkerGap = 8;   // between a list marker and its item
// Narrower areas keep long words whole instead of breaking them into a column of letters.
const int kNarrowestBreak = 48;
// Plain text this wide or wider is measured by a flow, which holds lengths.
const long long kPlainMost = HTML_MAX_COORDINATE / 4;

// The blanks of the line builder.
bool IsBlank(char ch)
{
    return static_cast<unsigned char>(ch) <= ' ' && (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f');
}

// The part of the leading between a set line height and a font's height that goes above
// the text; the rest goes below.
int LeadingAbove(int nLineHeight, int nAscent, int nDescent)
{
    long long nLeading = static_cast<long long>(nLineHeight) - nAscent - nDescent;
    return ClampedLength(nLeading >= 0 ? nLeading / 2 : -((1 - nLeading) / 2));
}
} // namespace

void CLayoutBuilder::SetArea(long long nLeft, long long nWidth, HtmlAlign nAlign)
{
    m_flow.nLeft = ClampedLength(nLeft);
    m_flow.nWidth = ClampedLength(std::max(nWidth, 0LL));
    m_flow.nAlign = nAlign;
    m_pLine->SetBreakLongWords(!m_bMeasuring && m_flow.nWidth >= kNarrowestBreak);
    FitLine();
}

void CLayoutBuilder::PlaceMargin()
{
    m_flow.nY = ClampedLength(static_cast<long long>(m_flow.nY) + m_flow.nPendingMargin);
    m_flow.nPendingMargin = 0;
    m_flow.bAtCellTop = false;
    // The blocks of this flow still waiting for their top start here.
    for (size_t i = m_boxTops.size(); i-- > m_flow.nFirstBoxTop && m_boxTops[i] < 0;)
        m_boxTops[i] = m_flow.nY;
}

void CLayoutBuilder::FinishLine()
{
    CHtmlLineBuilder& line = *m_pLine;
    if (line.IsEmpty() && line.BreakFont() < 0) {
        line.Clear();
        return;
    }
    // The line is as high as its items with the leading their line height sets around
    // their text: the boxes keep the font's height. A line height smaller than the font's
    // may leave less than nothing on one side.
    int nAscent = -HTML_MAX_COORDINATE, nDescent = -HTML_MAX_COORDINATE;
    auto fit = [&](int nItemAscent, int nItemDescent, int nLineHeight) {
        int nAbove = 0;
        if (nLineHeight > 0) {
            nAbove = LeadingAbove(nLineHeight, nItemAscent, nItemDescent);
            nItemDescent = ClampedLength(static_cast<long long>(nLineHeight) - nItemAscent - nAbove);
            nItemAscent = ClampedLength(static_cast<long long>(nItemAscent) + nAbove);
        }
        nAscent = std::max(nAscent, nItemAscent);
        nDescent = std::max(nDescent, nItemDescent);
    };
    if (line.IsEmpty())
        fit(m_fonts.Ascent(line.BreakFont()), m_fonts.Descent(line.BreakFont()), line.BreakLineHeight());
    for (size_t nItem = 0; nItem < line.ItemCount(); ++nItem) {
        const CLineItem& item = line.Item(nItem);
        fit(item.nAscent, item.nDescent, item.bImage ? 0 : item.style.nLineHeight);
    }
    PlaceMargin();
    if (m_bMeasuring) {
        m_flow.nExtent = std::max(m_flow.nExtent, ClampedLength(static_cast<long long>(m_flow.nLeft) + line.Width()));
    } else {
        // A full page takes no more boxes; inline blocks' boxes, already there, still go
        // to their place.
        bool bFull = IsFull();
        int nFree = std::max(m_flow.nLineWidth - line.Width(), 0);
        int x = m_flow.nLineLeft + (m_flow.nAlign == ALIGN_CENTER ? nFree / 2 : m_flow.nAlign == ALIGN_RIGHT ? nFree : 0);
        int nBaseline = m_flow.nY + nAscent;
        m_flow.nBaseline = nBaseline;
        // The line's texts go to the page in one piece; its boxes point into it.
        size_t nLineText = m_nText;
        if (!bFull)
            KeepText(line.Text().data(), line.Text().size());
        for (size_t nItem = 0; nItem < line.ItemCount(); ++nItem) {
            const CLineItem& item = line.Item(nItem);
            CPageBox box = {};
            box.rc = {x + item.nX, nBaseline - item.nAscent, x + item.nX + item.nWidth, nBaseline + item.nDescent};
            box.nFont = static_cast<short>(item.style.nFont);
            box.cr = item.style.crText;
            box.nLink = item.style.nLink;
            if (item.nBlock >= 0) {
                const InlineBlockBoxes& block = m_inlineBlocks[static_cast<size_t>(item.nBlock)];
                for (size_t i = block.nFirst; i < block.nEnd; ++i)
                    ::OffsetRect(&Box(i).rc, box.rc.left + block.dx, box.rc.top + block.dy);
                continue;
            }
            if (bFull)
                continue;
            if (!item.bImage) {
                if (item.style.crFill != CLR_INVALID) {
                    CPageBox fill = box;
                    fill.nKind = BOX_FILL;
                    fill.cr = item.style.crFill;
                    fill.nLink = -1;
                    AddBox(fill);
                }
                box.nKind = BOX_TEXT;
                box.nText = static_cast<uint32_t>(nLineText + item.nText);
                box.nTextLength = static_cast<uint32_t>(item.nLength);
                AddBox(box);
                continue;
            }
            box.nImage = item.nImage;
            box.nText = static_cast<uint32_t>(nLineText + item.nAlt);
            box.nTextLength = static_cast<uint32_t>(item.nAltLength);
            AddPicture(box, item.nBorder);
        }
        if (!bFull)
            PlaceMarker(nBaseline);
    }
    m_flow.nMarker = -1;
    m_flow.nY = ClampedLength(static_cast<long long>(m_flow.nY) + nAscent + nDescent);
    line.Clear();
    FitLine();
}

size_t CLayoutBuilder::KeepText(const char* pch, size_t nLength)
{
    // Into room the page's text already has (as much as the page's texts): a line's text
    // is short, and copied without a call it costs far less than appended to the string.
    std::string& strText = m_pOut->m_strText;
    if (strText.size() - m_nText < nLength)
        strText.resize(std::max(2 * strText.size(), m_nText + nLength));
    char* pTo = &strText[0] + m_nText;
    for (size_t i = 0; i < nLength; ++i)
        pTo[i] = pch[i];
    size_t nAt = m_nText;
    m_nText += nLength;
    return nAt;
}

void CLayoutBuilder::AddPicture(CPageBox box, int nBorder)
{
    box.nKind = BOX_IMAGE;
    if (nBorder > 0) {
        CPageBox frame = box;
        frame.nKind = BOX_FRAME;
        frame.nThickness = static_cast<unsigned char>(nBorder);
        frame.nTextLength = 0;
        AddBox(frame);
        ::InflateRect(&box.rc, -nBorder, -nBorder);
    }
    AddBox(box);
}

int CLayoutBuilder::NextLineTop() const
{
    return ClampedLength(static_cast<long long>(m_flow.nY) + m_flow.nPendingMargin);
}

void CLayoutBuilder::FitLineBesideFloats()
{
    // Floats above the next line are done with: they go, so that the list stays short.
    int y = NextLineTop();
    m_floats.Prune(m_flow.nFirstFloat, y);
    int nLeft = 0, nRight = 0, nNextBottom = 0;
    m_floats.Room(m_flow.nFirstFloat, y, m_flow.nLeft, AreaRight(), &nLeft, &nRight, &nNextBottom);
    m_flow.nLineLeft = nLeft;
    m_flow.nLineWidth = std::max(nRight - nLeft, 0);
    m_pLine->SetWidth(m_flow.nLineWidth);
}

bool CLayoutBuilder::MoveBelowAFloat()
{
    int nLeft = 0, nRight = 0, nNextBottom = 0;
    if (!m_floats.Room(m_flow.nFirstFloat, NextLineTop(), m_flow.nLeft, AreaRight(), &nLeft, &nRight, &nNextBottom))
        return false;
    PlaceMargin();
    m_flow.nY = std::max(m_flow.nY, nNextBottom);
    FitLine();
    return true;
}

bool CLayoutBuilder::FindFloat(int nWidth, bool bRight, POINT* ppt)
{
    if (m_floats.Count() - m_flow.nFirstFloat >= HTML_MAX_FLOATS)
        return false;
    // A float that does not fit beside what the line holds goes below it.
    if (!m_pLine->IsEmpty() && m_flow.nLineWidth - m_pLine->Width() < nWidth)
        FinishLine();
    *ppt = m_floats.Find(m_flow.nFirstFloat, std::max(NextLineTop(), m_flow.nFloatTop), m_flow.nLeft, AreaRight(), nWidth, bRight);
    return true;
}

void CLayoutBuilder::AddFloat(const RECT& rc, bool bRight)
{
    m_floats.Add(rc, bRight);
    m_flow.nFloatTop = rc.top;
    m_flow.nFloatBottom = std::max<int>(m_flow.nFloatBottom, rc.bottom);
    FitLine();
}

void CLayoutBuilder::ClearFloats(int nClear)
{
    m_flow.nY = m_floats.Below(m_flow.nFirstFloat, nClear, m_flow.nY);
    FitLine();
}

void CLayoutBuilder::PlaceMarker(int nBaseline)
{
    if (m_flow.nMarker < 0)
        return;
    CPageBox box = {};
    box.nLink = -1;
    box.cr = m_flow.crMarker;
    box.nFont = static_cast<short>(m_flow.nMarkerFont);
    int nAscent = m_fonts.Ascent(m_flow.nMarkerFont);
    int nRight = m_flow.nLineLeft - kMarkerGap;
    if (m_flow.nMarker == 3) {
        std::string strNumber = std::to_string(m_flow.nMarkerNumber) + ".";
        int nWidth = m_fonts.TextWidth(box.nFont, strNumber.data(), strNumber.size());
        box.nKind = BOX_TEXT;
        box.rc = {nRight - nWidth, nBaseline - nAscent, nRight, nBaseline + m_fonts.Descent(box.nFont)};
        box.nText = static_cast<uint32_t>(KeepText(strNumber.data(), strNumber.size()));
        box.nTextLength = static_cast<uint32_t>(strNumber.size());
    } else {
        int nSize = std::max(4, nAscent / 3);
        int nTop = nBaseline - nAscent / 3 - nSize / 2 - 1;
        box.nKind = BOX_BULLET;
        box.nThickness = static_cast<unsigned char>(m_flow.nMarker);
        box.rc = {nRight - nSize, nTop, nRight, nTop + nSize};
    }
    AddBox(box);
}

bool CLayoutBuilder::MeasurePlainText(int nNode, const CHtmlComputedStyle& style, PlainWidths& widths)
{
    // The line builder's steps, widths only: a blank counts in its own font between two
    // words of a line, blanks at a line's start and end do not.
    for (int nChild = m_document.Node(nNode).nFirstChild; nChild >= 0; nChild = m_document.Node(nChild).nNext) {
        const CHtmlNode& child = m_document.Node(nChild);
        if (child.nTag == TAG_TEXT) {
            const int* anWidths = m_fonts.CharWidths(style.nFont);
            if (!anWidths)
                return false;
            std::string_view text = m_document.Text(nChild);
            const char* pch = text.data();
            size_t nLength = text.size();
            const long long nBlank = m_fonts.TextWidth(style.nFont, " ", 1);
            long long nLine = widths.nLine, nWidest = widths.nWidest, nSpace = widths.nSpace;
            bool bItems = widths.bItems;
            for (size_t i = 0; i < nLength;) {
                if (IsBlank(pch[i])) {
                    do {
                        ++i;
                    } while (i < nLength && IsBlank(pch[i]));
                    if (bItems)
                        nSpace = nBlank;
                    continue;
                }
                long long nWord = 0;
                for (; i < nLength && !IsBlank(pch[i]); ++i)
                    nWord += anWidths[static_cast<unsigned char>(pch[i])];
                nWidest = std::max(nWidest, nWord);
                nLine += std::max(nSpace, 0LL) + nWord;
                nSpace = -1;
                bItems = true;
            }
            widths.nLine = nLine;
            widths.nWidest = nWidest;
            widths.nSpace = nSpace;
            widths.bItems = bItems;
            // Far below the lengths where the flow would hold or wrap its lines.
            if (nLine > kPlainMost || nWidest > kPlainMost)
                return false;
            continue;
        }
        const CHtmlTagTraits& tag = CHtmlTagTraits::Of(child.nTag);
        if (tag.nKind != KIND_BREAK && (tag.nKind != KIND_INLINE || tag.Has(TRAIT_ROW | TRAIT_CELL))) {
            widths.bNotPlain = true;
            return false;
        }
        CHtmlComputedStyle childStyle = m_style.Element(nChild, style, true);
        if (childStyle.nDisplay == DISPLAY_NONE)
            continue;
        if (tag.nKind == KIND_BREAK) {
            widths.nExtent = std::max(widths.nExtent, widths.nLine);
            widths.nLine = 0;
            widths.nSpace = -1;
            widths.bItems = false;
            continue;
        }
        if (childStyle.bPre || !MeasurePlainText(nChild, childStyle, widths))
            return false;
    }
    return true;
}

bool CLayoutBuilder::IsPlainText(int nNode, const CHtmlComputedStyle& style) const
{
    if (style.bPre || !m_document.m_styleSheets.empty() || m_document.m_bStyleAttributes)
        return false;
    // Each node below nNode, in document order, without recursion.
    int n = m_document.Node(nNode).nFirstChild;
    while (n >= 0) {
        const CHtmlNode& node = m_document.Node(n);
        if (node.nTag != TAG_TEXT) {
            const CHtmlTagTraits& tag = CHtmlTagTraits::Of(node.nTag);
            if (tag.nKind != KIND_BREAK && (tag.nKind != KIND_INLINE || tag.Has(TRAIT_ROW | TRAIT_CELL)))
                return false;
        }
        if (node.nFirstChild >= 0) {
            n = node.nFirstChild;
            continue;
        }
        while (n != nNode && m_document.Node(n).nNext < 0)
            n = m_document.Node(n).nParent;
        n = n == nNode ? -1 : m_document.Node(n).nNext;
    }
    return true;
}
