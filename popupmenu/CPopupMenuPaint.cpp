// CPopupMenu: painting the frame, the entries and the images of the strip.
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include <initializer_list>

namespace
{
void DrawLine(HDC hDC, HPEN hPen, std::initializer_list<POINT> points)
{
    ScopedSelectObject pen(hDC, hPen);
    ::Polyline(hDC, points.begin(), static_cast<int>(points.size()));
}
} // namespace

LRESULT CPopupMenu::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    for (size_t i = 0; i < m_items.size(); ++i)
        DrawItem(hDC, static_cast<int>(i), m_items[i]);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CPopupMenu::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    // A 1-pixel frame in the border colour around the background.
    HDC hDC = reinterpret_cast<HDC>(wParam);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ScopedSelectObject brush(hDC, m_hBackBrush);
    ScopedSelectObject pen(hDC, m_hBorderPen);
    ::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
    return 1;
}

void CPopupMenu::DrawItem(HDC hDC, int nIndex, const PopupMenuItem& item)
{
    if (item.m_nFlags & PMF_SEPARATOR) {
        DrawSeparator(hDC, item);
        return;
    }
    const bool bSelected = nIndex == m_nSelected;
    const int top = item.m_nTop;
    const int w = m_nWidth;

    int left = 3;
    if (item.m_nImage != -1) {
        // Raised frame around the selected entry's image; in the background colour otherwise.
        DrawLine(hDC, bSelected ? m_hLightPen : m_hBackPen, {{3, top + 16}, {3, top}, {20, top}});
        DrawLine(hDC, bSelected ? m_hShadowPen : m_hBackPen, {{20, top}, {20, top + 16}, {3, top + 16}});
        DrawTransparentImage(hDC, POPUPMENU_IMAGE_WIDTH * item.m_nImage, 4, top + 1);
        left = 21;
    }

    {
        // With no pen the rectangle fills [left, w - 3) x [top, top + 17): the entry's rows.
        ScopedSelectObject brush(hDC, bSelected ? m_hHighlightBrush : m_hBackBrush);
        ScopedSelectObject pen(hDC, ::GetStockObject(NULL_PEN));
        ::Rectangle(hDC, left, top, w - 2, top + POPUPMENU_ITEM_HEIGHT + 1);
    }

    {
        const bool bBold = (item.m_nFlags & PMF_BOLD) != 0;
        ScopedSelectObject font(hDC, bBold ? m_hBoldFont : m_hFont);
        const int h = bBold ? m_nBoldFontHeight : m_nFontHeight;
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, bSelected ? m_crHighlightText : (item.m_nFlags & PMF_GRAYED) ? m_crGrayText : m_crText);
        const int t = top + (POPUPMENU_ITEM_HEIGHT - h) / 2;
        RECT rcText = {POPUPMENU_TEXT_LEFT, t, 1023, t + 1000};
        // Without DT_NOPREFIX an '&' underlines the next character and "&&" shows one '&'.
        ::DrawTextA(hDC, item.m_strText, -1, &rcText, DT_NOCLIP);
    }

    if (item.m_pSubmenu) {
        // A solid triangle pointing right, 4 wide and 7 tall, its tip at (w - 7, top + 8).
        HPEN hPen = bSelected ? m_hHighlightTextPen : m_hTextPen;
        for (int k = 0; k < 4; ++k)
            DrawLine(hDC, hPen, {{w - 7 - k, top + 8 - k}, {w - 7 - k, top + 9 + k}});
    }
}

void CPopupMenu::DrawSeparator(HDC hDC, const PopupMenuItem& item)
{
    DrawLine(hDC, m_hBorderPen, {{0, item.m_nTop + 2}, {m_nWidth, item.m_nTop + 2}});
}

void CPopupMenu::DrawTransparentImage(HDC hDC, int sx, int dx, int dy)
{
    // A menu without a strip leaves the image cell as the background drew it.
    if (!m_hBitmap.IsValid())
        return;

    ScopedCreatedDC dcImage(::CreateCompatibleDC(hDC));
    ScopedSelectObject image(dcImage, m_hBitmap);
    BITMAP bm = {};
    ::GetObjectA(m_hBitmap, sizeof(bm), &bm);
    POINT size = {bm.bmWidth, bm.bmHeight};
    ::DPtoLP(dcImage, &size, 1);
    const int W = size.x;
    const int H = size.y;

    ScopedCreatedDC dcBack(::CreateCompatibleDC(hDC));
    ScopedCreatedDC dcObject(::CreateCompatibleDC(hDC));
    ScopedCreatedDC dcMem(::CreateCompatibleDC(hDC));
    ScopedCreatedDC dcSave(::CreateCompatibleDC(hDC));
    ScopedBitmap bmBack(::CreateBitmap(W, H, 1, 1, nullptr));
    ScopedBitmap bmObject(::CreateBitmap(W, H, 1, 1, nullptr));
    ScopedBitmap bmMem(::CreateCompatibleBitmap(hDC, W, H));
    ScopedBitmap bmSave(::CreateCompatibleBitmap(hDC, W, H));
    ScopedSelectObject back(dcBack, bmBack);
    ScopedSelectObject object(dcObject, bmObject);
    ScopedSelectObject mem(dcMem, bmMem);
    ScopedSelectObject save(dcSave, bmSave);
    ::SetMapMode(dcImage, ::GetMapMode(hDC));

    ::BitBlt(dcSave, 0, 0, W, H, dcImage, 0, 0, SRCCOPY);
    // Colour to monochrome: 1 where the strip has the transparent colour.
    const COLORREF crOldBk = ::SetBkColor(dcImage, m_crTransparent);
    ::BitBlt(dcObject, 0, 0, W, H, dcImage, 0, 0, SRCCOPY);
    ::SetBkColor(dcImage, crOldBk);
    ::BitBlt(dcBack, 0, 0, W, H, dcObject, 0, 0, NOTSRCCOPY);
    // The screen under the cell, kept where the strip is transparent, then the strip's
    // opaque pixels over it.
    ::BitBlt(dcMem, sx, 0, POPUPMENU_IMAGE_WIDTH, POPUPMENU_IMAGE_HEIGHT, hDC, dx, dy, SRCCOPY);
    ::BitBlt(dcMem, 0, 0, W, H, dcObject, 0, 0, SRCAND);
    ::BitBlt(dcImage, 0, 0, W, H, dcBack, 0, 0, SRCAND);
    ::BitBlt(dcMem, 0, 0, W, H, dcImage, 0, 0, SRCPAINT);
    ::BitBlt(hDC, dx, dy, POPUPMENU_IMAGE_WIDTH, POPUPMENU_IMAGE_HEIGHT, dcMem, sx, 0, SRCCOPY);
    ::BitBlt(dcImage, 0, 0, W, H, dcSave, 0, 0, SRCCOPY);
}
