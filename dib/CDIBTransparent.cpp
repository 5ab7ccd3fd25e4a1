// CDIB: drawing with a transparent key colour, and flipping left to right, on
// device-dependent memory bitmaps.
#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include "dib/KeyColorBlt.h"
#include "framework/CMemDC.h"
#include "framework/CPalette.h"

void CDIB::DrawTransparent(CDC* pDC, CPalette* pPal, int x, int y, int cx, int cy, BOOL bMirror)
{
    if (!pDC)
        return;
    if (cx <= 0)
        cx = GetWidth();
    if (cy <= 0)
        cy = GetHeight();

    // Only the left and top edges clip; the destination DC cuts off the rest.
    int ox = 0;
    int cw = cx;
    if (x < 0) {
        ox = -x;
        cw = cx + x;
        x = 0;
    }
    int oy = 0;
    int ch = cy;
    if (y < 0) {
        oy = -y;
        ch = cy + y;
        y = 0;
    }
    // An image wholly left of or above the origin leaves nothing to draw.
    if (cw <= 0 || ch <= 0)
        return;

    CScopedSelect palette(pDC, pPal, TRUE);
    pDC->RealizePalette();

    CMemDC dcVisible(pDC, cw, ch);
    CScopedSelect visiblePalette(&dcVisible, pPal, FALSE);
    {
        CMemDC dcFull(pDC, cx, cy);
        DrawScaled(&dcFull, 0, 0, cx, cy);
        dcVisible.BitBlt(0, 0, cw, ch, &dcFull, ox, oy, SRCCOPY);
    }
    if (bMirror)
        Mirror(&dcVisible, CRect(0, 0, cw, ch));
    KeyColorBlt(pDC, x, y, cw, ch, &dcVisible, 0, 0, KEY_COLOR);
}

void CDIB::Mirror(CDC* pDC, CRect rc)
{
    if (!pDC)
        return;
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    // An empty or inverted rectangle flips nothing (copying it back would not be a no-op).
    if (w < 1 || h < 1)
        return;

    CMemDC dcFlip(pDC, w, h);
    for (int i = 0; i < w; ++i)
        dcFlip.BitBlt(i, 0, 1, h, pDC, w - 1 - i, 0, SRCCOPY);
    pDC->BitBlt(0, 0, w, h, &dcFlip, 0, 0, SRCCOPY);
}
