#pragma once
// Draws part of an image with a palette selected as background palette.
#include "framework/core/CObject.h"
#include "framework/core/CRect.h"

class CDC;
class CDIB;
class CPalette;

class CDIBPainter : public CObject
{
public:
    // Rectangles as for CDIB::Draw: x, y, width, height. The DC's palette is put back after.
    void Paint(CDC* pDC, CRect rcDest, CRect rcSrc, CDIB* pDib, CPalette* pPal);
};
