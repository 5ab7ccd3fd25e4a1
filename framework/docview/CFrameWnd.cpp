#include "framework/docview/CFrameWnd.h"
#include "framework/window/AfxRegisterWndClass.h"
#include "framework/docview/CCreateContext.h"
#include "framework/docview/CView.h"
#include "framework/docview/CWinApp.h"
#include "framework/core/FrameworkIds.h"
#include <algorithm>

KELO_IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

KELO_BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    OnWmCreate<&CFrameWnd::OnCreate>(),
    OnWmSize<&CFrameWnd::OnSize>(),
    OnMessage<WM_SETFOCUS, &CFrameWnd::OnSetFocus>(),
KELO_END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    CString strClass = LoadFrameResources(nIDResource);
    if (strClass.IsEmpty()) {
        PostNcDestroy();
        return FALSE;
    }
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
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

CString CFrameWnd::LoadFrameResources(UINT nIDResource)
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

    m_hAccelTable = ::LoadAcceleratorsA(hInst, pszResource);
    return AfxRegisterDefaultWndClass(::LoadIconA(hInst, pszResource));
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterDefaultWndClass();
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hAccelTable)
        return FALSE;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, UINT nCode)
{
    // This frame, then the active child frame of an MDI frame.
    if (CCmdTarget::OnCmdMsg(nID, nCode))
        return TRUE;
    CFrameWnd* pFrame = GetActiveFrame();
    if (pFrame != this && pFrame->CCmdTarget::OnCmdMsg(nID, nCode))
        return TRUE;
    // That frame's active view, which passes it on to its document.
    CView* pView = pFrame->GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode);
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    const CRuntimeClass* pViewClass = pContext ? pContext->m_pNewViewClass : nullptr;
    auto* pView = static_cast<CWnd*>(pViewClass ? pViewClass->CreateObject(KELO_RUNTIME_CLASS(CWnd)) : nullptr);
    // A view that fails to be created has deleted itself.
    if (!pView || !pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!GetActiveView()) {
        if (CView* pPane = KELO_DYNAMIC_DOWNCAST(CView, FromHandlePermanent(GetDlgItem(AFX_IDW_PANE_FIRST))))
            SetActiveView(pPane);
    }
    if (!bMakeVisible)
        return;
    for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        CView* pView = KELO_DYNAMIC_DOWNCAST(CView, FromHandlePermanent(hWnd));
        if (pView && (!pDoc || pView->GetDocument() == pDoc))
            pView->OnInitialUpdate();
    }
    CWinApp* pApp = AfxGetApp();
    ActivateFrame(pApp && pApp->m_pMainWnd == this ? pApp->m_nCmdShow : -1);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    nCmdShow = ResolveShowCommand(nCmdShow);
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE)
        ::BringWindowToTop(m_hWnd);
}

int CFrameWnd::ResolveShowCommand(int nCmdShow) const
{
    if (nCmdShow != -1)
        return nCmdShow;
    return !IsWindowVisible() ? SW_SHOWNORMAL : IsIconic() ? SW_RESTORE : SW_SHOW;
}

CView* CFrameWnd::GetActiveView() const
{
    return KELO_DYNAMIC_DOWNCAST(CView, FromHandlePermanent(m_hWndViewActive));
}

void CFrameWnd::SetActiveView(CView* pViewNew)
{
    m_hWndViewActive = pViewNew ? pViewNew->m_hWnd : nullptr;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CFrameWnd* pFrame = GetActiveFrame();
    CView* pView = pFrame ? pFrame->GetActiveView() : nullptr;
    return pView ? pView->GetDocument() : nullptr;
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
    // An MDI child receives its creation parameter inside the MDI client's structure.
    LPVOID lpParam = lpCreateStruct->lpCreateParams;
    if ((lpCreateStruct->dwExStyle & WS_EX_MDICHILD) && lpParam)
        lpParam = reinterpret_cast<LPVOID>(static_cast<LPMDICREATESTRUCTA>(lpParam)->lParam);
    if (!OnCreateClient(lpCreateStruct, static_cast<CCreateContext*>(lpParam)))
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

LRESULT CFrameWnd::OnSetFocus(WPARAM, LPARAM)
{
    if (CView* pView = GetActiveView()) {
        pView->SetFocus();
        return 0;
    }
    return Default();
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
