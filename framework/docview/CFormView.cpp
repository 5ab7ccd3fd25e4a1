#include "framework/docview/CFormView.h"
#include "framework/core/AfxGlobals.h"

KELO_IMPLEMENT_DYNAMIC(CFormView, CScrollView)

KELO_BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    OnWmInitDialog<&CFormView::OnInitDialog>(),
KELO_END_MESSAGE_MAP()

BOOL CFormView::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    auto lpTemplate = static_cast<LPCDLGTEMPLATEA>(hTemplate ? ::LockResource(hTemplate) : nullptr);

    CREATESTRUCTA cs = {};
    cs.style = dwStyle | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.hInstance = hInst;
    cs.lpCreateParams = pContext;
    if (!lpTemplate || !PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    m_pCreateContext = pContext;
    if (!CreateDlgIndirect(lpTemplate, pParentWnd, hInst))
        return FALSE;
    m_pCreateContext = nullptr;

    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(GetExStyle() | cs.dwExStyle));
    SetWindowPos(nullptr, cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (cs.style & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::OnInitDialog()
{
    return FALSE;
}
