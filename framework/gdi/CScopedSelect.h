#pragma once
// Selects a GDI object (pen, brush, font, bitmap, stock object) or a palette into a DC for
// the life of this object, then puts the previous one back. With no DC or no object, or
// when the selection fails, nothing is selected and nothing is put back. Regions are not
// selected this way: selecting one copies it into the clipping region.
//
//   CScopedSelect pen(pDC, &m_penBorder);
//   CScopedSelect brush(pDC, NULL_BRUSH);
//   CScopedSelect palette(pDC, pPal, TRUE);
#include <windows.h>

class CDC;
class CGdiObject;
class CPalette;

class CScopedSelect
{
public:
    CScopedSelect(CDC* pDC, CGdiObject* pObject);
    CScopedSelect(CDC* pDC, HGDIOBJ hObject);
    // A stock object: NULL_PEN, NULL_BRUSH, DEFAULT_GUI_FONT...
    CScopedSelect(CDC* pDC, int nStockObject);
    // A palette, as background palette when bForceBackground is set; the previous palette
    // comes back as foreground palette, without being realised again.
    CScopedSelect(CDC* pDC, CPalette* pPalette, BOOL bForceBackground);
    // Palettes need the selection above.
    CScopedSelect(CDC* pDC, CPalette* pPalette) = delete;
    ~CScopedSelect();
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;

    // The object that was selected before, or null when nothing was selected.
    HGDIOBJ GetOld() const { return m_hOld; }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
    bool m_bPalette = false;
};
