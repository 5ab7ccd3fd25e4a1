#pragma once
// A logical palette made from an image's colour table.
#include "framework/gdi/CPalette.h"

class CDIB;

class CDIBPalette : public CPalette
{
public:
    // FALSE (and no handle) for an image without colour table.
    BOOL CreateFromDIB(CDIB* pDib);
};
