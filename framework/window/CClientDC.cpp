#include "framework/window/CClientDC.h"
#include "framework/window/CWnd.h"

CClientDC::CClientDC(CWnd* pWnd)
    : CClientDC(pWnd ? pWnd->m_hWnd : nullptr)
{
}

CClientDC::CClientDC(HWND hWnd)
    : m_hWnd(hWnd)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (HDC hDC = Detach())
        ::ReleaseDC(m_hWnd, hDC);
}
