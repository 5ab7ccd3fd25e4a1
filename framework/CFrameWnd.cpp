#include "framework/CFrameWnd.h"
#include "framework/AfxRegisterWndClass.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include <algorithm>

KELO_BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    OnWmCreate<&CFrameWnd::OnCreate>(),
    OnWmSize<&CFrameWnd::OnSize>(),
KELO_END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCSTR pszResource = MAKEINTRESOURCEA(nIDResource);

    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nBreak = strFull.Find('\n');
        m_strTitle = nBreak >= 0 ? strFull.Left(nBreak) : strFull;
    } else if (CWinApp* pApp = AfxGetApp()) {
        m_strTitle = pApp->m_strAppName;
    }
    if (m_strTitle.IsEmpty())
        m_strTitle.LoadString(IDS_APP_TITLE);

    CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), ::LoadIconA(hInst, pszResource));
    if (strClass.IsEmpty())
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(hInst, pszResource);

    HMENU hMenu = ::LoadMenuA(hInst, pszResource);
    if (!CreateEx(0, strClass, m_strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu, pContext)) {
        // A window made and destroyed during creation took its menu and this object along.
        if (hMenu && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    // A menu the frame removed while it was created is no window's any more.
    if (hMenu && hMenu != m_hMenuDefault)
        ::DestroyMenu(hMenu);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        if (!cs.lpszClass)
            return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hAccelTable)
        return FALSE;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, UINT nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode);
}

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPCRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    HWND hWndLeftOver = ::GetDlgItem(m_hWnd, static_cast<int>(nIDLeftOver));
    if (!hWndLeftOver)
        return;
    CRect rc;
    if (lpRectClient)
        rc = *lpRectClient;
    else
        GetClientRect(&rc);
    if (nFlags == reposExtra && lpRectParam) {
        rc.left += lpRectParam->left;
        rc.top += lpRectParam->top;
        rc.right -= lpRectParam->right;
        rc.bottom -= lpRectParam->bottom;
    }
    ::SetWindowPos(hWndLeftOver, nullptr, rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)))
        return -1;
    RecalcLayout();
    return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext)
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
