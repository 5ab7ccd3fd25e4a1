// The real Kelo.exe on a kiosk whose skin has known colours, watched on the screen and
// driven with the real pointer: borders, screen colour, buttons over the border, their
// hover and pressed images, minimise, quit, dragging the window by its skin, and the MDI
// keys, which leave the page frame in place.
#include "support/CKeloProcess.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>
#include <functional>

namespace
{
using namespace TestSkin;

const DWORD kWaitMs = 5000;

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = kWaitMs)
{
    return PumpUntil(condition, dwTimeoutMs);
}

class SkinScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The corner of the screen is outside the centred window: no button starts hovered
        // wherever an earlier test left the pointer.
        ASSERT_TRUE(MovePointerTo(0, 0));
        ASSERT_TRUE(m_kelo.Start());
        m_hWndMain = m_kelo.WaitForWindow(nullptr, 15000);
        ASSERT_NE(nullptr, m_hWndMain);
        ASSERT_TRUE(WaitFor([&] { return Pixel(5, 300) == kLeft && Pixel(kQuitAt.x + 10, kQuitAt.y + 10) == kNormal; }))
            << "the skin was not painted";
        // The page frame follows the first paint.
        ASSERT_TRUE(WaitFor([&] {
            const MdiChildren children = FindMdiChildren();
            return children.hWndPage && RectInMain(children.hWndPage).left == kLeftWidth;
        })) << "the page frame was not placed";
    }

    void TearDown() override { ReleaseLeftButton(); }

    POINT Origin() const
    {
        POINT pt = {0, 0};
        ::ClientToScreen(m_hWndMain, &pt);
        return pt;
    }

    // The screen's pixel at (x, y) of the main window's client area.
    COLORREF Pixel(int x, int y) const
    {
        POINT pt = Origin();
        return ScreenPixel(pt.x + x, pt.y + y);
    }

    BOOL PointAt(int x, int y) const
    {
        POINT pt = Origin();
        return MovePointerTo(pt.x + x, pt.y + y);
    }

    bool Shows(POINT ptButton, COLORREF cr) const
    {
        return WaitFor([&] { return Pixel(ptButton.x + 10, ptButton.y + 10) == cr; });
    }

    // The MDI client's children: the page frame and the 1 x 1 frame out of sight (the skin's
    // buttons are children of the MDI client too, but no MDI children).
    struct MdiChildren
    {
        HWND hWndClient = nullptr;
        HWND hWndPage = nullptr;
        HWND hWndTiny = nullptr;
        int nCount = 0;
    };

    MdiChildren FindMdiChildren() const
    {
        MdiChildren children;
        children.hWndClient = ::FindWindowExA(m_hWndMain, nullptr, "MDIClient", nullptr);
        for (HWND hWnd = ::FindWindowExA(children.hWndClient, nullptr, nullptr, nullptr); hWnd;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            if (!(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD))
                continue;
            ++children.nCount;
            RECT rc = {};
            ::GetWindowRect(hWnd, &rc);
            (rc.right - rc.left == 1 && rc.bottom - rc.top == 1 ? children.hWndTiny : children.hWndPage) = hWnd;
        }
        return children;
    }

    // The window's rectangle in the main window's client coordinates.
    RECT RectInMain(HWND hWnd) const
    {
        RECT rc = {};
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, m_hWndMain, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    HWND ActiveMdiChild(HWND hWndClient) const
    {
        DWORD_PTR dwResult = 0;
        if (!::SendMessageTimeoutA(hWndClient, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &dwResult))
            return nullptr;
        return reinterpret_cast<HWND>(dwResult);
    }

    // Real key events reach Kelo's windows in the order they were typed, with the pointer's:
    // once the minimise button shows its hover image, every key before it was handled.
    bool HandledAllInput()
    {
        if (!PointAt(kMiniAt.x + 12, kMiniAt.y + 12) || !Shows(kMiniAt, kHover))
            return false;
        return PointAt(400, 300) && Shows(kMiniAt, kNormal);
    }

    CTestKiosk m_kiosk;
    CKeloProcess m_kelo{m_kiosk.Path()};
    HWND m_hWndMain = nullptr;
};
} // namespace

TEST_F(SkinScreen, BordersScreenColourAndButtonsOverTheBorder)
{
    EXPECT_EQ(kLeft, Pixel(0, 0));
    EXPECT_EQ(kLeft, Pixel(kLeftWidth - 1, 599));
    EXPECT_EQ(kRight, Pixel(800 - kRightWidth, 0));
    EXPECT_EQ(kRight, Pixel(799, 599));
    EXPECT_EQ(kTop, Pixel(kLeftWidth, 0));
    EXPECT_EQ(kTop, Pixel(800 - kRightWidth - 1, kTopHeight - 1));
    EXPECT_EQ(kBottom, Pixel(kLeftWidth, 600 - kBottomHeight));
    EXPECT_EQ(kBottom, Pixel(800 - kRightWidth - 1, 599));
    // The inner rectangle, corner to corner, is the page view's: this kiosk has no start
    // page, so once the view is up it shows one colour, none of the borders'.
    COLORREF crPage = CLR_INVALID;
    EXPECT_TRUE(WaitFor([&] {
        crPage = Pixel(400, 300);
        return crPage == Pixel(kLeftWidth, kTopHeight) &&
               crPage == Pixel(800 - kRightWidth - 1, 600 - kBottomHeight - 1);
    }));
    for (COLORREF crBorder : {kLeft, kRight, kTop, kBottom})
        EXPECT_NE(crBorder, crPage);
    for (POINT pt : {kMenuAt, kMiniAt, kQuitAt}) {
        EXPECT_EQ(kNormal, Pixel(pt.x + kMagentaCorner, pt.y + kMagentaCorner));
        EXPECT_EQ(kNormal, Pixel(pt.x + kButtonSize - 1, pt.y + kButtonSize - 1));
        EXPECT_EQ(kTop, Pixel(pt.x, pt.y)) << "the border shows through magenta";
        EXPECT_EQ(kTop, Pixel(pt.x + kMagentaCorner - 1, pt.y + kMagentaCorner - 1));
        EXPECT_EQ(kTop, Pixel(pt.x + kButtonSize, pt.y + kButtonSize)) << "beyond the button";
    }
}

