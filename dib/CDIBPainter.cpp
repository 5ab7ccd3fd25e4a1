#include "dib/CDIBPainter.h"
#include "dib/CDIB.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CScopedSelect.h"

void CDIBPainter::Paint(CDC* pDC, CRect rcDest, CRect rcSrc, CDIB* pDib, CPalette* pPal)
{
    if (!pDC || !pDib)
        return;
    CScopedSelect palette(pDC, pPal, TRUE);
    pDC->RealizePalette();
    pDib->Draw(pDC, rcDest, rcSrc);
}
