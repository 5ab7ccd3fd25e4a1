// CDIB: drawing with a transparent key colour, and flipping left to right. All compositing
// is done by GDI on device-dependent memory bitmaps: a monochrome mask is made from the key
// colour, the image is cut out against white, the destination against the mask, and the
// two are combined.
#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include "framework/CBitmap.h"
#include "framework/CDC.h"
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

    HPALETTE hOldPal = pDC->SelectPalette(pPal, TRUE);
    pDC->RealizePalette();

    // Declared in reverse order of deletion: the bitmaps outlive the DCs they are selected
    // into, and are deleted background, foreground, mask, visible image, full image.
    CBitmap bmFull, bmVisible, bmMask, bmFore, bmBack;
    CDC dcVisible, dcMask, dcFore, dcBack;
    HGDIOBJ hOldVisible = nullptr;

    {
        CDC dcFull;
        dcFull.CreateCompatibleDC(pDC);
        bmFull.CreateCompatibleBitmap(pDC, cx, cy);
        HGDIOBJ hOldFull = dcFull.SelectObject(&bmFull);
        DrawScaled(&dcFull, 0, 0, cx, cy);

        dcVisible.CreateCompatibleDC(pDC);
        bmVisible.CreateCompatibleBitmap(pDC, cw, ch);
        hOldVisible = dcVisible.SelectObject(&bmVisible);
        dcVisible.SelectPalette(pPal, FALSE);
        dcVisible.SetBkColor(KEY_COLOR);
        dcVisible.BitBlt(0, 0, cw, ch, &dcFull, ox, oy, SRCCOPY);
        dcFull.SelectObject(hOldFull);
    }

    dcMask.CreateCompatibleDC(pDC);
    bmMask.CreateBitmap(cw, ch, 1, 1, nullptr);
    HGDIOBJ hOldMask = dcMask.SelectObject(&bmMask);
    dcFore.CreateCompatibleDC(pDC);
    bmFore.CreateCompatibleBitmap(pDC, cw, ch);
    HGDIOBJ hOldFore = dcFore.SelectObject(&bmFore);
    dcBack.CreateCompatibleDC(pDC);
    bmBack.CreateCompatibleBitmap(pDC, cw, ch);
    HGDIOBJ hOldBack = dcBack.SelectObject(&bmBack);

    if (bMirror)
        Mirror(&dcVisible, CRect(0, 0, cw, ch));

    // Colour to monochrome gives 1 where a pixel equals the source's background colour (the
    // key); monochrome to colour gives the background colour (white) for 1, the text
    // colour (black) for 0.
    dcMask.BitBlt(0, 0, cw, ch, &dcVisible, 0, 0, NOTSRCCOPY); // 1 where opaque
    dcFore.BitBlt(0, 0, cw, ch, &dcMask, 0, 0, NOTSRCCOPY);    // black where opaque, white elsewhere
    dcFore.BitBlt(0, 0, cw, ch, &dcVisible, 0, 0, SRCPAINT);   // the image, white where transparent
    dcBack.BitBlt(0, 0, cw, ch, &dcMask, 0, 0, SRCCOPY);       // white where opaque, black elsewhere
    dcBack.BitBlt(0, 0, cw, ch, pDC, x, y, SRCPAINT);          // the destination where transparent
    dcBack.BitBlt(0, 0, cw, ch, &dcFore, 0, 0, SRCAND);        // combined
    pDC->BitBlt(x, y, cw, ch, &dcBack, 0, 0, SRCCOPY);

    dcVisible.SelectObject(hOldVisible);
    dcVisible.DeleteDC();
    dcMask.SelectObject(hOldMask);
    dcMask.DeleteDC();
    dcFore.SelectObject(hOldFore);
    dcFore.DeleteDC();
    dcBack.SelectObject(hOldBack);
    dcBack.DeleteDC();
    pDC->SelectPalette(hOldPal, FALSE);
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

    CBitmap bmFlip;
    CDC dcFlip;
    dcFlip.CreateCompatibleDC(pDC);
    bmFlip.CreateCompatibleBitmap(pDC, w, h);
    HGDIOBJ hOld = dcFlip.SelectObject(&bmFlip);
    for (int i = 0; i < w; ++i)
        dcFlip.BitBlt(i, 0, 1, h, pDC, w - 1 - i, 0, SRCCOPY);
    pDC->BitBlt(0, 0, w, h, &dcFlip, 0, 0, SRCCOPY);
    dcFlip.SelectObject(hOld);
}
