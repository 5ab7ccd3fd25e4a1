#include "support/DibTestSupport.h"
#include "dib/DibConstants.h"
#include "dib/KeyColorBlt.h"
#include "support/GdiObjectCounter.h"
#include <gtest/gtest.h>

namespace
{
const COLORREF kGrey = RGB(90, 90, 90);
const COLORREF kNearKey = RGB(254, 0, 255);
const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kGreen = RGB(0, 160, 0);
} // namespace

TEST(KeyColorBlt, KeyPixelsShowTheDestinationAndOnlyThose)
{
    // K N R
    // K G K   (K the key, N one step off it)
    CTestCanvas source(3, 2);
    const COLORREF pixels[2][3] = {{KEY_COLOR, kNearKey, kRed}, {KEY_COLOR, kGreen, KEY_COLOR}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            source.DC()->SetPixel(x, y, pixels[y][x]);
    source.DC()->SetBkColor(kRed);
    CTestCanvas dest(10, 10, kGrey);

    KeyColorBlt(dest.DC(), 4, 5, 3, 2, source.DC(), 0, 0, KEY_COLOR);

    EXPECT_EQ(kGrey, dest.Pixel(4, 5));
    EXPECT_EQ(kNearKey, dest.Pixel(5, 5));
    EXPECT_EQ(kRed, dest.Pixel(6, 5));
    EXPECT_EQ(kGrey, dest.Pixel(4, 6));
    EXPECT_EQ(kGreen, dest.Pixel(5, 6));
    EXPECT_EQ(kGrey, dest.Pixel(6, 6));
    for (POINT pt : {POINT{3, 5}, POINT{7, 5}, POINT{5, 4}, POINT{5, 7}})
        EXPECT_EQ(kGrey, dest.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kRed, source.DC()->GetBkColor());
}

TEST(KeyColorBlt, CellOfABitmapStripLeavesNothingBehind)
{
    // A strip of two 2 x 1 cells: (red, green) and (key, green).
    CTestCanvas dest(4, 2, kGrey);
    CBitmap strip;
    strip.CreateCompatibleBitmap(dest.DC(), 4, 1);
    {
        CDC dc;
        dc.CreateCompatibleDC(dest.DC());
        CScopedSelect select(&dc, &strip);
        const COLORREF cells[] = {kRed, kGreen, KEY_COLOR, kGreen};
        for (int x = 0; x < 4; ++x)
            dc.SetPixel(x, 0, cells[x]);
    }
    KeyColorBlt(dest.DC(), 1, 1, 2, 1, strip, 2, 0, KEY_COLOR);
    EXPECT_EQ(kGrey, dest.Pixel(1, 1));
    EXPECT_EQ(kGreen, dest.Pixel(2, 1));
    EXPECT_EQ(kGrey, dest.Pixel(3, 1));
    EXPECT_EQ(kGrey, dest.Pixel(1, 0));

    const int nBefore = CountGdiObjects();
    ASSERT_GT(nBefore, 0);
    for (int i = 0; i < 10; ++i)
        KeyColorBlt(dest.DC(), 0, 0, 2, 1, strip, i % 2 * 2, 0, KEY_COLOR);
    EXPECT_EQ(nBefore, CountGdiObjects());
}
