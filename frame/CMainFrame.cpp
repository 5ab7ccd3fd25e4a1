#include "frame/CMainFrame.h"
#include "framework/core/AfxGlobals.h"
#include "links/LinkConstants.h"
#include "videoplayer/CVideoPlayer.h"
#include "resources/resource.h"
#include "links/CLinkCommandRunner.h"
#include "links/LinkCommands.h"

namespace
{
const int kFrameWidth = 800;
const int kFrameHeight = 600;
// The MDI client reaches this far beyond every edge, which hides its client edge.
const int kClientOverhang = 2;
} // namespace

BOOL CMainFrame::s_bFirstLayout = TRUE;

KELO_IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

KELO_BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    OnWmCreate<&CMainFrame::OnCreate>(),
    OnWmNcHitTest<&CMainFrame::OnNcHitTest>(),
    OnWmSize<&CMainFrame::OnSize>(),
    OnCmd<ID_FRAME_RESERVED1, &CMainFrame::OnReservedCommand>(),
    OnCmd<ID_FRAME_RESERVED2, &CMainFrame::OnReservedCommand>(),
    OnCmd<ID_VIDEO_STOP, &CMainFrame::OnStopVideo>(),
    OnMessage<WM_APP_PLAYVIDEO, &CMainFrame::OnPlayVideo>(),
    OnMessage<WM_APP_VIDEOCONTROL, &CMainFrame::OnVideoControl>(),
    OnMessage<WM_APP_LINKDONE, &CMainFrame::OnLinkDone>(),
    OnMessage<WM_CONTEXTMENU, &CMainFrame::OnContextMenu>(),
KELO_END_MESSAGE_MAP()

CMainFrame::~CMainFrame()
{
    // The player would otherwise arm its next timer on a deleted window object.
    if (g_videoPlayer.GetOwner() == this)
        g_videoPlayer.SetOwner(nullptr);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // No system menu: nothing of the window's own can be opened from the keyboard.
    cs.style = WS_POPUP;
    // Nor a menu bar: made without one, the window is not laid out again to take it away.
    // The frame's loader destroys the menu it loaded.
    cs.hMenu = nullptr;
    cs.x = 0;
    cs.y = 0;
    cs.cx = kFrameWidth;
    cs.cy = kFrameHeight;
    return TRUE;
}

void CMainFrame::RecalcLayout(BOOL bNotify)
{
    CRect rcClient(-kClientOverhang, -kClientOverhang, kFrameWidth + kClientOverhang, kFrameHeight + kClientOverhang);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rcClient, FALSE);
    if (s_bFirstLayout) {
        CenterWindow();
        s_bFirstLayout = FALSE;
    }
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext)
{
    if (CMDIFrameWnd::OnCreateClient(lpCreateStruct, pContext)) {
        m_wndSkinClient.SubclassWindow(m_hWndMDIClient);
        return TRUE;
    }
    return CMDIFrameWnd::OnCreateClient(lpCreateStruct, pContext);
}

CString CMainFrame::GetProgramFile()
{
    return AfxGetModuleFileName(nullptr);
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    g_videoPlayer.SetOwner(this);
    return 0;
}

LRESULT CMainFrame::OnNcHitTest(CPoint point)
{
    return HTCAPTION;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIFrameWnd::OnSize(nType, cx, cy);
}

void CMainFrame::OnReservedCommand()
{
}

void CMainFrame::OnStopVideo()
{
    g_videoPlayer.Stop();
}

LRESULT CMainFrame::OnPlayVideo(WPARAM wParam, LPARAM lParam)
{
    CString strName;
    CString strPath;
    if (CLinkCommandRunner::TakeVideoArgument(lParam, strName) && BuildVideoPath(GetProgramFile(), strName, strPath))
        g_videoPlayer.Play(strPath);
    return 0;
}

LRESULT CMainFrame::OnVideoControl(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        g_videoPlayer.Stop();
    return 0;
}

LRESULT CMainFrame::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // Taken here: the default handling of a right click on the frame, every point of which
    // is its caption, would open the window's menu.
    return 0;
}

LRESULT CMainFrame::OnLinkDone(WPARAM wParam, LPARAM lParam)
{
    EnableWindow(TRUE);
    // Disabling the window left the focus nowhere: a kiosk worked from the keyboard alone
    // would no longer answer Tab and Enter. It goes back to a window of this frame that
    // had it, unless the focus has gone somewhere meanwhile.
    HWND hWndFocus = reinterpret_cast<HWND>(wParam);
    if (hWndFocus && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus)) && !::GetFocus() &&
        ::GetActiveWindow() == m_hWnd)
        ::SetFocus(hWndFocus);
    return 0;
}
