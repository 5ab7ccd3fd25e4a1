// Which view shows the start page in Kelo's real page frames, as Kelo.ini's Page key says:
// the built-in view where the browser control shows nothing (under Wine, automatically),
// only the built-in view with "integree", only the control with "navigateur"; and a new
// page view after a skin change shows the page again; the control is never replaced while
// a modal loop of its own runs, and only the start page's own error counts, not a frame's.
#include "StartedKiosk.h"
#include "frame/CMainFrame.h"
#include "resources/resource.h"
#include "startpage/StartPageConstants.h"
#include "support/MessagePump.h"

namespace
{
const DWORD kTimeoutMs = 5000;

class PageChoice : public StartedKiosk
{
protected:
    void SetUp() override
    {
        m_kiosk.Folder().WriteFile("res\\main.html", "<title>Accueil</title><p><a href=\"app://fonc(0)\">Stop</a>");
    }

    static CPageView* BuiltInViewOf(const CFrameWnd* pFrame)
    {
        CPageMenu* pMenu = PageMenuOf(pFrame);
        return pMenu ? dynamic_cast<CPageView*>(CWnd::FromHandlePermanent(::GetDlgItem(pMenu->m_hWnd, IDC_BROWSER)))
                     : nullptr;
    }

    // Whether the frame's built-in view shows the start page over the whole form.
    ::testing::AssertionResult ShowsStartPage(const CFrameWnd* pFrame) const
    {
        CPageView* pView = BuiltInViewOf(pFrame);
        if (!pView || !pView->GetPage())
            return ::testing::AssertionFailure() << "no built-in view with a page";
        if (pView->GetPage()->Path() != m_kiosk.Path().str() + "res\\main.html")
            return ::testing::AssertionFailure() << "it shows " << pView->GetPage()->Path();
        CRect rcForm, rcView;
        PageMenuOf(pFrame)->GetClientRect(&rcForm);
        ::GetWindowRect(pView->m_hWnd, &rcView);
        ::MapWindowPoints(nullptr, PageMenuOf(pFrame)->m_hWnd, reinterpret_cast<POINT*>(&rcView), 2);
        if (rcForm != rcView || !pView->IsWindowVisible())
            return ::testing::AssertionFailure() << "it does not cover the form";
        return ::testing::AssertionSuccess();
    }
};
} // namespace

TEST_F(PageChoice, AutomaticTakesTheBuiltInViewWhenTheControlShowsNoPage)
{
    Start("[Generalite]\r\nAppli=Demo\r\n");
    EXPECT_TRUE(PumpUntil([&] { return BuiltInViewOf(PageFrame()) != nullptr; }, kTimeoutMs));
    EXPECT_TRUE(ShowsStartPage(PageFrame()));
    EXPECT_EQ(nullptr, HostOf(PageFrame()));
    EXPECT_EQ(nullptr, ::FindWindowExA(PageMenuOf(PageFrame())->m_hWnd, nullptr, "Shell Embedding", nullptr));
}

TEST_F(PageChoice, IntegreeNeverMakesTheControlNavigateurNeverLeavesIt)
{
    Start("[Generalite]\r\nAppli=Demo\r\nPage=integree\r\n");
    EXPECT_TRUE(ShowsStartPage(PageFrame())) << "at once, without the control";
    EXPECT_FALSE(BrowserOf(PageFrame()));
    TearDown();

    Start("[Generalite]\r\nAppli=Demo\r\nPage=navigateur\r\n");
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(BrowserOf(PageFrame()));
    EXPECT_EQ(nullptr, BuiltInViewOf(PageFrame()));
}

