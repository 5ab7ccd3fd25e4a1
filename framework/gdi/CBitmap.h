#pragma once
// A bitmap: device-dependent, or a DIB section in the screen's 32-bit colour.
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
    // A bitmap in the format of pDC's current bitmap (of the screen for a window DC); in
    // 32-bit colour a DIB section of that format.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
};
