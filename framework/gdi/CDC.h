#pragma once
// A device context. A CDC made with CreateCompatibleDC (a memory DC) owns its handle and
// deletes it; one given with Attach only borrows it. Objects selected into a DC must be
// selected out again before the DC or the objects go: CScopedSelect does both. CMemDC
// is a memory DC with its own bitmap, CPaintDC and CClientDC a window's DCs.
#include "framework/core/CRect.h"
#include <windows.h>

class CGdiObject;
class CBitmap;
class CPalette;

class CDC
{
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Borrows hDC (not deleted by this object); FALSE for a null handle.
    BOOL Attach(HDC hDC);
    HDC Detach();
    // A memory DC compatible with pDC (with the screen when pDC is null); owned.
    BOOL CreateCompatibleDC(CDC* pDC);
    // An information context for a device ("DISPLAY"): for measuring, never drawing; owned.
    BOOL CreateIC(LPCSTR lpszDriverName);
    BOOL DeleteDC();

    // Each returns the handle that was selected before (null on failure).
    HGDIOBJ SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    HGDIOBJ SelectStockObject(int nIndex) { return SelectObject(::GetStockObject(nIndex)); }
    // A null palette selects nothing and gives null, so the matching restore of the
    // previous (null) palette selects nothing either.
    HPALETTE SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    HPALETTE SelectPalette(HPALETTE hPalette, BOOL bForceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }

    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
    }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop)
    {
        return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, dwRop);
    }
    void FillSolidRect(const RECT& rc, COLORREF crColor);
    int FillRect(const RECT& rc, HBRUSH hBrush) { return ::FillRect(m_hDC, &rc, hBrush); }
    // Outlined with the current pen, filled with the current brush.
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(const RECT& rc) { return Rectangle(rc.left, rc.top, rc.right, rc.bottom); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    // nCount -1: up to the terminating null. Gives the height of the text.
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    {
        return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }
    // The size of the first nCount characters in the selected font; (0, 0) on failure.
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;

    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    // Device to logical units, for points and for sizes.
    BOOL DPtoLP(LPPOINT lpPoints, int nCount = 1) const { return ::DPtoLP(m_hDC, lpPoints, nCount); }
    BOOL DPtoLP(LPSIZE lpSize) const;

private:
    bool m_bOwned = false;

    // Lets go of the current DC (deleting it if owned) and takes hDC.
    void Reset(HDC hDC, bool bOwned);
};
