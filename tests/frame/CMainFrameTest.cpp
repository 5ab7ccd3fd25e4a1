// The main frame as the rest of the program sees it: its window, its placement, its
// hit test, its resources, the exit command and the focus after a link.
#include "frame/CMainFrame.h"
#include "app/CKeloApp.h"
#include "videoplayer/CVideoPlayer.h"
#include "framework/docview/CWinApp.h"
#include "framework/core/FrameworkIds.h"
#include "links/CLinkCommandRunner.h"
#include "framework/core/ScopedWin.h"
#include "resources/resource.h"
#include "support/MessagePump.h"
#include <gtest/gtest.h>

namespace
{
CMainFrame* CreateMainFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)
{
    CMainFrame* pFrame = new CMainFrame;
    return pFrame->LoadFrame(IDR_MAINFRAME, dwStyle) ? pFrame : nullptr;
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// Destroys the frame's window (which deletes the frame) at the end of a test.
class CFrameGuard
{
public:
    explicit CFrameGuard(CMainFrame* pFrame) : m_hWnd(pFrame ? pFrame->m_hWnd : nullptr) {}
    ~CFrameGuard()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    CFrameGuard(const CFrameGuard&) = delete;
    CFrameGuard& operator=(const CFrameGuard&) = delete;

private:
    HWND m_hWnd;
};

bool g_bLoopTimedOut = false;
void CALLBACK EndLoopTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    g_bLoopTimedOut = true;
    ::PostQuitMessage(99);
}
} // namespace

TEST(CMainFrame, IsAnUncaptionedMenulessPopupOf800x600WithoutSystemMenuOrAcceleratorsWhateverTheStyleAsked)
{
    const DWORD styles[] = {WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, WS_CAPTION | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL,
                            WS_POPUP | WS_DLGFRAME | WS_BORDER | WS_MAXIMIZE, 0};
    for (DWORD dwStyle : styles) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << dwStyle);
        CMainFrame* pFrame = CreateMainFrame(dwStyle);
        ASSERT_NE(nullptr, pFrame);
        CFrameGuard guard(pFrame);
        HWND hWnd = pFrame->m_hWnd;

        DWORD dwActual = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP), dwActual & ~static_cast<DWORD>(WS_CLIPSIBLINGS));
        EXPECT_EQ(nullptr, ::GetMenu(hWnd));
        EXPECT_EQ(nullptr, pFrame->GetDefaultMenu());
        EXPECT_EQ(nullptr, pFrame->GetDefaultAccelerator());
        CRect rcWindow = WindowRect(hWnd);
        EXPECT_EQ(800, rcWindow.Width());
        EXPECT_EQ(600, rcWindow.Height());
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        EXPECT_EQ(CRect(0, 0, 800, 600), rcClient);

        // The MDI client reaches 2 pixels beyond every edge, hiding its client edge.
        CRect rcMdi = WindowRect(pFrame->m_hWndMDIClient);
        ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<LPPOINT>(&rcMdi), 2);
        EXPECT_EQ(CRect(-2, -2, 802, 602), rcMdi);
    }
}

TEST(CMainFrame, CentresItselfAtItsFirstLayoutOnly)
{
    CMainFrame::s_bFirstLayout = TRUE;
    CMainFrame* pFrame = CreateMainFrame();
    ASSERT_NE(nullptr, pFrame);
    CFrameGuard guard(pFrame);
    HWND hWnd = pFrame->m_hWnd;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(CMainFrame::s_bFirstLayout);

    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    ASSERT_GT(rcWork.Width(), 800) << "the screen leaves no room to see the centring";
    EXPECT_EQ(CRect(rcWork.left + (rcWork.Width() - 800) / 2, rcWork.top + (rcWork.Height() - 600) / 2, 0, 0).TopLeft(),
              WindowRect(hWnd).TopLeft());

    // Moved by the user, minimised and restored: it stays where it was put.
    pFrame->SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pFrame->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(::IsIconic(hWnd));
    pFrame->ShowWindow(SW_RESTORE);
    EXPECT_FALSE(::IsIconic(hWnd));
    EXPECT_EQ(CRect(30, 40, 830, 640), WindowRect(hWnd));

    // A later frame is not centred either.
    CMainFrame* pSecond = CreateMainFrame();
    ASSERT_NE(nullptr, pSecond);
    CFrameGuard secondGuard(pSecond);
    EXPECT_EQ(CRect(0, 0, 800, 600), WindowRect(pSecond->m_hWnd));
}

