#pragma once
// A device-dependent bitmap.
#include "framework/gdi/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject
{
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
    {
        return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitCount, lpBits));
    }
    // A bitmap in the format of pDC's current bitmap (of the screen for a window DC).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
};
