#pragma once
// The skin as composed once by the skin window, for the buttons on it: each button puts
// the skin behind its transparent pixels by copying it from here, not by asking its
// parent to draw it again on every paint.
#include <windows.h>

class CDC;

class CSkinBackdrop
{
public:
    virtual ~CSkinBackdrop() = default;

    // Copies the skin's pixels at rcSkin (skin window client coordinates) to (x, y) of
    // pDC; FALSE when no skin is composed.
    virtual BOOL CopyBackdrop(CDC* pDC, int x, int y, const RECT& rcSkin) const = 0;
    // Changes each time the skin is composed anew: a copy taken before is stale.
    virtual UINT GetBackdropVersion() const = 0;
};
