#include "startpage/CHtmlPainter.h"
#include "framework/ScopedWin.h"
#include "startpage/CHtmlFonts.h"
#include "startpage/CPageImages.h"
#include "startpage/CPageLayout.h"
#include <algorithm>

namespace
{
const COLORREF kRuleDark = RGB(128, 128, 128);
const COLORREF kRuleLight = RGB(224, 224, 224);

void Fill(HDC hDC, const RECT& rc, COLORREF cr)
{
    ScopedBrush brush(::CreateSolidBrush(cr));
    ::FillRect(hDC, &rc, brush);
}

void Frame(HDC hDC, const RECT& rc, int nThickness, COLORREF cr)
{
    int t = std::min<int>(nThickness, std::min(rc.right - rc.left, rc.bottom - rc.top) / 2 + 1);
    Fill(hDC, {rc.left, rc.top, rc.right, rc.top + t}, cr);
    Fill(hDC, {rc.left, rc.bottom - t, rc.right, rc.bottom}, cr);
    Fill(hDC, {rc.left, rc.top + t, rc.left + t, rc.bottom - t}, cr);
    Fill(hDC, {rc.right - t, rc.top + t, rc.right, rc.bottom - t}, cr);
}

void Bullet(HDC hDC, const RECT& rc, int nShape, COLORREF cr)
{
    if (nShape == 2) {
        Fill(hDC, rc, cr);
        return;
    }
    ScopedPen pen(::CreatePen(PS_SOLID, 1, cr));
    ScopedBrush brush(::CreateSolidBrush(cr));
    ScopedSelectObject selectPen(hDC, pen);
    ScopedSelectObject selectBrush(hDC, nShape == 0 ? static_cast<HGDIOBJ>(brush.Get()) : ::GetStockObject(NULL_BRUSH));
    ::Ellipse(hDC, rc.left, rc.top, rc.right, rc.bottom);
}
} // namespace

CHtmlPainter::CHtmlPainter(const CPageLayout& layout, const CHtmlFonts& fonts, const CPageImages& images)
    : m_layout(layout), m_fonts(fonts), m_images(images)
{
}

void CHtmlPainter::Paint(HDC hDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    PaintBackground(hDC, rcClip, nScrollY);
    ScopedSelectObject selectFont(hDC, m_fonts.Font(0));
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    UINT nOldAlign = ::SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    size_t nFirst = 0, nEnd = 0;
    m_layout.BoxRange(rcClip.top + nScrollY, rcClip.bottom + nScrollY, &nFirst, &nEnd);
    for (size_t i = nFirst; i < nEnd; ++i) {
        const CPageBox& box = m_layout.m_boxes[i];
        RECT rc = box.rc, rcMeet;
        ::OffsetRect(&rc, 0, -nScrollY);
        if (!::IntersectRect(&rcMeet, &rc, &rcClip))
            continue;
        const char* pszText = m_layout.m_strText.data() + box.nText;
        int nLength = static_cast<int>(box.nTextLength);
        switch (box.nKind) {
        case BOX_TEXT:
            ::SelectObject(hDC, m_fonts.Font(box.nFont));
            ::SetTextColor(hDC, box.cr);
            ::ExtTextOutA(hDC, rc.left, rc.top, 0, nullptr, pszText, static_cast<UINT>(nLength), nullptr);
            break;
        case BOX_IMAGE:
            if (box.nImage >= 0) {
                m_images.Image(box.nImage).Draw(hDC, rc);
            } else {
                // A picture that cannot be shown: its frame, and its text inside.
                Frame(hDC, rc, 1, kRuleDark);
                RECT rcText = rc;
                ::InflateRect(&rcText, -2, -2);
                ::SelectObject(hDC, m_fonts.Font(box.nFont));
                ::SetTextColor(hDC, box.cr);
                ::ExtTextOutA(hDC, rcText.left, rcText.top, ETO_CLIPPED, &rcText, pszText, static_cast<UINT>(nLength), nullptr);
            }
            break;
        case BOX_FILL:
            Fill(hDC, rc, box.cr);
            break;
        case BOX_FRAME:
            Frame(hDC, rc, box.nThickness, box.cr);
            break;
        case BOX_RULE: {
            int nHalf = std::max<int>((rc.bottom - rc.top) / 2, 1);
            Fill(hDC, {rc.left, rc.top, rc.right, rc.top + nHalf}, kRuleDark);
            if (rc.bottom - rc.top > 1)
                Fill(hDC, {rc.left, rc.top + nHalf, rc.right, rc.bottom}, kRuleLight);
            break;
        }
        case BOX_BULLET:
            Bullet(hDC, rc, box.nThickness, box.cr);
            break;
        }
    }
    ::SetTextAlign(hDC, nOldAlign);
    ::SetBkMode(hDC, nOldMode);
    PaintFocus(hDC, rcClip, nScrollY, nFocusLink);
}

void CHtmlPainter::PaintBackground(HDC hDC, const RECT& rcClip, int nScrollY) const
{
    Fill(hDC, rcClip, m_layout.m_crBackground);
    if (m_layout.m_nBackgroundImage < 0)
        return;
    const CWicImage& image = m_images.Image(m_layout.m_nBackgroundImage);
    int cx = image.Width(), cy = image.Height();
    // Tiles start at the page's top-left corner and scroll with it.
    int nFirstRow = (rcClip.top + nScrollY) / cy, nFirstColumn = std::max(rcClip.left, 0L) / cx;
    for (int y = nFirstRow * cy - nScrollY; y < rcClip.bottom; y += cy)
        for (int x = nFirstColumn * cx; x < rcClip.right; x += cx)
            image.Draw(hDC, {x, y, x + cx, y + cy});
}

void CHtmlPainter::PaintFocus(HDC hDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    if (nFocusLink < 0)
        return;
    // Boxes of the link side by side on one line get one ring.
    std::vector<RECT> rings;
    for (RECT rc : m_layout.LinkRects(nFocusLink)) {
        ::OffsetRect(&rc, 0, -nScrollY);
        if (!rings.empty() && rc.left <= rings.back().right + 1 && rc.top < rings.back().bottom &&
            rc.bottom > rings.back().top)
            ::UnionRect(&rings.back(), &rings.back(), &rc);
        else
            rings.push_back(rc);
    }
    ScopedRegion clip(::CreateRectRgnIndirect(&rcClip));
    int nSaved = ::SaveDC(hDC);
    ::SelectClipRgn(hDC, clip);
    ::SetTextColor(hDC, RGB(0, 0, 0));
    ::SetBkColor(hDC, RGB(255, 255, 255));
    for (RECT rc : rings) {
        ::InflateRect(&rc, 1, 1);
        ::DrawFocusRect(hDC, &rc);
    }
    ::RestoreDC(hDC, nSaved);
}
