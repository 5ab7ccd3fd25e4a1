// The skin window inside the real start-up: documents and frames after start-up and skin
// changes, placeholders for skins that cannot be read, repaints that show what a fresh start
// shows, and no objects left behind.
#include "app/CKeloApp.h"
#include "frame/CMainFrame.h"
#include "framework/docview/CDocManager.h"
#include "framework/docview/CMDIChildWnd.h"
#include "framework/window/CClientDC.h"
#include "skin/CSkinButton.h"
#include "skin/SkinConstants.h"
#include "support/DibTestSupport.h"
#include "support/GdiObjectCounter.h"
#include "support/KeloStart.h"
#include "support/ProcessResources.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using namespace TestSkin;

const RECT kInner = {kLeftWidth, kTopHeight, 800 - kRightWidth, 600 - kBottomHeight};
// The inner rectangle of a skin whose borders are all 16 x 16 placeholders.
const RECT kPlaceholderInner = {16, 16, 784, 584};

bool operator==(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

// Kelo's start-up, as InitInstance runs it, for a program in a kiosk folder.
class SkinnedStart : public ::testing::Test
{
protected:
    void Start(const CString& strProgramFolder)
    {
        ASSERT_TRUE(StartKeloIn(strProgramFolder));
        PumpFor(100);
    }

    void TearDown() override { EndKelo(); }

    CSkinClientWnd& Skin() { return theApp.GetMainFrame()->m_wndSkinClient; }

    // The MDI child frames of the skin window, with their rectangles in its client area.
    std::vector<std::pair<HWND, RECT>> Frames()
    {
        std::vector<std::pair<HWND, RECT>> frames;
        for (HWND h = ::GetWindow(Skin(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (!dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h)))
                continue;
            RECT rc = {};
            ::GetWindowRect(h, &rc);
            ::MapWindowPoints(nullptr, Skin(), reinterpret_cast<POINT*>(&rc), 2);
            frames.emplace_back(h, rc);
        }
        return frames;
    }

    // The colour the screen shows at (x, y) of the skin window's client area.
    COLORREF SkinPixel(int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(Skin(), &pt);
        return ScreenPixel(pt.x, pt.y);
    }

    // The skin window and all its children repainted, background included.
    void RepaintAll()
    {
        ::RedrawWindow(Skin(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    // The screen's pixels of the skin window's client area, the inner rectangle (the page
    // view's) left out.
    std::string SkinOnScreen()
    {
        CTestCanvas canvas(800, 600);
        CClientDC screen(nullptr);
        POINT pt = {0, 0};
        ::ClientToScreen(Skin(), &pt);
        canvas.DC()->BitBlt(0, 0, 800, 600, &screen, pt.x, pt.y, SRCCOPY);
        ::FillRect(*canvas.DC(), &Skin().m_rcInner, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return canvas.Snapshot();
    }

    // Moves the real pointer to (x, y) of the skin window's client area.
    bool PointAt(int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(Skin(), &pt);
        return MovePointerTo(pt.x, pt.y) != FALSE;
    }

    SIZE ButtonSize(const CSkinButton* pButton)
    {
        RECT rc = {};
        ::GetClientRect(*pButton, &rc);
        return {rc.right, rc.bottom};
    }

    void ExpectOneDocumentWithItsTwoFrames()
    {
        EXPECT_EQ(1, theApp.GetDocManager()->GetOpenDocumentCount());
        auto frames = Frames();
        ASSERT_EQ(2u, frames.size());
        ASSERT_NE(nullptr, theApp.m_pPageFrame);
        const RECT rcHidden = {-100, -100, -99, -99};
        int nHidden = 0, nPage = 0;
        for (const auto& frame : frames) {
            if (frame.first == theApp.m_pPageFrame->m_hWnd) {
                ++nPage;
                EXPECT_TRUE(frame.second == Skin().m_rcInner);
                EXPECT_TRUE(::IsWindowVisible(frame.first));
            } else if (frame.second == rcHidden) {
                ++nHidden;
            }
        }
        EXPECT_EQ(1, nHidden);
        EXPECT_EQ(1, nPage);
    }

    CTestKiosk m_kiosk;
};
} // namespace

TEST_F(SkinnedStart, OneDocumentWithItsTwoFramesAfterStartUpAndAfterEachApplySkin)
{
    Start(m_kiosk.Path());
    EXPECT_TRUE(Skin().m_rcInner == kInner);
    ExpectOneDocumentWithItsTwoFrames();
    for (int i = 0; i < 2; ++i) {
        HWND hOldPage = theApp.m_pPageFrame->m_hWnd;
        Skin().ApplySkin();
        Skin().RefreshScreen();
        EXPECT_FALSE(::IsWindow(hOldPage));
        ExpectOneDocumentWithItsTwoFrames();
    }
}

TEST_F(SkinnedStart, SkinWithoutMenuStripHasNoMenuButton)
{
    CTestKiosk kiosk(FALSE);
    Start(kiosk.Path());
    EXPECT_EQ(nullptr, Skin().m_pBtMenu);
    ASSERT_NE(nullptr, Skin().m_pBtMini);
    EXPECT_EQ(IDC_BTMINI, Skin().m_pBtMini->GetDlgCtrlID());
    EXPECT_EQ(IDC_BTQUIT, Skin().m_pBtQuit->GetDlgCtrlID());
}

TEST_F(SkinnedStart, UnreadableBordersArePaintedAsPlaceholders)
{
    m_kiosk.Folder().WriteFile("SKINS\\Test\\Gauche.bmp", "not a picture");
    ::DeleteFileA(m_kiosk.Path() + "SKINS\\Test\\Droit.bmp");
    Start(m_kiosk.Path());
    const RECT rcInner = {16, kTopHeight, 784, 600 - kBottomHeight};
    EXPECT_TRUE(Skin().m_rcInner == rcInner);
    EXPECT_TRUE(PumpUntil([&] { return SkinPixel(5, 5) == RGB(0, 0, 0) && SkinPixel(795, 5) == RGB(0, 0, 0); }, 3000));
    // The placeholder border ends where the page frame, showing the start page, begins.
    EXPECT_EQ(RGB(0, 0, 0), SkinPixel(15, 300));
    POINT pt = {16, 300};
    ::ClientToScreen(Skin(), &pt);
    HWND hWndAt = ::WindowFromPoint(pt);
    EXPECT_TRUE(hWndAt == theApp.m_pPageFrame->m_hWnd || ::IsChild(theApp.m_pPageFrame->m_hWnd, hWndAt));
    EXPECT_EQ(kTop, SkinPixel(400, 5));
    ExpectOneDocumentWithItsTwoFrames();
}

TEST_F(SkinnedStart, SkinFolderTooLongForAPathGivesPlaceholdersAndNoMenuButton)
{
    // Lanceur.ini is readable, but every file of the skin lies beyond MAX_PATH.
    CString strDeep = m_kiosk.Folder().MakeFolder(CString('d', 100)) + "\\";
    m_kiosk.Folder().WriteFile(CString('d', 100) + "\\SKINS\\Lanceur.ini",
                               "[Generalite]\r\nskin=" + std::string(180, 'x') + "\r\n");
    Start(strDeep);
    // A skin folder no path can name counts as no skin.
    EXPECT_TRUE(theApp.m_settings.m_strSkinDir.IsEmpty());
    EXPECT_TRUE(Skin().m_rcInner == kPlaceholderInner);
    EXPECT_EQ(nullptr, Skin().m_pBtMenu);
    EXPECT_EQ(16, ButtonSize(Skin().m_pBtMini.get()).cx);
    EXPECT_EQ(4, ButtonSize(Skin().m_pBtQuit.get()).cy);
}

TEST_F(SkinnedStart, RepaintAfterAHoverAndAfterASkinChangeShowsTheFreshStartPixels)
{
    m_kiosk.AddSkin("Zinc", RGB(0, 120, 0), RGB(220, 0, 0));
    ASSERT_TRUE(MovePointerTo(0, 0));
    Start(m_kiosk.Path());
    ASSERT_TRUE(PumpUntil([&] { return SkinPixel(kQuitAt.x + 10, kQuitAt.y + 10) == kNormal; }, 3000));
    RepaintAll();
    const std::string strFresh = SkinOnScreen();

    ASSERT_TRUE(PointAt(kMiniAt.x + 12, kMiniAt.y + 12));
    ASSERT_TRUE(PumpUntil([&] { return SkinPixel(kMiniAt.x + 10, kMiniAt.y + 10) == kHover; }, 3000));
    ASSERT_TRUE(PointAt(400, 590));
    ASSERT_TRUE(PumpUntil([&] { return SkinPixel(kMiniAt.x + 10, kMiniAt.y + 10) == kNormal; }, 3000));
    RepaintAll();
    EXPECT_TRUE(SkinOnScreen() == strFresh) << "after a hover";

    for (const char* pszSkin : {"Zinc", "Test"}) {
        theApp.SaveSkinChoice(pszSkin);
        Skin().ApplySkin();
        Skin().RefreshScreen();
        PumpFor(100);
    }
    ASSERT_TRUE(PumpUntil([&] { return SkinPixel(5, 300) == kLeft; }, 3000));
    RepaintAll();
    EXPECT_TRUE(SkinOnScreen() == strFresh) << "after a skin change and back";
}

TEST_F(SkinnedStart, ASkinLoadedOffTheScreenPaintsItsButtonsFacesUntilTheyAreShown)
{
    Start(m_kiosk.Path());
    // What the skin itself paints at the quit button's place.
    auto skinPaintsAtQuit = [&] {
        CTestCanvas canvas(800, 600);
        ::SendMessageA(Skin(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->GetSafeHdc()), PRF_CLIENT);
        return canvas.Pixel(kQuitAt.x + 10, kQuitAt.y + 10);
    };
    EXPECT_TRUE(::IsWindowVisible(*Skin().m_pBtQuit));
    EXPECT_EQ(kTop, skinPaintsAtQuit()) << "the shown button paints its own face";

    theApp.GetMainFrame()->ShowWindow(SW_HIDE);
    Skin().LoadSkin();
    EXPECT_FALSE(::IsWindowVisible(*Skin().m_pBtQuit));
    EXPECT_EQ(kNormal, skinPaintsAtQuit());

    Skin().ShowButtons();
    EXPECT_EQ(kTop, skinPaintsAtQuit());
    theApp.GetMainFrame()->ShowWindow(SW_SHOWNA);
    for (const CSkinButton* pButton : {Skin().m_pBtMenu.get(), Skin().m_pBtMini.get(), Skin().m_pBtQuit.get()})
        EXPECT_TRUE(::IsWindowVisible(*pButton));
}

TEST_F(SkinnedStart, RefreshWithoutPageFrameRepaintsTheSkinOnly)
{
    Start(m_kiosk.Path());
    ::DestroyWindow(theApp.m_pPageFrame->m_hWnd);
    EXPECT_EQ(nullptr, theApp.m_pPageFrame) << "the application still names a frame that is gone";
    Skin().RefreshScreen();
    EXPECT_TRUE(PumpUntil([&] { return SkinPixel(400, 300) == kScreen && SkinPixel(5, 300) == kLeft; }, 3000));
}

TEST_F(SkinnedStart, FiveHundredRepaintsLeaveNoObjectsBehind)
{
    Start(m_kiosk.Path());
    // Every tenth repaint also repaints the buttons and frames, which print the skin
    // behind them. The counts must come back exactly: an object left by each repaint, or
    // by each of the fifty full ones, gives 50 or more, five times the ~10 objects that
    // Wine's first DC and font use caches (done before the first count).
    const UINT nFlags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    ::RedrawWindow(Skin(), nullptr, nullptr, nFlags | RDW_ALLCHILDREN);
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();
    for (int i = 0; i < 500; ++i)
        ::RedrawWindow(Skin(), nullptr, nullptr, i % 10 ? nFlags : nFlags | RDW_ALLCHILDREN);
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}
