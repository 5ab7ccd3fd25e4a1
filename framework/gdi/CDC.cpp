#include "framework/gdi/CDC.h"
#include "framework/gdi/CGdiObject.h"
#include "framework/gdi/CPalette.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    Reset(hDC, false);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!hDC)
        return FALSE;
    Reset(hDC, true);
    return TRUE;
}

BOOL CDC::CreateIC(LPCSTR lpszDriverName)
{
    HDC hDC = ::CreateICA(lpszDriverName, nullptr, nullptr, nullptr);
    if (!hDC)
        return FALSE;
    Reset(hDC, true);
    return TRUE;
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (!::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size))
        return CSize(0, 0);
    return CSize(size);
}

void CDC::Reset(HDC hDC, bool bOwned)
{
    DeleteDC();
    m_hDC = hDC;
    m_bOwned = bOwned;
}

BOOL CDC::DeleteDC()
{
    bool bOwned = m_bOwned;
    HDC hDC = Detach();
    return hDC && bOwned ? ::DeleteDC(hDC) : FALSE;
}

HGDIOBJ CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? SelectObject(pObject->m_hObject) : nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!m_hDC || !hObject)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    return hOld == HGDI_ERROR ? nullptr : hOld;
}

HPALETTE CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return SelectPalette(pPalette ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr, bForceBackground);
}

HPALETTE CDC::SelectPalette(HPALETTE hPalette, BOOL bForceBackground)
{
    if (!m_hDC || !hPalette)
        return nullptr;
    return ::SelectPalette(m_hDC, hPalette, bForceBackground);
}

void CDC::FillSolidRect(const RECT& rc, COLORREF crColor)
{
    COLORREF crOld = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}

BOOL CDC::DPtoLP(LPSIZE lpSize) const
{
    // A size is the distance between two points, so the origins cancel out.
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    if (!DPtoLP(pts, 2))
        return FALSE;
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
    return TRUE;
}
