#include "framework/docview/CMDIChildWnd.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CMDIFrameWnd.h"

KELO_IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (m_hWnd)
        return FALSE;
    if (!pParentWnd)
        pParentWnd = KELO_DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    HWND hWndClient = pParentWnd ? pParentWnd->m_hWndMDIClient : nullptr;

    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    bool bDefault = CRect(rect) == rectDefault;
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = hWndClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!hWndClient || !PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    BOOL bVisible = (cs.style & WS_VISIBLE) != 0;
    MDICREATESTRUCTA mcs = {cs.lpszClass, cs.lpszName, cs.hInstance, cs.x, cs.y, cs.cx, cs.cy,
                            static_cast<DWORD>(cs.style & ~(WS_MAXIMIZE | WS_VISIBLE)), reinterpret_cast<LPARAM>(cs.lpCreateParams)};
    auto fnCreate = [&] {
        return reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    };
    if (!CreateBound(cs.hInstance, cs.lpszClass, hWndClient, fnCreate))
        return FALSE;
    if (bVisible)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    CString strClass = LoadFrameResources(nIDResource);
    if (strClass.IsEmpty()) {
        PostNcDestroy();
        return FALSE;
    }
    return Create(strClass, m_strTitle, dwDefaultStyle, rectDefault, KELO_DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd),
                  pContext);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    HWND hWndClient = GetMDIClient();
    if (!m_hWnd || !hWndClient)
        return CFrameWnd::DestroyWindow();
    ::SendMessageA(hWndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    nCmdShow = ResolveShowCommand(nCmdShow);
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE)
        MDIActivate();
}

void CMDIChildWnd::MDIActivate()
{
    if (HWND hWndClient = GetMDIClient())
        ::SendMessageA(hWndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = GetMDIClient();
    return KELO_DYNAMIC_DOWNCAST(CMDIFrameWnd, hWndClient ? FromHandlePermanent(::GetParent(hWndClient)) : nullptr);
}
