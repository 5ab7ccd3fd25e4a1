#include "pageengine/paint/CHtmlPainter.h"
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CPen.h"
#include "framework/gdi/CScopedSelect.h"
#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/paint/CPageImages.h"
#include "pageengine/layout/CPageBoxes.h"
#include <algorithm>

namespace
{
const COLORREF kRuleDark = RGB(128, 128, 128);
const COLORREF kRuleLight = RGB(224, 224, 224);

void Frame(CDC* pDC, const RECT& rc, int nThickness, COLORREF cr)
{
    int t = std::min<int>(nThickness, std::min(rc.right - rc.left, rc.bottom - rc.top) / 2 + 1);
    pDC->FillSolidRect({rc.left, rc.top, rc.right, rc.top + t}, cr);
    pDC->FillSolidRect({rc.left, rc.bottom - t, rc.right, rc.bottom}, cr);
    pDC->FillSolidRect({rc.left, rc.top + t, rc.left + t, rc.bottom - t}, cr);
    pDC->FillSolidRect({rc.right - t, rc.top + t, rc.right, rc.bottom - t}, cr);
}

void Bullet(CDC* pDC, const RECT& rc, int nShape, COLORREF cr)
{
    if (nShape == 2) {
        pDC->FillSolidRect(rc, cr);
        return;
    }
    CPen pen(PS_SOLID, 1, cr);
    CBrush brush(cr);
    CScopedSelect selectPen(pDC, &pen);
    CScopedSelect selectBrush(pDC, nShape == 0 ? brush.GetSafeHandle() : ::GetStockObject(NULL_BRUSH));
    ::Ellipse(*pDC, rc.left, rc.top, rc.right, rc.bottom);
}
} // namespace

CHtmlPainter::CHtmlPainter(const CPageBoxes& laidOut, const CHtmlFonts& fonts, const CPageImages& images)
    : m_laidOut(laidOut), m_fonts(fonts), m_images(images)
{
}

const int* CHtmlPainter::Advances(int nFont, const char* pch, size_t nLength, std::vector<int>& anAdvances) const
{
    const int* anWidths = m_fonts.CharWidths(nFont);
    if (!anWidths)
        return nullptr;   // characters of several bytes: the font's own advances
    anAdvances.resize(nLength);
    for (size_t i = 0; i < nLength; ++i)
        anAdvances[i] = anWidths[static_cast<unsigned char>(pch[i])];
    return anAdvances.data();
}

void CHtmlPainter::Paint(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    PaintBackground(pDC, rcClip, nScrollY);
    CScopedSelect selectFont(pDC, m_fonts.Font(0));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    UINT nOldAlign = ::SetTextAlign(*pDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    // Each letter goes where the layout measured it: some rasterizers draw a face narrower
    // than its measured widths add up to, which would leave gaps before the next run.
    std::vector<int> anAdvances;
    size_t nFirst = 0, nEnd = 0;
    m_laidOut.BoxRange(rcClip.top + nScrollY, rcClip.bottom + nScrollY, &nFirst, &nEnd);
    for (size_t i = nFirst; i < nEnd; ++i) {
        const CPageBox& box = m_laidOut.m_boxes[i];
        RECT rc = box.rc, rcMeet;
        ::OffsetRect(&rc, 0, -nScrollY);
        if (!::IntersectRect(&rcMeet, &rc, &rcClip))
            continue;
        const char* pszText = m_laidOut.m_strText.data() + box.nText;
        int nLength = static_cast<int>(box.nTextLength);
        switch (box.nKind) {
        case BOX_TEXT:
            pDC->SelectObject(m_fonts.Font(box.nFont));
            pDC->SetTextColor(box.cr);
            ::ExtTextOutA(*pDC, rc.left, rc.top, 0, nullptr, pszText, static_cast<UINT>(nLength),
                          Advances(box.nFont, pszText, static_cast<size_t>(nLength), anAdvances));
            break;
        case BOX_IMAGE:
            if (box.nImage >= 0) {
                m_images.Image(box.nImage).Draw(pDC, rc);
            } else {
                // A picture that cannot be shown: its frame, and its text inside.
                Frame(pDC, rc, 1, kRuleDark);
                RECT rcText = rc;
                ::InflateRect(&rcText, -2, -2);
                pDC->SelectObject(m_fonts.Font(box.nFont));
                pDC->SetTextColor(box.cr);
                ::ExtTextOutA(*pDC, rcText.left, rcText.top, ETO_CLIPPED, &rcText, pszText, static_cast<UINT>(nLength), nullptr);
            }
            break;
        case BOX_FILL:
            pDC->FillSolidRect(rc, box.cr);
            break;
        case BOX_FRAME:
            Frame(pDC, rc, box.nThickness, box.cr);
            break;
        case BOX_RULE: {
            if (box.nThickness == 1) {
                pDC->FillSolidRect(rc, box.cr);
                break;
            }
            int nHalf = std::max<int>((rc.bottom - rc.top) / 2, 1);
            pDC->FillSolidRect({rc.left, rc.top, rc.right, rc.top + nHalf}, kRuleDark);
            if (rc.bottom - rc.top > 1)
                pDC->FillSolidRect({rc.left, rc.top + nHalf, rc.right, rc.bottom}, kRuleLight);
            break;
        }
        case BOX_BULLET:
            Bullet(pDC, rc, box.nThickness, box.cr);
            break;
        case BOX_TILE:
            m_images.Image(box.nImage).Tile(pDC, rcMeet, {rc.left, rc.top});
            break;
        }
    }
    ::SetTextAlign(*pDC, nOldAlign);
    pDC->SetBkMode(nOldMode);
    PaintFocus(pDC, rcClip, nScrollY, nFocusLink);
}

void CHtmlPainter::PaintBackground(CDC* pDC, const RECT& rcClip, int nScrollY) const
{
    pDC->FillSolidRect(rcClip, m_laidOut.m_crBackground);
    if (m_laidOut.m_nBackgroundImage < 0)
        return;
    // Tiles start at the page's top-left corner and scroll with it.
    m_images.Image(m_laidOut.m_nBackgroundImage).Tile(pDC, rcClip, {0, -nScrollY});
}

void CHtmlPainter::PaintFocus(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    if (nFocusLink < 0)
        return;
    // Boxes of the link side by side on one line get one ring.
    std::vector<RECT> rings;
    for (RECT rc : m_laidOut.LinkRects(nFocusLink)) {
        ::OffsetRect(&rc, 0, -nScrollY);
        if (!rings.empty() && rc.left <= rings.back().right + 1 && rc.top < rings.back().bottom &&
            rc.bottom > rings.back().top)
            ::UnionRect(&rings.back(), &rings.back(), &rc);
        else
            rings.push_back(rc);
    }
    int nSaved = ::SaveDC(*pDC);
    ::IntersectClipRect(*pDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    for (RECT rc : rings) {
        ::InflateRect(&rc, 1, 1);
        ::DrawFocusRect(*pDC, &rc);
    }
    ::RestoreDC(*pDC, nSaved);
}
