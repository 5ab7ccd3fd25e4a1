#include "dib/CDIBPalette.h"
#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include <cstdlib>

BOOL CDIBPalette::CreateFromDIB(CDIB* pDib)
{
    if (!pDib || !pDib->GetBitmapInfo())
        return FALSE;
    int nColors = pDib->GetNumColors();
    if (nColors <= 0)
        return FALSE;
    // The image holds at most 256 entries.
    if (nColors > DIB_MAX_COLORS)
        nColors = DIB_MAX_COLORS;

    LOGPALETTE* pLogPal = static_cast<LOGPALETTE*>(
        std::malloc(sizeof(LOGPALETTE) + static_cast<size_t>(nColors) * sizeof(PALETTEENTRY)));
    if (!pLogPal)
        return FALSE;
    pLogPal->palVersion = 0x300;
    pLogPal->palNumEntries = static_cast<WORD>(nColors);
    const RGBQUAD* pColors = pDib->GetBitmapInfo()->bmiColors;
    for (int i = 0; i < nColors; ++i)
        pLogPal->palPalEntry[i] = PALETTEENTRY{pColors[i].rgbRed, pColors[i].rgbGreen, pColors[i].rgbBlue, 0};
    BOOL bResult = Attach(::CreatePalette(pLogPal));
    std::free(pLogPal);
    return bResult;
}
