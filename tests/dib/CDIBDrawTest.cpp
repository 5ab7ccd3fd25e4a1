#include "support/DibTestSupport.h"
#include "dib/CDIB.h"
#include "dib/CDIBPainter.h"
#include "dib/CDIBPalette.h"
#include "dib/DibConstants.h"
#include "framework/gdi/CBrush.h"
#include "support/CTempFolder.h"
#include "support/GdiObjectCounter.h"
#include <gtest/gtest.h>
#include <functional>

namespace
{
COLORREF ToColorRef(RGBQUAD q)
{
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// An 8 x 8 8-bit image whose row r (from the top) has colour entry r.
void LoadRowImage(CDIB& dib, CTempFolder& folder)
{
    BmpLayout layout;
    layout.nWidth = 8;
    layout.nHeight = 8;
    for (int row = 7; row >= 0; --row)
        layout.pixels += std::string(8, static_cast<char>(row));
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("rows.bmp", MakeBmp(layout))));
}

// A 24-bit image of width x height whose pixel colours come from a function of (x, y from top).
void Load24(CDIB& dib, CTempFolder& folder, int nWidth, int nHeight, const std::function<COLORREF(int, int)>& color)
{
    BmpLayout layout;
    layout.nBitCount = 24;
    layout.nWidth = nWidth;
    layout.nHeight = nHeight;
    size_t nStride = BmpStride(nWidth, 24);
    layout.pixels.assign(nStride * static_cast<size_t>(nHeight), '\0');
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            COLORREF cr = color(x, y);
            size_t i = nStride * static_cast<size_t>(nHeight - 1 - y) + 3 * static_cast<size_t>(x);
            layout.pixels[i] = static_cast<char>(GetBValue(cr));
            layout.pixels[i + 1] = static_cast<char>(GetGValue(cr));
            layout.pixels[i + 2] = static_cast<char>(GetRValue(cr));
        }
    }
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("image24.bmp", MakeBmp(layout))));
}

COLORREF ColumnColor(int x, int)
{
    return RGB(x, 255 - x, 7);
}

const COLORREF BACKGROUND = RGB(10, 20, 30);

class CDIBDraw : public ::testing::Test
{
protected:
    CTempFolder m_folder{"dibdraw"};
    CDIB m_dib;
};

// Draws an image with a derived class to see which palette the painter has selected.
class CPaletteWitness : public CDIB
{
public:
    int Draw(CDC* pDC, CRect rcDest, CRect rcSrc) override
    {
        m_hPalDuringDraw = static_cast<HPALETTE>(::GetCurrentObject(pDC->m_hDC, OBJ_PAL));
        return CDIB::Draw(pDC, rcDest, rcSrc);
    }
    HPALETTE m_hPalDuringDraw = nullptr;
};
} // namespace

TEST_F(CDIBDraw, DrawWithAQuarterSourceShowsTheTopQuarter)
{
    LoadRowImage(m_dib, m_folder);
    CTestCanvas canvas(8, 8);
    EXPECT_NE(0, m_dib.Draw(canvas.DC(), CRect(0, 0, 8, 2), CRect(0, 0, 8, 2)));
    const RGBQUAD* pColors = m_dib.GetBitmapInfo()->bmiColors;
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(ToColorRef(pColors[0]), canvas.Pixel(x, 0));
        EXPECT_EQ(ToColorRef(pColors[1]), canvas.Pixel(x, 1));
        EXPECT_EQ(BACKGROUND, canvas.Pixel(x, 2));
    }
}

TEST_F(CDIBDraw, DrawScaledStretchesTheWholePicture)
{
    LoadRowImage(m_dib, m_folder);
    CTestCanvas canvas(70, 40);
    m_dib.DrawScaled(canvas.DC(), 0, 0, 64, 32);
    const RGBQUAD* pColors = m_dib.GetBitmapInfo()->bmiColors;
    for (int y = 0; y < 32; ++y) {
        EXPECT_EQ(ToColorRef(pColors[y / 4]), canvas.Pixel(0, y)) << y;
        EXPECT_EQ(ToColorRef(pColors[y / 4]), canvas.Pixel(63, y)) << y;
    }
    EXPECT_EQ(BACKGROUND, canvas.Pixel(64, 0));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(0, 32));
    CRect rc;
    m_dib.GetRect(&rc);
    EXPECT_EQ(CRect(0, 0, 8, 8), rc);
}

TEST_F(CDIBDraw, PainterDrawsWithThePaletteSelectedAndPutsTheOldOneBack)
{
    CPaletteWitness dib;
    LoadRowImage(dib, m_folder);
    CDIBPalette palette;
    ASSERT_TRUE(palette.CreateFromDIB(&dib));
    CTestCanvas canvas(8, 8);
    HGDIOBJ hPalBefore = ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_PAL);

    CDIBPainter painter;
    painter.Paint(canvas.DC(), CRect(0, 0, 8, 8), CRect(0, 0, 8, 8), &dib, &palette);
    EXPECT_EQ(palette.m_hObject, dib.m_hPalDuringDraw);
    EXPECT_EQ(hPalBefore, ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_PAL));
    EXPECT_EQ(ToColorRef(dib.GetBitmapInfo()->bmiColors[7]), canvas.Pixel(3, 7));
}

TEST_F(CDIBDraw, TransparentDrawWithoutKeyColourEqualsDrawScaled)
{
    Load24(m_dib, m_folder, 10, 6, [](int x, int y) { return RGB(x * 20, y * 40, 99); });
    CTestCanvas plain(40, 30);
    CTestCanvas keyed(40, 30);
    m_dib.DrawScaled(plain.DC(), 3, 2, 20, 12);
    m_dib.DrawTransparent(keyed.DC(), nullptr, 3, 2, 20, 12, FALSE);
    EXPECT_EQ(plain.Snapshot(), keyed.Snapshot());
    EXPECT_NE(BACKGROUND, keyed.Pixel(3, 2));
}

