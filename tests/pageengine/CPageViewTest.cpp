// The page view in a real window: links followed by a click or by Tab and Enter, local
// pages opened and left again, scrolling, the hand cursor, the notice for a missing start
// page, and the doors it keeps closed (no context menu, no drops, no other windows).
#include "pageengine/view/CPageView.h"
#include "support/CMessageRecorder.h"
#include "support/CTempFolder.h"
#include "support/MessagePump.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const int kViewWidth = 400, kViewHeight = 300;
std::vector<std::string> g_handedOff;

// Takes the "app://" links, as the start page host does.
BOOL RecordHandOff(LPCSTR pszURL)
{
    g_handedOff.push_back(pszURL);
    return std::string(pszURL).compare(0, 6, "app://") == 0;
}

class BuiltInPageView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_handedOff.clear();
        ASSERT_TRUE(m_parent.Create());
        m_parent.ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
        m_parent.SetWindowPos(HWND_TOP, 10, 10, kViewWidth + 20, kViewHeight + 20, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        ASSERT_TRUE(m_view.Create(m_parent, {10, 10, 10 + kViewWidth, 10 + kViewHeight}, 1000));
        m_view.SetLinkHandOff(&RecordHandOff);
        m_strMain = m_folder.WriteFile("res\\main.html",
                                       "<body bgcolor=#204060 link=#FFFF00><p><a href=\"app://exec(film1.exe)\">Film</a>"
                                       "<p><a href=\"pages/deux.html\">Deux</a><p><a href=\"http://exemple.fr\" "
                                       "target=_blank>Web</a>");
        m_folder.WriteFile("res\\pages\\deux.html", "<title>Deux</title><p><a href=\"../main.html\">Retour</a> <a href=absent.html>Absent</a>");
    }

    void TearDown() override { m_view.DestroyWindow(); }

    // The client point in the middle of a link's first box.
    CPoint LinkPoint(int nLink) const
    {
        RECT rc = m_view.GetPage()->GetLayout().LinkRects(nLink).at(0);
        return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 - m_view.GetScrollY());
    }

    void Click(CPoint point)
    {
        m_view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    void Key(UINT nKey, bool bShift = false)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(state);
        m_view.SendMessage(WM_KEYDOWN, nKey, 1);
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
    }

    std::string Shown() const { return m_view.GetPage()->Path(); }

    static size_t ThreadWindows()
    {
        size_t nWindows = 0;
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND, LPARAM lParam) {
            ++*reinterpret_cast<size_t*>(lParam);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&nWindows));
        return nWindows;
    }

    CTempFolder m_folder{"kelo-view"};
    CMessageRecorder m_parent{WM_CONTEXTMENU, WM_DROPFILES, WM_PARENTNOTIFY};
    CPageView m_view;
    CString m_strMain;
};
} // namespace

TEST_F(BuiltInPageView, AClickHandsTheLinkOffAndLocalLinksOpenInTheViewAndBack)
{
    m_view.ShowStartPage(m_strMain.str());
    ASSERT_EQ(m_strMain.str(), Shown());
    ASSERT_EQ(3u, m_view.GetPage()->GetLayout().m_links.size());

    Click(LinkPoint(0));
    EXPECT_EQ(std::vector<std::string>{"app://exec(film1.exe)"}, g_handedOff);
    EXPECT_EQ(m_strMain.str(), Shown());

    m_view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(LinkPoint(1).x, LinkPoint(1).y));
    m_view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(LinkPoint(0).x, LinkPoint(0).y));
    EXPECT_EQ(1u, g_handedOff.size()) << "a press on one link and a release on another follow neither";

    size_t nWindows = ThreadWindows();
    Click(LinkPoint(2));
    EXPECT_EQ("http://exemple.fr", g_handedOff.back());
    EXPECT_EQ(m_strMain.str(), Shown()) << "other schemes open nothing";
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(nWindows, ThreadWindows()) << "nor any other window";

    Click(LinkPoint(1));
    EXPECT_EQ((m_folder.Path() + "res\\pages\\deux.html").str(), Shown());
    EXPECT_EQ(CString("Deux"), m_view.GetWindowText()) << "the view's text is the page's title";
    Click(LinkPoint(1));
    EXPECT_EQ((m_folder.Path() + "res\\pages\\deux.html").str(), Shown()) << "a missing page leaves the page shown";
    Click(LinkPoint(0));
    EXPECT_EQ(m_strMain.str(), Shown());
}

