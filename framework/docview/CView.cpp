#include "framework/docview/CView.h"
#include "framework/window/AfxRegisterWndClass.h"
#include "framework/docview/CCreateContext.h"
#include "framework/docview/CDocument.h"
#include "framework/docview/CFrameWnd.h"

KELO_IMPLEMENT_DYNAMIC(CView, CWnd)

KELO_BEGIN_MESSAGE_MAP(CView, CWnd)
    OnWmCreate<&CView::OnCreate>(),
KELO_END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (HWND hWnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CFrameWnd* pFrame = KELO_DYNAMIC_DOWNCAST(CFrameWnd, FromHandlePermanent(hWnd)))
            return pFrame;
    }
    return nullptr;
}

BOOL CView::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID, CCreateContext* pContext)
{
    m_pCreateContext = pContext;
    // On failure the view may be gone already.
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    m_pCreateContext = nullptr;
    return TRUE;
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterDefaultWndClass();
    if (!cs.lpszClass)
        return FALSE;
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT nID, UINT nCode)
{
    return CWnd::OnCmdMsg(nID, nCode) || (m_pDocument && m_pDocument->OnCmdMsg(nID, nCode));
}

int CView::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pCreateContext && m_pCreateContext->m_pCurrentDoc)
        m_pCreateContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::PostNcDestroy()
{
    delete this;
}