TEST_F(CDIBDraw, OnlyTheExactKeyColourIsTransparent)
{
    Load24(m_dib, m_folder, 4, 2, [](int x, int) { return x % 2 ? KEY_COLOR : RGB(254, 0, 255); });
    CTestCanvas canvas(6, 3);
    m_dib.DrawTransparent(canvas.DC(), nullptr, 0, 0, 0, 0, FALSE);
    EXPECT_EQ(RGB(254, 0, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(1, 0));
    EXPECT_EQ(RGB(254, 0, 255), canvas.Pixel(2, 1));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(3, 1));

    Load24(m_dib, m_folder, 4, 2, [](int, int) { return KEY_COLOR; });
    CTestCanvas target(6, 3, RGB(1, 2, 3));
    std::string before = target.Snapshot();
    m_dib.DrawTransparent(target.DC(), nullptr, 1, 1, 0, 0, TRUE);
    EXPECT_EQ(before, target.Snapshot());
}

TEST_F(CDIBDraw, ZeroSizeDrawsTheImageAtItsOwnSize)
{
    Load24(m_dib, m_folder, 5, 3, ColumnColor);
    CTestCanvas canvas(10, 10);
    m_dib.DrawTransparent(canvas.DC(), nullptr, 2, 4, 0, -1, FALSE);
    EXPECT_EQ(ColumnColor(0, 0), canvas.Pixel(2, 4));
    EXPECT_EQ(ColumnColor(4, 0), canvas.Pixel(6, 6));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(7, 6));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(6, 7));
}

TEST_F(CDIBDraw, LeftEdgeClipsAndMirrorFlipsTheVisibleColumns)
{
    Load24(m_dib, m_folder, 100, 2, ColumnColor);
    CTestCanvas canvas(120, 4);
    m_dib.DrawTransparent(canvas.DC(), nullptr, -10, 0, 100, 2, FALSE);
    EXPECT_EQ(ColumnColor(10, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(ColumnColor(99, 0), canvas.Pixel(89, 1));
    EXPECT_EQ(BACKGROUND, canvas.Pixel(90, 0));

    CTestCanvas mirrored(120, 4);
    m_dib.DrawTransparent(mirrored.DC(), nullptr, -10, 0, 100, 2, TRUE);
    for (int x = 0; x < 90; ++x)
        ASSERT_EQ(ColumnColor(99 - x, 0), mirrored.Pixel(x, 0)) << x;
    EXPECT_EQ(BACKGROUND, mirrored.Pixel(90, 0));
}

TEST_F(CDIBDraw, ImageWhollyLeftOrAboveTheOriginDrawsNothing)
{
    Load24(m_dib, m_folder, 8, 8, ColumnColor);
    CTestCanvas canvas(16, 16);
    std::string before = canvas.Snapshot();
    m_dib.DrawTransparent(canvas.DC(), nullptr, -8, 0, 8, 8, FALSE);
    m_dib.DrawTransparent(canvas.DC(), nullptr, 0, -20, 8, 8, TRUE);
    EXPECT_EQ(before, canvas.Snapshot());
}

TEST_F(CDIBDraw, MirrorFlipsTheAreaAtTheOrigin)
{
    const COLORREF a = RGB(200, 0, 0), b = RGB(0, 200, 0), c = RGB(0, 0, 200);
    for (CRect rc : {CRect(0, 0, 3, 1), CRect(5, 5, 8, 6)}) {
        CTestCanvas canvas(4, 2);
        canvas.DC()->SetPixel(0, 0, a);
        canvas.DC()->SetPixel(1, 0, b);
        canvas.DC()->SetPixel(2, 0, c);
        m_dib.Mirror(canvas.DC(), rc);
        EXPECT_EQ(c, canvas.Pixel(0, 0));
        EXPECT_EQ(b, canvas.Pixel(1, 0));
        EXPECT_EQ(a, canvas.Pixel(2, 0));
        EXPECT_EQ(BACKGROUND, canvas.Pixel(3, 0));
        EXPECT_EQ(BACKGROUND, canvas.Pixel(0, 1));
    }
    for (CRect rc : {CRect(3, 0, 0, 1), CRect(0, 0, 3, -1)}) {
        CTestCanvas canvas(4, 2);
        canvas.DC()->SetPixel(0, 0, a);
        std::string before = canvas.Snapshot();
        m_dib.Mirror(canvas.DC(), rc);
        EXPECT_EQ(before, canvas.Snapshot()) << "inverted rectangle";
    }
}

TEST_F(CDIBDraw, DrawingLeavesNoGdiObjectsBehind)
{
    LoadRowImage(m_dib, m_folder);
    CDIBPalette palette;
    ASSERT_TRUE(palette.CreateFromDIB(&m_dib));
    CTestCanvas canvas(40, 40);
    m_dib.DrawTransparent(canvas.DC(), &palette, 1, 1, 0, 0, TRUE);
    int nBefore = CountGdiObjects();
    ASSERT_GT(nBefore, 0);
    for (int i = 0; i < 20; ++i) {
        m_dib.DrawTransparent(canvas.DC(), &palette, -3, 2, 30, 20, i % 2);
        m_dib.Mirror(canvas.DC(), CRect(0, 0, 10, 10));
    }
    EXPECT_EQ(nBefore, CountGdiObjects());
    EXPECT_NE(palette.m_hObject, ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_PAL));
    // The counter sees a leak.
    CBrush brush(RGB(1, 2, 3));
    EXPECT_EQ(nBefore + 1, CountGdiObjects());
}
