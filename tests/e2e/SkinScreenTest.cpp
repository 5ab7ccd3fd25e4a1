// The real Kelo.exe on a kiosk whose skin has known colours, watched on the screen and
// driven with the real pointer: borders, screen colour, buttons over the border, their
// hover and pressed images, minimise, quit, and dragging the window by its skin.
#include "framework/ScopedWin.h"
#include "support/ProgramStart.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <functional>

namespace
{
using namespace TestSkin;

const DWORD kWaitMs = 5000;

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = kWaitMs)
{
    for (ULONGLONG nEnd = ::GetTickCount64() + dwTimeoutMs;; ::Sleep(20)) {
        if (condition())
            return true;
        if (::GetTickCount64() >= nEnd)
            return false;
    }
}

class SkinScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileTo(WindowsPathOf(KELO_EXE), m_kiosk.Path() + "Kelo.exe"));
        DWORD dwProcessId = 0;
        m_process = StartProgram(m_kiosk.Path() + "Kelo.exe", m_kiosk.Path(), &dwProcessId);
        ASSERT_TRUE(m_process.IsValid());
        m_hWndMain = WaitForTopLevelWindow(dwProcessId, nullptr, 15000);
        ASSERT_NE(nullptr, m_hWndMain);
        ASSERT_TRUE(WaitFor([&] { return Pixel(5, 300) == kLeft && Pixel(kQuitAt.x + 10, kQuitAt.y + 10) == kNormal; }))
            << "the skin was not painted";
    }

    void TearDown() override
    {
        ReleaseLeftButton();
        if (m_process.IsValid() && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process, 1);
            ::WaitForSingleObject(m_process, 5000);
        }
    }

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

    CTestKiosk m_kiosk;
    ScopedHandle m_process;
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
    // The inner rectangle, corner to corner.
    EXPECT_EQ(kScreen, Pixel(kLeftWidth, kTopHeight));
    EXPECT_EQ(kScreen, Pixel(400, 300));
    EXPECT_EQ(kScreen, Pixel(800 - kRightWidth - 1, 600 - kBottomHeight - 1));
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
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_process, 10000)) << "Kelo did not end";
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
