// The painted menu, read back pixel by pixel from its window.
#include "PopupMenuTestSupport.h"
#include "support/MenuWindows.h"
#include "framework/window/CClientDC.h"
#include "popupmenu/PopupMenuConstants.h"
#include "support/CInputDriver.h"
#include "support/MessagePump.h"
#include <gtest/gtest.h>

namespace
{
const COLORREF kBorder = RGB(200, 30, 30);
const COLORREF kBack = RGB(240, 230, 200);
const COLORREF kText = RGB(20, 90, 20);

class PopupMenuPaint : public ::testing::Test
{
protected:
    void SetUp() override { m_input.MovePointerTo(kOutside.x, kOutside.y); }

    // Shows the menu (not modal) and waits until its frame is painted.
    void Show(CPopupMenu& menu)
    {
        menu.Track(kMenuX, kMenuY, nullptr, false, false);
        m_hWnd = menu.GetSafeHwnd();
        ASSERT_TRUE(PumpUntil([&] { return Pixel(0, 0) == kBorder; }, 3000));
    }

    void HoverAndWait(const CPopupMenu& menu, POINT ptClient, POINT ptPainted, COLORREF crPainted)
    {
        POINT pt = ScreenPointOf(FindMenuWindow(&menu), ptClient);
        m_input.MovePointerTo(pt.x, pt.y + 1);
        m_input.MovePointerTo(pt.x, pt.y);
        ASSERT_TRUE(PumpUntil([&] { return Pixel(ptPainted.x, ptPainted.y) == crPainted; }, 3000));
    }

    COLORREF Pixel(int x, int y) const { return CClientDC(m_hWnd).GetPixel(x, y); }

    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF cr) const
    {
        CClientDC dc(m_hWnd);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x)
                n += dc.GetPixel(x, y) == cr;
        }
        return n;
    }

    static void SkinColours(CPopupMenu& menu)
    {
        menu.m_crBorder = kBorder;
        menu.m_crBack = kBack;
        menu.m_crText = kText;
        menu.m_nSubmenuDelay = 600000;
    }

    CInputDriver m_input;
    HWND m_hWnd = nullptr;
};
} // namespace

TEST_F(PopupMenuPaint, FrameBackgroundSeparatorTextSelectionAndArrow)
{
    CLauncherShapedMenu menu(SkinColours);
    Show(menu.m_root);
    const int w = menu.m_root.GetWidth();
    const int h = menu.m_root.GetHeight();
    const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF crHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const RECT rcStylesText = {23, 3, w - 12, 20};
    const RECT rcQuitText = {23, 25, w - 3, 42};

    for (POINT pt : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}, POINT{w / 2, 0}, POINT{1, 22},
                     POINT{w - 2, 22}})
        EXPECT_EQ(kBorder, Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    for (POINT pt : {POINT{1, 1}, POINT{2, 10}, POINT{w - 2, 10}, POINT{5, 21}, POINT{5, 23}, POINT{w - 6, 11}})
        EXPECT_EQ(kBack, Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_GT(Count(rcStylesText, kText), 0);
    EXPECT_GT(Count(rcQuitText, kText), 0);
    EXPECT_EQ(0, Count({0, 0, w, h}, crHighlight));
    // The submenu arrow: 4 columns of 1, 3, 5 and 7 pixels, its tip at (w - 7, top + 8).
    EXPECT_EQ(16, Count({w - 10, 3, w - 6, 20}, kText));
    for (POINT pt : {POINT{w - 7, 11}, POINT{w - 10, 8}, POINT{w - 10, 14}})
        EXPECT_EQ(kText, Pixel(pt.x, pt.y));

    HoverAndWait(menu.m_root, kQuitEntry, {5, 30}, crHighlight);
    EXPECT_EQ(crHighlight, Pixel(3, 25));
    EXPECT_EQ(crHighlight, Pixel(w - 4, 41));
    EXPECT_EQ(kBack, Pixel(2, 30));
    EXPECT_EQ(kBack, Pixel(w - 3, 30));
    EXPECT_EQ(kBorder, Pixel(5, 22));
    EXPECT_GT(Count(rcQuitText, crHighlightText), 0);
    EXPECT_EQ(0, Count(rcQuitText, kText));

    HoverAndWait(menu.m_root, kFirstEntry, {w - 7, 11}, crHighlightText);
    EXPECT_EQ(16, Count({w - 10, 3, w - 6, 20}, crHighlightText));
    EXPECT_EQ(0, Count({0, 25, w, 42}, crHighlight));
}

TEST_F(PopupMenuPaint, ImageCellOfAMenuWithoutStripShowsTheBackground)
{
    CPopupMenu menu;
    SkinColours(menu);
    menu.Create(::GetModuleHandleA(nullptr), -1);
    menu.AddItem(0, "Image", 1, 0);
    Show(menu);

    const RECT rcCell = {4, 4, 4 + POPUPMENU_IMAGE_WIDTH, 4 + POPUPMENU_IMAGE_HEIGHT};
    const int nCell = POPUPMENU_IMAGE_WIDTH * POPUPMENU_IMAGE_HEIGHT;
    EXPECT_EQ(nCell, Count(rcCell, kBack));
    HoverAndWait(menu, kFirstEntry, {22, 5}, ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(nCell, Count(rcCell, kBack));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), Pixel(3, 10));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(20, 10));
}
