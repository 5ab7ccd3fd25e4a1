// The start page view in Kelo's real page frames: where and how often the start page is
// requested, where the page view lies, and that page views come and go without a trace.
#include "StartedKiosk.h"
#include "startpage/StartPageConstants.h"
#include "frame/CMainFrame.h"
#include "support/ComProbe.h"
#include "support/GdiObjectCounter.h"
#include "support/ProcessResources.h"
#include "support/MessagePump.h"

namespace
{
const DWORD kTimeoutMs = 5000;

CRect ScreenRectOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect RectIn(HWND hWnd, HWND hWndParent)
{
    CRect rc = ScreenRectOf(hWnd);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

CRect ClientScreenRectOf(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

using PageView = StartedKiosk;
} // namespace

TEST_F(PageView, EachPageViewRequestsTheStartPageFromTheProgramsFolderOnce)
{
    ASSERT_NE(theApp.m_settings.m_strResDir, theApp.m_settings.m_strExeDir + "res\\");
    for (int nView = 0; nView < 2; ++nView) {
        CFrameWnd* pFrame = PageFrame();
        ASSERT_TRUE(PumpUntil([&] { return LocationOf(pFrame) == StartPageURL(); }, kTimeoutMs))
            << "view " << nView << ": " << LocationOf(pFrame);
        CBrowserHost* pHost = HostOf(pFrame);
        EXPECT_TRUE(pHost->IsWindowVisible());
        EXPECT_EQ(ClientScreenRectOf(PageMenuOf(pFrame)->m_hWnd), ScreenRectOf(pHost->m_hWnd));

        // Once the page is loaded, resizing the view neither reloads it nor moves the host.
        const char szElsewhere[] = "app:/ailleurs";
        pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(szElsewhere));
        ASSERT_TRUE(PumpUntil([&] { return LocationOf(pFrame) == szElsewhere; }, kTimeoutMs));
        HWND hWndView = PageMenuOf(pFrame)->m_hWnd;
        CRect rcHost = RectIn(pHost->m_hWnd, hWndView);
        pFrame->MoveWindow(50, 60, 300, 200);
        PumpFor(300);
        EXPECT_EQ(szElsewhere, LocationOf(pFrame));
        EXPECT_EQ(rcHost, RectIn(pHost->m_hWnd, hWndView));

        // A skin change makes a new page frame and view (which may take the old one's
        // memory: the windows tell them apart).
        HWND hWndFrame = pFrame->m_hWnd;
        Skin().ApplySkin();
        Skin().RefreshScreen();
        ASSERT_NE(nullptr, PageFrame());
        ASSERT_NE(hWndFrame, PageFrame()->m_hWnd);
    }
}

TEST_F(PageView, AHiddenPageFrameNeverSizedLoadsNothing)
{
    // A new document's page frame is parked hidden at 1 x 1, as at start-up.
    theApp.OnFileNew();
    CFrameWnd* pFrame = PageFrame();
    ASSERT_TRUE(BrowserOf(pFrame));
    PumpFor(300);
    EXPECT_EQ("", LocationOf(pFrame));
    EXPECT_FALSE(HostOf(pFrame)->IsWindowVisible());
}

// The counts must come back exactly: one object left per view gives +50, five times the
// ~10 objects Wine caches on the first DC and font use (made by the first view).
TEST_F(PageView, FiftyPageViewsLeaveNoObjectsBehind)
{
    const auto cycle = [&] {
        theApp.CloseAllDocuments(TRUE);
        theApp.OnFileNew();
        PageFrame()->MoveWindow(&Skin().m_rcInner);
    };
    cycle();
    theApp.CloseAllDocuments(TRUE);
    PumpFor(100);
    ASSERT_FALSE(DllHasLiveObjects("ieframe.dll"));
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();

    for (int i = 0; i < 50; ++i) {
        cycle();
        ASSERT_EQ(StartPageURL(), LocationOf(PageFrame())) << "view " << i;
    }
    theApp.CloseAllDocuments(TRUE);
    PumpFor(100);
    EXPECT_FALSE(DllHasLiveObjects("ieframe.dll"));
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}
