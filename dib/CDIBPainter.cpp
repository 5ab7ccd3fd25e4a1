#include "dib/CDIBPainter.h"
#include "dib/CDIB.h"
#include "framework/CDC.h"

void CDIBPainter::Paint(CDC* pDC, CRect rcDest, CRect rcSrc, CDIB* pDib, CPalette* pPal)
{
    if (!pDC || !pDib)
        return;
    HPALETTE hOldPal = pDC->SelectPalette(pPal, TRUE);
    pDC->RealizePalette();
    pDib->Draw(pDC, rcDest, rcSrc);
    pDC->SelectPalette(hOldPal, FALSE);
}
