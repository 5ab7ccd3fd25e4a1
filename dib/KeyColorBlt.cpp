#include "dib/KeyColorBlt.h"
#include "framework/window/CMemDC.h"

void KeyColorBlt(CDC* pDest, int x, int y, int cx, int cy, CDC* pSrc, int xSrc, int ySrc, COLORREF crKey)
{
    if (!pDest || !pSrc || cx <= 0 || cy <= 0)
        return;
    CMemDC dcMask(pDest, cx, cy, TRUE);
    CMemDC dcFore(pDest, cx, cy);
    CMemDC dcBack(pDest, cx, cy);

    // Colour to monochrome gives 1 where a pixel equals the source's background colour (the
    // key); monochrome to colour gives the background colour (white, the default of the
    // new DCs) for 1, the text colour (black) for 0.
    COLORREF crOldBk = pSrc->SetBkColor(crKey);
    dcMask.BitBlt(0, 0, cx, cy, pSrc, xSrc, ySrc, NOTSRCCOPY); // 1 where opaque
    pSrc->SetBkColor(crOldBk);
    dcFore.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, NOTSRCCOPY);    // black where opaque, white elsewhere
    dcFore.BitBlt(0, 0, cx, cy, pSrc, xSrc, ySrc, SRCPAINT);   // the image, white where transparent
    dcBack.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, SRCCOPY);       // white where opaque, black elsewhere
    dcBack.BitBlt(0, 0, cx, cy, pDest, x, y, SRCPAINT);        // the destination where transparent
    dcBack.BitBlt(0, 0, cx, cy, &dcFore, 0, 0, SRCAND);        // combined
    pDest->BitBlt(x, y, cx, cy, &dcBack, 0, 0, SRCCOPY);
}

void KeyColorBlt(CDC* pDest, int x, int y, int cx, int cy, HBITMAP hSrc, int xSrc, int ySrc, COLORREF crKey)
{
    if (!pDest || !hSrc)
        return;
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDest);
    CScopedSelect image(&dcImage, hSrc);
    if (image.GetOld())
        KeyColorBlt(pDest, x, y, cx, cy, &dcImage, xSrc, ySrc, crKey);
}
