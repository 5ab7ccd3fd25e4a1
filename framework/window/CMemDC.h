#pragma once
// A memory DC with a bitmap of its own, selected for the object's life: the off-screen
// surface of double-buffered painting and of masked drawing. Logical coordinates are those
// of the rectangle it covers, so the back buffer of rc is drawn on as rc of the target
// itself, and BlitToTarget copies it there in one block.
//
//   CPaintDC dc(this);
//   CMemDC back(&dc, rcClient);
//   ... draw on &back ...
//   back.BlitToTarget();
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CScopedSelect.h"

class CMemDC : public CDC
{
public:
    // A DC compatible with pTarget (with the screen when null) and a bitmap of rc's size,
    // compatible with pTarget, or monochrome (1 plane, 1 bit per pixel).
    CMemDC(CDC* pTarget, const RECT& rc, BOOL bMonochrome = FALSE);
    // The same for the rectangle (0, 0, cx, cy).
    CMemDC(CDC* pTarget, int cx, int cy, BOOL bMonochrome = FALSE);

    CBitmap* GetBitmap() { return &m_bitmap; }
    const CRect& GetRect() const { return m_rc; }
    // Copies the whole surface to its rectangle of the target; FALSE without a target.
    BOOL BlitToTarget(DWORD dwRop = SRCCOPY);

private:
    CDC* m_pTarget;
    CRect m_rc;
    // Deleted after the selection below has put the DC's own bitmap back, and before the
    // DC itself goes.
    CBitmap m_bitmap;
    CScopedSelect m_selection;

    // Makes the DC and its bitmap, ready for m_selection.
    CDC* CreateSurface(BOOL bMonochrome);
};
