// CDIB: drawing with a transparent key colour, and flipping left to right, on
// device-dependent memory bitmaps.
#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include "dib/KeyColorBlt.h"
#include "framework/window/CMemDC.h"
#include "framework/gdi/CPalette.h"
#include "framework/gdi/CScopedSelect.h"

namespace
{
// Realizes pPal in pDC, lets drawImage fill a cx x cy memory DC holding the same palette,
// then copies that to (x, y) of pDC without its key-coloured pixels.
template <typename DrawImage>
void DrawKeyed(CDC* pDC, CPalette* pPal, int x, int y, int cx, int cy, DrawImage drawImage)
{
    CScopedSelect palette(pDC, pPal, TRUE);
    pDC->RealizePalette();
    CMemDC dcImage(pDC, cx, cy);
    CScopedSelect imagePalette(&dcImage, pPal, FALSE);
    drawImage(dcImage);
    KeyColorBlt(pDC, x, y, cx, cy, &dcImage, 0, 0, KEY_COLOR);
}
} // namespace

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

    DrawKeyed(pDC, pPal, x, y, cw, ch, [&](CDC& dcVisible) {
        {
            CMemDC dcFull(pDC, cx, cy);
            DrawScaled(&dcFull, 0, 0, cx, cy);
            dcVisible.BitBlt(0, 0, cw, ch, &dcFull, ox, oy, SRCCOPY);
        }
        if (bMirror)
            Mirror(&dcVisible, CRect(0, 0, cw, ch));
    });
}

void CDIB::DrawMasked(CDC* pDC, CPalette* pPal, CRect rcDest, CRect rcSrc)
{
    const int cx = rcDest.right;
    const int cy = rcDest.bottom;
    if (!pDC || cx <= 0 || cy <= 0)
        return;
    DrawKeyed(pDC, pPal, rcDest.left, rcDest.top, cx, cy,
              [&](CDC& dcImage) { Draw(&dcImage, CRect(0, 0, cx, cy), rcSrc); });
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
