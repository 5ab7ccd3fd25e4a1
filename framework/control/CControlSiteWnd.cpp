#include "framework/control/CControlSiteWnd.h"
#include "framework/window/AfxRegisterWndClass.h"

BOOL CControlSiteWnd::CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                    CWnd* pParentWnd, UINT nID)
{
    if (!AfxIsControlContainerEnabled() || !pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    if (!CreateEx(0, AfxRegisterWndClass(0), lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    if (!m_site.CreateControl(clsid)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CControlSiteWnd::PreTranslateMessage(MSG* pMsg)
{
    return m_site.PreTranslateMessage(pMsg);
}

LRESULT CControlSiteWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_site.DestroyControl();
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE)
        m_site.LayoutControl();
    return lResult;
}
