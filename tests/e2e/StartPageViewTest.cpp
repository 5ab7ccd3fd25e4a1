// The real Kelo.exe showing the sample kiosk's start page in its built-in page view (what
// the automatic choice takes under Wine), driven with the real pointer and keyboard: a
// click on a video's picture starts the player, which is closed at the end of its
// playback; the help page opens in the view and its link comes back; Tab, Tab, Enter
// follows the page's second link, and after Enter on the stop link, Tab and Enter follow
// the next one. Links are found where the page's own layout puts them.
#include "pageengine/view/CHtmlPage.h"
#include "pageengine/view/CPageView.h"
#include "support/CKeloProcess.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace
{
const DWORD kWaitMs = 8000;
const DWORD kPlayMs = 1500;
const char kMainTitle[] = "Vid\xe9os de d\xe9monstration";

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = kWaitMs)
{
    return PumpUntil(condition, dwTimeoutMs);
}

class StartPageView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* pszFile : {"main.html", "aide.html", "film.png"})
            ASSERT_TRUE(CopyFileTo(WindowsPathOf((std::string(KELO_SOURCE_DIR "/tools/kiosk/res/") + pszFile).c_str()),
                                   m_kiosk.Folder().MakeFolder("res") + "\\" + pszFile));
        m_players.InstallAt(m_kiosk.Folder().MakeFolder("Video") + "\\film1.exe", kPlayMs);
        ASSERT_TRUE(m_kelo.Start());
        HWND hWndMain = m_kelo.WaitForWindow(nullptr, 15000);
        ASSERT_NE(nullptr, hWndMain);
        ASSERT_TRUE(WaitFor([&] { return (m_hWndView = FindVisibleDescendant(hWndMain, CPageView::s_pszClassName)) != nullptr; }))
            << "no built-in page view";
        ASSERT_TRUE(ShowsPage(kMainTitle));
    }

    void TearDown() override { ReleaseLeftButton(); }

    // Whether the view comes to show the page of this title (its window text).
    bool ShowsPage(const char* pszTitle) const
    {
        return WaitFor([&] {
            char szText[256] = {};
            ::GetWindowTextA(m_hWndView, szText, sizeof(szText));
            return std::string(szText) == pszTitle;
        });
    }

    // The screen rectangle of the first box of link nLink, with the page laid out as the
    // view lays it out: at the width of its client area.
    CRect LinkRect(const char* pszPage, int nLink) const
    {
        CRect rcClient;
        ::GetClientRect(m_hWndView, &rcClient);
        CHtmlPage page;
        EXPECT_TRUE(page.LoadFile((m_kiosk.Path() + "res\\" + pszPage).str()));
        page.Layout(rcClient.Width());
        std::vector<RECT> rects = page.GetLayout().LinkRects(nLink);
        CRect rc = rects.empty() ? CRect() : CRect(rects.front());
        ::MapWindowPoints(m_hWndView, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    // The index of the first link to pszHref on the page.
    int LinkTo(const char* pszPage, const char* pszHref) const
    {
        CHtmlPage page;
        EXPECT_TRUE(page.LoadFile((m_kiosk.Path() + "res\\" + pszPage).str()));
        page.Layout(100);
        const CPageBoxes& layout = page.GetLayout();
        for (size_t i = 0; i < layout.m_links.size(); ++i)
            if (layout.Href(i) == pszHref)
                return static_cast<int>(i);
        ADD_FAILURE() << "no link to " << pszHref;
        return -1;
    }

    POINT LinkPoint(const char* pszPage, const char* pszHref) const
    {
        CRect rc = LinkRect(pszPage, LinkTo(pszPage, pszHref));
        return {rc.CenterPoint().x, rc.CenterPoint().y};
    }

    // Whether the row just above a rectangle shows a focus ring over the colour crBelow.
    static bool RingAbove(const CRect& rc, COLORREF crBelow)
    {
        int nChanged = 0;
        for (int x = rc.left; x < rc.right; ++x)
            nChanged += ScreenPixel(x, rc.top - 1) != crBelow;
        return nChanged > rc.Width() / 3;
    }

    // The player starts and, its playback over, is told to exit and goes.
    void ExpectOnePlayback() const
    {
        ASSERT_TRUE(WaitFor([&] { return !Events("start").empty(); })) << "the player did not start";
        EXPECT_TRUE(WaitFor([&] { return !Events("exit").empty(); }, kPlayMs + kWaitMs)) << "the player was not closed";
        EXPECT_EQ(1u, Events("ended").size());
        EXPECT_TRUE(WaitForProcessEnd(CPlayerSandbox::PidOf(m_players.StartOf("film1")), 5000));
        EXPECT_EQ(1u, Events("start").size());
    }

    std::vector<size_t> Events(const char* pszEvent) const { return m_players.Events("film1", pszEvent); }

    // Kelo ends first, then the sandbox ends the players started from the kiosk, which
    // goes last.
    CTestKiosk m_kiosk;
    CPlayerSandbox m_players;
    CKeloProcess m_kelo{m_kiosk.Path()};
    HWND m_hWndView = nullptr;
};
} // namespace