TEST_F(BuiltInPageView, TabAndShiftTabMoveAVisibleFocusAndEnterFollowsIt)
{
    m_view.ShowStartPage(m_strMain.str());
    m_view.SetFocus();
    EXPECT_EQ(DLGC_WANTALLKEYS, m_view.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
    Key(VK_TAB);
    EXPECT_EQ(0, m_view.GetFocusLink());
    Key(VK_TAB, true);
    EXPECT_EQ(2, m_view.GetFocusLink()) << "round from the first link to the last";
    Key(VK_TAB);
    Key(VK_TAB);
    EXPECT_EQ(1, m_view.GetFocusLink());

    m_view.UpdateWindow();
    HDC hDC = ::GetDC(m_view);
    RECT rc = m_view.GetPage()->GetLayout().LinkRects(1).at(0);
    int nRing = 0;
    for (int x = rc.left; x < rc.right; ++x)
        nRing += ::GetPixel(hDC, x, rc.top - 1) != RGB(0x20, 0x40, 0x60);
    ::ReleaseDC(m_view, hDC);
    EXPECT_GT(nRing, (rc.right - rc.left) / 3) << "the focus ring is drawn";

    Key(VK_RETURN);
    EXPECT_EQ((m_folder.Path() + "res\\pages\\deux.html").str(), Shown());
    EXPECT_EQ(-1, m_view.GetFocusLink());
    Key(VK_TAB);
    Key(VK_RETURN);
    EXPECT_EQ(m_strMain.str(), Shown());
}

TEST_F(BuiltInPageView, ATallPageScrollsByBarWheelAndKeys)
{
    std::string strPage = "<body bgcolor=#FFFFFF>";
    for (int i = 0; i < 60; ++i)
        strPage += "<p>ligne " + std::to_string(i) + "</p>";
    strPage += "<a href=\"app://fonc(0)\">Arr&ecirc;ter</a>";
    CString strTall = m_folder.WriteFile("long.html", strPage);
    m_view.ShowStartPage(strTall.str());

    RECT rcClient;
    m_view.GetClientRect(&rcClient);
    EXPECT_EQ(kViewWidth - ::GetSystemMetrics(SM_CXVSCROLL), rcClient.right);
    EXPECT_EQ(rcClient.right, m_view.GetPage()->GetLayout().m_nWidth);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_view, SB_VERT, &si);
    EXPECT_EQ(m_view.GetPage()->GetLayout().m_nHeight - 1, si.nMax);
    EXPECT_EQ(static_cast<UINT>(kViewHeight), si.nPage);

    m_view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_GT(m_view.GetScrollY(), 0);
    int nAfterWheel = m_view.GetScrollY();
    m_view.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(nAfterWheel + kViewHeight, m_view.GetScrollY());
    si.fMask = SIF_POS;
    ::GetScrollInfo(m_view, SB_VERT, &si);
    EXPECT_EQ(m_view.GetScrollY(), si.nPos);
    Key(VK_HOME);
    EXPECT_EQ(0, m_view.GetScrollY());
    m_view.SetFocus();
    Key(VK_TAB);
    RECT rcLink = m_view.GetPage()->GetLayout().LinkRects(0).at(0);
    EXPECT_EQ(rcLink.bottom - kViewHeight, m_view.GetScrollY()) << "the focused link is scrolled into view";
    Key(VK_END);
    EXPECT_EQ(m_view.GetPage()->GetLayout().m_nHeight - kViewHeight, m_view.GetScrollY());
}

TEST_F(BuiltInPageView, TheHandOverLinksOnlyAndNoContextMenuNorDrops)
{
    m_view.ShowStartPage(m_strMain.str());
    CPoint ptLink = LinkPoint(0);
    POINT pt = {ptLink.x, ptLink.y};
    m_view.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    m_view.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_view.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hOverLink = ::GetCursor();
    ::SetCursorPos(pt.x + kViewWidth / 2, pt.y);
    m_view.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_view.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_ARROW), ::GetCursor());
    EXPECT_NE(::LoadCursorA(nullptr, IDC_ARROW), hOverLink);
    EXPECT_NE(nullptr, hOverLink);

    m_parent.Take();
    m_view.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    m_view.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    m_view.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view.m_hWnd), MAKELPARAM(-1, -1));
    PumpUntil([] { return false; }, 50);
    for (const RecordedMessage& message : m_parent.Messages())
        EXPECT_NE(static_cast<UINT>(WM_CONTEXTMENU), message.nMessage);
    EXPECT_EQ(0u, m_view.GetExStyle() & WS_EX_ACCEPTFILES);
}

TEST_F(BuiltInPageView, AMissingStartPageShowsANoticeAndThePageIsDrawnDoubleBuffered)
{
    m_view.SetBackgroundColor(RGB(0, 128, 128));
    m_view.ShowStartPage((m_folder.Path() + "res\\absent.html").str());
    EXPECT_EQ(RGB(0, 128, 128), m_view.GetPage()->GetLayout().m_crBackground) << "the notice in the skin's colour";
    std::string strText;
    for (const CPageBox& box : m_view.GetPage()->GetLayout().m_boxes)
        if (box.nKind == BOX_TEXT)
            strText += m_view.GetPage()->GetLayout().TextOf(box);
    EXPECT_NE(std::string::npos, strText.find("Page d'accueil introuvable"));
    EXPECT_NE(std::string::npos, strText.find("absent.html"));

    m_view.ShowStartPage(m_strMain.str());
    EXPECT_EQ(TRUE, m_view.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(::GetDC(nullptr))));
    m_view.UpdateWindow();
    HDC hDC = ::GetDC(m_view);
    RECT rc = m_view.GetPage()->GetLayout().LinkRects(0).at(0);
    int nLinkPixels = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nLinkPixels += ::GetPixel(hDC, x, y) == RGB(0xFF, 0xFF, 0x00);
    EXPECT_EQ(RGB(0x20, 0x40, 0x60), ::GetPixel(hDC, kViewWidth - 30, kViewHeight - 5));
    ::ReleaseDC(m_view, hDC);
    EXPECT_GT(nLinkPixels, 0) << "the link's text and underline in the link colour";
}
