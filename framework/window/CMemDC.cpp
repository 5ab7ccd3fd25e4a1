#include "framework/window/CMemDC.h"
#include "framework/window/CClientDC.h"

CMemDC::CMemDC(CDC* pTarget, const RECT& rc, BOOL bMonochrome)
    : m_pTarget(pTarget), m_rc(rc), m_selection(CreateSurface(bMonochrome), &m_bitmap)
{
}

CMemDC::CMemDC(CDC* pTarget, int cx, int cy, BOOL bMonochrome)
    : CMemDC(pTarget, CRect(0, 0, cx, cy), bMonochrome)
{
}

CDC* CMemDC::CreateSurface(BOOL bMonochrome)
{
    if (!CreateCompatibleDC(m_pTarget))
        return nullptr;
    if (bMonochrome)
        m_bitmap.CreateBitmap(m_rc.Width(), m_rc.Height(), 1, 1, nullptr);
    else if (m_pTarget)
        m_bitmap.CreateCompatibleBitmap(m_pTarget, m_rc.Width(), m_rc.Height());
    else {
        // Not with this DC: a new memory DC holds a monochrome bitmap.
        CClientDC screen(nullptr);
        m_bitmap.CreateCompatibleBitmap(&screen, m_rc.Width(), m_rc.Height());
    }
    ::SetWindowOrgEx(m_hDC, m_rc.left, m_rc.top, nullptr);
    return this;
}

BOOL CMemDC::BlitToTarget(DWORD dwRop)
{
    if (!m_pTarget)
        return FALSE;
    return m_pTarget->BitBlt(m_rc.left, m_rc.top, m_rc.Width(), m_rc.Height(), this, m_rc.left, m_rc.top, dwRop);
}
