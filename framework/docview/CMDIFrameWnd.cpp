#include "framework/docview/CMDIFrameWnd.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CMDIChildWnd.h"

namespace
{
// Identifier of the first MDI child window (the client numbers its children from it).
const UINT kFirstMdiChildId = 0xFF00;
} // namespace

KELO_IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

KELO_BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    OnWmSize<&CMDIFrameWnd::OnSize>(),
KELO_END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWndMDIClient &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    if (!m_hWndMDIClient)
        return nullptr;
    HWND hWndActive = reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    return KELO_DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandlePermanent(hWndActive));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? static_cast<CFrameWnd*>(pActive) : this;
}

BOOL CMDIFrameWnd::CreateClient()
{
    CLIENTCREATESTRUCT ccs = {nullptr, kFirstMdiChildId};
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext)
{
    return CreateClient();
}
