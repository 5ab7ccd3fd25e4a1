// The skin button: its size and images from the strip, magenta letting the background
// show, and its notifications to the parent under real pointer moves.
#include "skin/CSkinButton.h"
#include "skin/SkinConstants.h"
#include "support/CMessageRecorder.h"
#include "support/CTempFolder.h"
#include "support/DibTestSupport.h"
#include "support/RealPointer.h"
#include <gtest/gtest.h>

namespace
{
const int kStripWidth = 20;
const int kStripHeight = 42;
const COLORREF kBackground = RGB(10, 20, 30);

// Every row of the strip has a colour of its own, so a pixel tells which row it came from.
// The first four columns are magenta.
COLORREF StripPixel(int x, int y)
{
    return x < 4 ? RGB(255, 0, 255) : RGB(6 * y, 200 - 3 * y, 40);
}

COLORREF RowColour(int y)
{
    return StripPixel(kStripWidth - 1, y);
}

// A visible parent recording the button's notifications, and a button on it made from a
// strip of 42 rows (four images of 10 rows, the images starting at 0, 10, 21 and 31).
class SkinButton : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create());
        ::SetWindowPos(m_parent, HWND_TOP, 100, 100, 300, 200, SWP_SHOWWINDOW);
        m_button.m_strBitmap = m_folder.WriteFile("BtMini.bmp", MakeBmp24(kStripWidth, kStripHeight, StripPixel));
        ASSERT_TRUE(m_button.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 40, 30, 10, 10, m_parent,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_BTMINI))));
        m_ptOrigin = {0, 0};
        ::ClientToScreen(m_button, &m_ptOrigin);
        ASSERT_TRUE(MovePointerTo(m_ptOrigin.x - 30, m_ptOrigin.y - 20));
        m_parent.PumpUntil([] { return false; }, 100);
        m_parent.Take();
    }

    void TearDown() override
    {
        ReleaseLeftButton();
        m_button.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // Moves the pointer to (x, y) of the button's client area and lets the messages run.
    void PointAt(int x, int y)
    {
        ASSERT_TRUE(MovePointerTo(m_ptOrigin.x + x, m_ptOrigin.y + y));
        m_parent.PumpUntil([] { return false; }, 150);
    }

    // Waits until the button's top row shows the strip's row y on the screen.
    bool Shows(int y)
    {
        return m_parent.PumpUntil([&] { return ScreenPixel(m_ptOrigin.x + 10, m_ptOrigin.y) == RowColour(y); }, 2000);
    }

    int Count(UINT message) const
    {
        int n = 0;
        for (const RecordedMessage& m : m_parent.Messages()) {
            if (m.nMessage == message) {
                EXPECT_EQ(static_cast<WPARAM>(IDC_BTMINI), m.wParam);
                EXPECT_EQ(0, m.lParam);
                ++n;
            }
        }
        return n;
    }

    CTempFolder m_folder{"kelo-button"};
    CMessageRecorder m_parent{WM_SKINBTN_HOVER, WM_SKINBTN_CLICK};
    CSkinButton m_button;
    POINT m_ptOrigin = {};
};
} // namespace

TEST_F(SkinButton, StripOf42RowsGivesA10PixelButtonWhoseImagesStartAtAQuarterHalfAndThreeQuarters)
{
    RECT rc = {};
    ::GetClientRect(m_button, &rc);
    EXPECT_EQ(kStripWidth, rc.right);
    EXPECT_EQ(10, rc.bottom);

    const int expectedRows[] = {10, 21, 31};
    for (int nState = CSkinButton::stateNormal; nState <= CSkinButton::statePressed; ++nState) {
        CTestCanvas canvas(30, 20, kBackground);
        m_button.m_nState = nState;
        m_button.DrawButton(canvas.DC());
        const int yRow = expectedRows[nState - 1];
        EXPECT_EQ(RowColour(yRow), canvas.Pixel(10, 0)) << "state " << nState;
        EXPECT_EQ(RowColour(yRow + 9), canvas.Pixel(10, 9)) << "state " << nState;
        // Magenta shows what the DC held; nothing is drawn beyond the image.
        EXPECT_EQ(kBackground, canvas.Pixel(2, 5));
        EXPECT_EQ(kBackground, canvas.Pixel(10, 10));
        EXPECT_EQ(kBackground, canvas.Pixel(kStripWidth, 5));
    }
}

TEST_F(SkinButton, MissingStripGivesTheBlackPlaceholderQuarterHigh)
{
    CSkinButton button;
    button.m_strBitmap = m_folder.Path() + "absent.bmp";
    ASSERT_TRUE(button.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_parent, nullptr));
    RECT rc = {};
    ::GetClientRect(button, &rc);
    EXPECT_EQ(16, rc.right);
    EXPECT_EQ(4, rc.bottom);
    CTestCanvas canvas(20, 20, kBackground);
    button.DrawButton(canvas.DC());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(15, 3));
    EXPECT_EQ(kBackground, canvas.Pixel(15, 4));
}

TEST_F(SkinButton, HoverIsPostedOncePerEntryAndLeavingGivesTheNormalImageBack)
{
    ASSERT_TRUE(Shows(10));
    PointAt(10, 5);
    PointAt(12, 6);
    PointAt(15, 4);
    EXPECT_TRUE(Shows(21));
    EXPECT_EQ(1, Count(WM_SKINBTN_HOVER));
    EXPECT_EQ(m_button.m_hWnd, ::GetCapture());

    PointAt(60, 40);
    EXPECT_TRUE(Shows(10));
    EXPECT_EQ(nullptr, ::GetCapture());
    PointAt(10, 5);
    EXPECT_TRUE(Shows(21));
    EXPECT_EQ(2, Count(WM_SKINBTN_HOVER));
    EXPECT_EQ(0, Count(WM_SKINBTN_CLICK));
}

TEST_F(SkinButton, PressDragOutAndReleaseOutsidePostsNoClick)
{
    PointAt(10, 5);
    ASSERT_TRUE(PressLeftButton());
    EXPECT_TRUE(Shows(31));
    PointAt(60, 40);
    EXPECT_TRUE(Shows(31)) << "the pressed image stays while the pointer is outside";
    ASSERT_TRUE(ReleaseLeftButton());
    EXPECT_TRUE(Shows(10));
    PointAt(70, 45);
    EXPECT_EQ(nullptr, ::GetCapture()) << "the next move releases the capture";
    EXPECT_EQ(0, Count(WM_SKINBTN_CLICK));
}

TEST_F(SkinButton, PressDragOutBackInAndReleasePostsOneClick)
{
    PointAt(10, 5);
    ASSERT_TRUE(PressLeftButton());
    PointAt(60, 40);
    PointAt(8, 3);
    ASSERT_TRUE(ReleaseLeftButton());
    EXPECT_TRUE(m_parent.PumpUntil([&] { return Count(WM_SKINBTN_CLICK) == 1; }, 2000));
    PointAt(60, 40);
    EXPECT_TRUE(Shows(10));
    EXPECT_EQ(1, Count(WM_SKINBTN_CLICK));
}
