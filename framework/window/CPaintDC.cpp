#include "framework/window/CPaintDC.h"
#include "framework/window/CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd)
    : CPaintDC(pWnd ? pWnd->m_hWnd : HWND(nullptr))
{
}

CPaintDC::CPaintDC(HWND hWnd)
    : m_hWnd(hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
}