TEST(CMainFrame, EveryPointOfTheFrameIsItsCaption)
{
    CMainFrame* pFrame = CreateMainFrame();
    ASSERT_NE(nullptr, pFrame);
    CFrameGuard guard(pFrame);
    CRect rc = WindowRect(pFrame->m_hWnd);
    const POINT points[] = {{rc.left, rc.top}, {rc.right - 1, rc.bottom - 1}, {rc.left + 400, rc.top + 300}, {rc.left + 1, rc.bottom - 2}};
    for (POINT pt : points)
        EXPECT_EQ(HTCAPTION, pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))) << pt.x << "," << pt.y;
}

TEST(CMainFrame, ExitCommandDestroysTheFrameAndEndsTheMessageLoop)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(nullptr, pApp);
    CMainFrame* pFrame = CreateMainFrame();
    ASSERT_NE(nullptr, pFrame);
    HWND hWnd = pFrame->m_hWnd;
    pApp->m_pMainWnd = pFrame;
    EXPECT_EQ(pFrame, g_videoPlayer.GetOwner());
    pFrame->ShowWindow(SW_SHOWNORMAL);

    pFrame->PostMessage(WM_COMMAND, ID_APP_EXIT);
    g_bLoopTimedOut = false;
    UINT_PTR nGuard = ::SetTimer(nullptr, 0, 5000, EndLoopTimerProc);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!pApp->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::KillTimer(nullptr, nGuard);
    if (::IsWindow(hWnd)) {
        pApp->m_pMainWnd = nullptr;
        ::DestroyWindow(hWnd);
    }

    EXPECT_FALSE(g_bLoopTimedOut);
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(nullptr, pApp->m_pMainWnd);
    // The deleted frame is nobody's window any more.
    EXPECT_EQ(nullptr, g_videoPlayer.GetOwner());
}

TEST(CMainFrame, RuntimeClassIsAnMdiFrameNotMadeByName)
{
    const CRuntimeClass* pClass = KELO_RUNTIME_CLASS(CMainFrame);
    EXPECT_STREQ("CMainFrame", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(KELO_RUNTIME_CLASS(CMDIFrameWnd)));
    EXPECT_EQ(nullptr, pClass->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CMainFrame"));
}

TEST(CMainFrame, WhenALinkHasRunTheFocusGoesBackToTheWindowThatHadIt)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(nullptr, pApp);
    CMainFrame* pFrame = CreateMainFrame();
    ASSERT_NE(nullptr, pFrame);
    CFrameGuard guard(pFrame);
    pApp->m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(pFrame->m_hWnd);
    HWND hWndPage = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, pFrame->m_hWnd, nullptr,
                                      nullptr, nullptr);
    ::SetFocus(hWndPage);
    ASSERT_EQ(hWndPage, ::GetFocus());

    HANDLE hThread = nullptr;
    ASSERT_TRUE(CLinkCommandRunner::Start("/fonc(1)", &hThread));
    ScopedHandle thread(hThread);
    // Disabling a window takes the focus from its descendants on Windows (not under Wine).
    ::SetFocus(nullptr);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(pFrame->m_hWnd) != FALSE; }, 5000));
    EXPECT_EQ(hWndPage, ::GetFocus());
    pApp->m_pMainWnd = nullptr;
}
