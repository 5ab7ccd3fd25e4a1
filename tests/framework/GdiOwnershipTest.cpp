// GDI objects and DCs: selections that put the previous object back, memory DCs that
// double-buffer, and nothing left behind.
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CFont.h"
#include "framework/window/CMemDC.h"
#include "framework/gdi/CPalette.h"
#include "framework/gdi/CPen.h"
#include "support/DibTestSupport.h"
#include "support/GdiObjectCounter.h"
#include <gtest/gtest.h>

namespace
{
const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kBlue = RGB(0, 0, 200);
const COLORREF kGreen = RGB(0, 160, 0);

CPalette* MakeGreyPalette(CPalette& palette)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } log = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 255, 255, 0}}};
    palette.CreatePalette(&log.header);
    return &palette;
}
} // namespace

TEST(CScopedSelect, PutsThePreviousObjectBack)
{
    CMemDC dc(nullptr, 4, 4);
    HGDIOBJ hPenBefore = ::GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ hBrushBefore = ::GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ hPalBefore = ::GetCurrentObject(dc, OBJ_PAL);
    CPen pen(PS_SOLID, 1, kRed);
    CPalette palette;
    {
        CScopedSelect selPen(&dc, &pen);
        CScopedSelect selBrush(&dc, NULL_BRUSH);
        CScopedSelect selPal(&dc, MakeGreyPalette(palette), TRUE);
        EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(dc, OBJ_PEN));
        EXPECT_EQ(::GetStockObject(NULL_BRUSH), ::GetCurrentObject(dc, OBJ_BRUSH));
        EXPECT_EQ(palette.m_hObject, ::GetCurrentObject(dc, OBJ_PAL));
        EXPECT_EQ(hPenBefore, selPen.GetOld());
        {
            // Nested selections of the same kind unwind in order.
            CScopedSelect selStock(&dc, BLACK_PEN);
            EXPECT_EQ(pen.m_hObject, selStock.GetOld());
        }
        EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(dc, OBJ_PEN));
        // Nothing to select: nothing changes, now or later.
        CScopedSelect selNothing(&dc, static_cast<CGdiObject*>(nullptr));
        EXPECT_EQ(nullptr, selNothing.GetOld());
    }
    EXPECT_EQ(hPenBefore, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(hBrushBefore, ::GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(hPalBefore, ::GetCurrentObject(dc, OBJ_PAL));
}

TEST(CScopedSelect, DrawingWithOwnedObjectsLeavesNothingBehind)
{
    auto draw = [] {
        CMemDC dc(nullptr, 30, 20);
        CMemDC mask(&dc, 30, 20, TRUE);
        CPen pen(PS_SOLID, 1, kRed);
        CBrush brush(kBlue);
        LOGFONTA lf = {};
        lf.lfHeight = 12;
        CFont font;
        font.CreateFontIndirect(&lf);
        CScopedSelect selPen(&dc, &pen);
        CScopedSelect selBrush(&dc, &brush);
        CScopedSelect selFont(&dc, &font);
        dc.Rectangle(0, 0, 30, 20);
        CRect rc(0, 0, 30, 20);
        dc.DrawText("Abc", -1, &rc, DT_NOCLIP);
        mask.BitBlt(0, 0, 30, 20, &dc, 0, 0, SRCCOPY);
    };
    draw();
    const int nBefore = CountGdiObjects();
    ASSERT_GT(nBefore, 0);
    for (int i = 0; i < 10; ++i)
        draw();
    EXPECT_EQ(nBefore, CountGdiObjects());
}

TEST(CMemDC, BackBufferIsDrawnInTheTargetsCoordinatesAndCopiedInOneBlock)
{
    CTestCanvas target(20, 12, kBlue);
    {
        CMemDC back(target.DC(), CRect(5, 2, 15, 10));
        CBrush brush(kRed);
        back.FillRect(back.GetRect(), brush);
        CPen pen(PS_SOLID, 1, kGreen);
        CScopedSelect selPen(&back, &pen);
        const POINT line[] = {{5, 9}, {15, 9}};
        back.Polyline(line, 2);
        // Nothing reaches the target before the copy.
        EXPECT_EQ(kBlue, target.Pixel(5, 2));
        EXPECT_TRUE(back.BlitToTarget());
    }
    EXPECT_EQ(kRed, target.Pixel(5, 2));
    EXPECT_EQ(kRed, target.Pixel(14, 8));
    EXPECT_EQ(kGreen, target.Pixel(5, 9));
    EXPECT_EQ(kGreen, target.Pixel(14, 9));
    EXPECT_EQ(kBlue, target.Pixel(4, 2));
    EXPECT_EQ(kBlue, target.Pixel(15, 9));
    EXPECT_EQ(kBlue, target.Pixel(5, 10));
    EXPECT_EQ(kBlue, target.Pixel(5, 1));
}

// The bitmap of the screen's 32-bit colour is a DIB section; one compatible with a fresh
// memory DC stays monochrome, as that DC's own bitmap is.
TEST(CMemDC, ItsBitmapHasItsTargetsFormat)
{
    // Bits per pixel, negative for a device-dependent bitmap.
    auto bitsPerPixel = [](CMemDC& dc) {
        DIBSECTION ds = {};
        const int nSize = ::GetObjectA(*dc.GetBitmap(), sizeof(ds), &ds);
        return nSize == sizeof(ds) ? ds.dsBm.bmBitsPixel : -ds.dsBm.bmBitsPixel;
    };
    CMemDC screen(nullptr, 4, 4);
    CMemDC colour(&screen, 4, 4);
    CDC fresh;
    ASSERT_TRUE(fresh.CreateCompatibleDC(nullptr));
    CMemDC mono(&fresh, 4, 4);
    EXPECT_EQ(32, bitsPerPixel(screen));
    EXPECT_EQ(32, bitsPerPixel(colour));
    EXPECT_EQ(-1, bitsPerPixel(mono));
    ::SetPixel(colour, 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), ::GetPixel(colour, 1, 1));
}

TEST(CDC, SizesConvertToLogicalUnitsWithoutTheOrigin)
{
    CMemDC dc(nullptr, 4, 4);
    dc.SetMapMode(MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, 2, 3, nullptr);
    ::SetViewportExtEx(dc, 1, 1, nullptr);
    ::SetViewportOrgEx(dc, 7, 5, nullptr);
    SIZE size = {10, 6};
    EXPECT_TRUE(dc.DPtoLP(&size));
    EXPECT_EQ(20, size.cx);
    EXPECT_EQ(18, size.cy);
}
