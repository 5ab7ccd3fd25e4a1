#include "framework/CPaintDC.h"
#include "framework/CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
}