TEST_F(SkinScreen, HoverAndPressImagesThenTheMinimiseButtonMinimises)
{
    ASSERT_TRUE(PointAt(kMiniAt.x + 12, kMiniAt.y + 12));
    EXPECT_TRUE(Shows(kMiniAt, kHover));
    EXPECT_EQ(kNormal, Pixel(kQuitAt.x + 10, kQuitAt.y + 10));
    ASSERT_TRUE(PressLeftButton());
    EXPECT_TRUE(Shows(kMiniAt, kPressed));
    EXPECT_FALSE(::IsIconic(m_hWndMain));
    ASSERT_TRUE(ReleaseLeftButton());
    EXPECT_TRUE(WaitFor([&] { return ::IsIconic(m_hWndMain) != FALSE; })) << "the main window was not minimised";
}

TEST_F(SkinScreen, QuitButtonEndsTheProgram)
{
    ASSERT_TRUE(PointAt(kQuitAt.x + 12, kQuitAt.y + 12));
    EXPECT_TRUE(Shows(kQuitAt, kHover));
    ASSERT_TRUE(PressLeftButton());
    ASSERT_TRUE(ReleaseLeftButton());
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_kelo.Process(), 10000)) << "Kelo did not end";
}

TEST_F(SkinScreen, DraggingTheSkinMovesTheMainWindow)
{
    RECT rcBefore = {};
    ::GetWindowRect(m_hWndMain, &rcBefore);
    const POINT ptStart = {rcBefore.left + 400, rcBefore.top + 590};
    ASSERT_TRUE(MovePointerTo(ptStart.x, ptStart.y));
    ASSERT_TRUE(PressLeftButton());
    for (int i = 1; i <= 4; ++i)
        ASSERT_TRUE(MovePointerTo(ptStart.x + 10 * i, ptStart.y - 8 * i));
    ASSERT_TRUE(ReleaseLeftButton());
    RECT rcAfter = {};
    EXPECT_TRUE(WaitFor([&] {
        ::GetWindowRect(m_hWndMain, &rcAfter);
        return rcAfter.left == rcBefore.left + 40 && rcAfter.top == rcBefore.top - 32;
    })) << "the window is at " << rcAfter.left << "," << rcAfter.top << ", was at " << rcBefore.left << ","
        << rcBefore.top;
}

TEST_F(SkinScreen, MdiKeysNeitherCloseNorSwitchThePageFrame)
{
    const MdiChildren before = FindMdiChildren();
    ASSERT_NE(nullptr, before.hWndClient);
    ASSERT_NE(nullptr, before.hWndPage);
    ASSERT_NE(nullptr, before.hWndTiny);
    ASSERT_EQ(2, before.nCount);
    const RECT rcPage = RectInMain(before.hWndPage);
    EXPECT_EQ(kLeftWidth, rcPage.left);
    EXPECT_EQ(kTopHeight, rcPage.top);
    EXPECT_EQ(800 - kRightWidth, rcPage.right);
    EXPECT_EQ(600 - kBottomHeight, rcPage.bottom);
    RECT rcTiny = {};
    ::GetWindowRect(before.hWndTiny, &rcTiny);
    ::MapWindowPoints(nullptr, before.hWndClient, reinterpret_cast<POINT*>(&rcTiny), 2);
    EXPECT_EQ(-100, rcTiny.left);
    EXPECT_EQ(-100, rcTiny.top);
    EXPECT_EQ(1, rcTiny.right - rcTiny.left);
    EXPECT_EQ(1, rcTiny.bottom - rcTiny.top);
    EXPECT_TRUE(::IsWindowVisible(before.hWndPage));
    ASSERT_EQ(before.hWndPage, ActiveMdiChild(before.hWndClient));

    // A click on the bottom band gives Kelo the keyboard focus, as a visitor's would.
    ASSERT_TRUE(PointAt(400, 600 - kBottomHeight / 2));
    ASSERT_TRUE(PressLeftButton());
    ASSERT_TRUE(ReleaseLeftButton());
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == m_hWndMain; })) << "Kelo did not take the focus";
    // Ctrl+F6 and Ctrl+Shift+F6 switch in opposite directions; under Wine only the second
    // reaches the 1 x 1 frame from the page frame.
    for (const char* pszKeys : {"ctrl+F4", "ctrl+F6", "ctrl+shift+F6"}) {
        ASSERT_TRUE(PressKeys(pszKeys));
        ASSERT_TRUE(HandledAllInput()) << "Kelo did not take the input after " << pszKeys;
        const MdiChildren after = FindMdiChildren();
        EXPECT_EQ(before.hWndPage, after.hWndPage) << pszKeys << " closed or hid the page frame";
        EXPECT_EQ(2, after.nCount) << pszKeys;
        EXPECT_EQ(before.hWndTiny, after.hWndTiny) << pszKeys << " closed the 1 x 1 frame";
        EXPECT_TRUE(::IsWindowVisible(before.hWndPage)) << pszKeys;
        EXPECT_EQ(before.hWndPage, ActiveMdiChild(before.hWndClient)) << pszKeys << " activated another frame";
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(m_kelo.Process(), 0)) << pszKeys << " ended Kelo";
    }
}
