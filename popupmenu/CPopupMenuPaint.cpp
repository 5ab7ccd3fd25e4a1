// CPopupMenu: painting the frame, the entries and the images of the strip.
#include "popupmenu/CPopupMenu.h"
#include "dib/KeyColorBlt.h"
#include "framework/window/CPaintDC.h"
#include "framework/gdi/CScopedSelect.h"
#include "popupmenu/PopupMenuConstants.h"
#include <initializer_list>

namespace
{
void DrawLine(CDC* pDC, CPen* pPen, std::initializer_list<POINT> points)
{
    CScopedSelect pen(pDC, pPen);
    pDC->Polyline(points.begin(), static_cast<int>(points.size()));
}
} // namespace

LRESULT CPopupMenu::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    for (size_t i = 0; i < m_items.size(); ++i)
        DrawItem(&dc, static_cast<int>(i), m_items[i]);
    return 0;
}

LRESULT CPopupMenu::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    // A 1-pixel frame in the border colour around the background.
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    CScopedSelect brush(&dc, &m_hBackBrush);
    CScopedSelect pen(&dc, &m_hBorderPen);
    dc.Rectangle(rc);
    return 1;
}

void CPopupMenu::DrawItem(CDC* pDC, int nIndex, const PopupMenuItem& item)
{
    if (item.m_nFlags & PMF_SEPARATOR) {
        DrawSeparator(pDC, item);
        return;
    }
    const bool bSelected = nIndex == m_nSelected;
    const int top = item.m_nTop;
    const int w = m_nWidth;

    int left = 3;
    if (item.m_nImage != -1) {
        // Raised frame around the selected entry's image; in the background colour otherwise.
        DrawLine(pDC, bSelected ? &m_hLightPen : &m_hBackPen, {{3, top + 16}, {3, top}, {20, top}});
        DrawLine(pDC, bSelected ? &m_hShadowPen : &m_hBackPen, {{20, top}, {20, top + 16}, {3, top + 16}});
        DrawTransparentImage(pDC, POPUPMENU_IMAGE_WIDTH * item.m_nImage, 4, top + 1);
        left = 21;
    }

    {
        // With no pen the rectangle fills [left, w - 3) x [top, top + 17): the entry's rows.
        CScopedSelect brush(pDC, bSelected ? &m_hHighlightBrush : &m_hBackBrush);
        CScopedSelect pen(pDC, NULL_PEN);
        pDC->Rectangle(left, top, w - 2, top + POPUPMENU_ITEM_HEIGHT + 1);
    }

    {
        const bool bBold = (item.m_nFlags & PMF_BOLD) != 0;
        CScopedSelect font(pDC, bBold ? &m_hBoldFont : &m_hFont);
        const int h = bBold ? m_nBoldFontHeight : m_nFontHeight;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(bSelected ? m_crHighlightText : (item.m_nFlags & PMF_GRAYED) ? m_crGrayText : m_crText);
        const int t = top + (POPUPMENU_ITEM_HEIGHT - h) / 2;
        RECT rcText = {POPUPMENU_TEXT_LEFT, t, 1023, t + 1000};
        // Without DT_NOPREFIX an '&' underlines the next character and "&&" shows one '&'.
        pDC->DrawText(item.m_strText, -1, &rcText, DT_NOCLIP);
    }

    if (item.m_pSubmenu) {
        // A solid triangle pointing right, 4 wide and 7 tall, its tip at (w - 7, top + 8).
        CPen* pPen = bSelected ? &m_hHighlightTextPen : &m_hTextPen;
        for (int k = 0; k < 4; ++k)
            DrawLine(pDC, pPen, {{w - 7 - k, top + 8 - k}, {w - 7 - k, top + 9 + k}});
    }
}

void CPopupMenu::DrawSeparator(CDC* pDC, const PopupMenuItem& item)
{
    DrawLine(pDC, &m_hBorderPen, {{0, item.m_nTop + 2}, {m_nWidth, item.m_nTop + 2}});
}

void CPopupMenu::DrawTransparentImage(CDC* pDC, int sx, int dx, int dy)
{
    // A menu without a strip leaves the image cell as the background drew it.
    KeyColorBlt(pDC, dx, dy, POPUPMENU_IMAGE_WIDTH, POPUPMENU_IMAGE_HEIGHT, m_hBitmap, sx, 0, m_crTransparent);
}