TEST_F(StartPageView, AClickOnAVideosPictureStartsThePlayerWhichIsClosedAtTheEndOfPlayback)
{
    ASSERT_TRUE(ClickAt(LinkPoint("main.html", "app://exec(film1.exe)")));
    ExpectOnePlayback();
}

TEST_F(StartPageView, TheHelpPageOpensInTheViewAndItsLinkComesBack)
{
    ASSERT_TRUE(ClickAt(LinkPoint("main.html", "aide.html")));
    ASSERT_TRUE(ShowsPage("Aide"));
    ASSERT_TRUE(ClickAt(LinkPoint("aide.html", "main.html")));
    EXPECT_TRUE(ShowsPage(kMainTitle));
    EXPECT_TRUE(Events("start").empty());
}

TEST_F(StartPageView, TabTabEnterFollowsTheSecondLink)
{
    // A click where there is no link gives the page the keyboard and follows nothing.
    CRect rcClient;
    ::GetClientRect(m_hWndView, &rcClient);
    POINT ptBlank = {10, rcClient.bottom - 10};
    ::ClientToScreen(m_hWndView, &ptBlank);
    ASSERT_TRUE(ClickAt(ptBlank));
    CRect rcFirst = LinkRect("main.html", 0), rcSecond = LinkRect("main.html", 1);
    COLORREF crCell = ScreenPixel(rcSecond.left, rcSecond.top - 1);
    ASSERT_FALSE(RingAbove(rcSecond, crCell));
    ASSERT_TRUE(PressKeys("Tab Tab"));
    EXPECT_TRUE(WaitFor([&] { return RingAbove(rcSecond, crCell); })) << "no focus ring on the second link";
    EXPECT_FALSE(RingAbove(rcFirst, crCell)) << "the first link keeps a ring";
    EXPECT_TRUE(Events("start").empty());
    ASSERT_TRUE(PressKeys("Return"));
    ExpectOnePlayback();

    // Once the player is gone, the keys are the page's again.
    ASSERT_TRUE(PressKeys("shift+Tab"));
    EXPECT_TRUE(WaitFor([&] { return RingAbove(rcFirst, crCell); })) << "no focus ring on the first link";
    ASSERT_TRUE(PressKeys("Return"));
    EXPECT_TRUE(WaitFor([&] { return Events("start").size() == 2; })) << "Enter after the video started nothing";
}

TEST_F(StartPageView, AfterEnterOnTheStopLinkTabAndEnterFollowTheNextLink)
{
    CRect rcClient;
    ::GetClientRect(m_hWndView, &rcClient);
    POINT ptBlank = {10, rcClient.bottom - 10};
    ::ClientToScreen(m_hWndView, &ptBlank);
    ASSERT_TRUE(ClickAt(ptBlank));
    int nStop = LinkTo("main.html", "app://fonc(0)");
    ASSERT_EQ(LinkTo("main.html", "aide.html"), nStop + 1);
    std::string strKeys;
    for (int i = 0; i <= nStop; ++i)
        strKeys += "Tab ";
    ASSERT_TRUE(PressKeys((strKeys + "Return").c_str()));
    // Input is handled in order, and a disabled main window drops the pointer's moves: once
    // the minimise button shows its hover image, Enter has started the link and the main
    // window is enabled again. The pointer goes on and off the button until then.
    HWND hWndMain = ::GetAncestor(m_hWndView, GA_ROOT);
    POINT ptMini = {TestSkin::kMiniAt.x + 12, TestSkin::kMiniAt.y + 12};
    ::ClientToScreen(hWndMain, &ptMini);
    ASSERT_TRUE(WaitFor([&] {
        MovePointerTo(ptBlank.x, ptBlank.y);
        MovePointerTo(ptMini.x, ptMini.y);
        return WaitFor([&] { return ScreenPixel(ptMini.x - 2, ptMini.y - 2) == TestSkin::kHover; }, 300);
    }));
    ASSERT_TRUE(MovePointerTo(ptBlank.x, ptBlank.y));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(hWndMain) != FALSE; }));

    ASSERT_TRUE(PressKeys("Tab Return"));
    EXPECT_TRUE(ShowsPage("Aide")) << "the keys no longer reach the page";
    EXPECT_TRUE(Events("start").empty());
}