TEST_F(PageChoice, AfterASkinChangeTheNewPageViewShowsThePageAgainAndTakesTheKeyboard)
{
    Start("[Generalite]\r\nAppli=Demo\r\n");
    for (int nView = 0; nView < 2; ++nView) {
        ASSERT_TRUE(PumpUntil([&] { return ShowsStartPage(PageFrame()); }, kTimeoutMs)) << "view " << nView;
        CPageView* pView = BuiltInViewOf(PageFrame());
        ::SetFocus(PageFrame()->m_hWnd);
        EXPECT_EQ(pView->m_hWnd, ::GetFocus()) << "the page frame hands the keyboard to the page";
        HWND hWndFrame = PageFrame()->m_hWnd;
        Skin().ApplySkin();
        Skin().RefreshScreen();
        ASSERT_NE(hWndFrame, PageFrame()->m_hWnd);
    }
}

TEST_F(PageChoice, AutomaticLeavesTheControlInPlaceWhileAModalLoopOfItsOwnRuns)
{
    Start("[Generalite]\r\nAppli=Demo\r\n");
    ASSERT_NE(nullptr, HostOf(PageFrame())) << "the control's answer came before the test could hold it";
    // A modal dialog of the control (a script's alert) disables the window it lives in.
    HWND hWndMain = ::GetAncestor(PageFrame()->m_hWnd, GA_ROOT);
    ::EnableWindow(hWndMain, FALSE);
    PumpUntil([] { return false; }, 500);
    EXPECT_NE(nullptr, HostOf(PageFrame())) << "the control was destroyed inside its own modal loop";
    EXPECT_EQ(nullptr, BuiltInViewOf(PageFrame()));
    ::EnableWindow(hWndMain, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return ShowsStartPage(PageFrame()); }, kTimeoutMs));
    EXPECT_EQ(nullptr, HostOf(PageFrame()));
}

// Reaches the host's record of its one answer, to ask it a second time.
struct CHostProbe : CBrowserHost
{
    static BOOL CBrowserHost::*PageStateSent() { return &CHostProbe::m_bPageStateSent; }
};

TEST_F(PageChoice, AutomaticTakesOnlyTheStartPagesOwnErrorNotAFramesOne)
{
    Start("[Generalite]\r\nAppli=Demo\r\n");
    CBrowserHost* pHost = HostOf(PageFrame());
    ASSERT_NE(nullptr, pHost) << "the control's answer came before the test could hold it";
    HWND hWndForm = PageMenuOf(PageFrame())->m_hWnd;
    auto pageStateQueued = [&] {
        MSG msg;
        return ::PeekMessageA(&msg, hWndForm, WM_BROWSER_PAGESTATE, WM_BROWSER_PAGESTATE, PM_NOREMOVE) != FALSE;
    };
    // The control's own answer for the start page is taken back, so the host may say it again.
    MSG msg;
    while (::PeekMessageA(&msg, hWndForm, WM_BROWSER_PAGESTATE, WM_BROWSER_PAGESTATE, PM_REMOVE))
        ;
    pHost->*CHostProbe::PageStateSent() = FALSE;

    // The same address failing in a frame of the page, which is a browser object of its own.
    VARIANT url;
    ::VariantInit(&url);
    V_VT(&url) = VT_BSTR;
    const std::string strPath = m_kiosk.Path().str() + "res\\main.html";
    const std::wstring strPage(strPath.begin(), strPath.end());
    V_BSTR(&url) = ::SysAllocString(strPage.c_str());
    BOOL bCancel = FALSE;
    ScopedComPtr<IWebBrowser2> pBrowser = BrowserOf(PageFrame());
    ASSERT_TRUE(pBrowser);
    ScopedComPtr<IDispatch> pFrame;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                             pFrame.PutVoid())));
    pHost->OnNavigateError(pFrame.Get(), &url, nullptr, nullptr, &bCancel);
    EXPECT_FALSE(pageStateQueued()) << "a frame's error counted as the start page's";

    // The page's own browser object: that error counts.
    pHost->OnNavigateError(pBrowser.Get(), &url, nullptr, nullptr, &bCancel);
    EXPECT_TRUE(pageStateQueued());
    ::VariantClear(&url);
}
