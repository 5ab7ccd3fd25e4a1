#include "support/DibTestSupport.h"
#include "dib/CDIB.h"
#include "dib/CDIBPalette.h"
#include "framework/docview/CWinApp.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>
#include <vector>

namespace
{
// A width x height 8-bit image whose pixel (x, y) is value(x, y).
template <class F>
void Fill(CDIB& dib, int nWidth, int nHeight, F value)
{
    ASSERT_TRUE(dib.Create(nWidth, nHeight));
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            *dib.GetPixelAddress(x, y) = static_cast<BYTE>(value(x, y));
}

BYTE At(CDIB& dib, int x, int y)
{
    return *dib.GetPixelAddress(x, y);
}

// An image reporting another size than its header's, as a derived image may.
class CStripOfFour : public CDIB
{
public:
    int GetWidth() const override { return 4 * CDIB::GetWidth(); }
    int GetHeight() const override { return 4 * CDIB::GetHeight(); }
};
} // namespace

TEST(CDIBPixels, GetPixelAddressCountsRowsFromTheTop)
{
    CDIB dib;
    ASSERT_TRUE(dib.Create(5, 3));
    const BYTE* pBits = dib.GetBits();
    EXPECT_EQ(pBits + 8 * 2, dib.GetPixelAddress(0, 0));
    EXPECT_EQ(pBits + 4, dib.GetPixelAddress(4, 2));
    EXPECT_EQ(nullptr, dib.GetPixelAddress(5, 0));
    EXPECT_EQ(nullptr, dib.GetPixelAddress(0, 3));
    EXPECT_EQ(nullptr, dib.GetPixelAddress(-1, 0));
    EXPECT_EQ(nullptr, dib.GetPixelAddress(0, -1));

    // Addresses, bounds and the rectangle come from the header, whatever GetWidth says.
    CStripOfFour strip;
    ASSERT_TRUE(strip.Create(5, 3));
    EXPECT_EQ(strip.GetBits() + 8 * 2, strip.GetPixelAddress(0, 0));
    EXPECT_EQ(nullptr, strip.GetPixelAddress(5, 0));
    EXPECT_EQ(nullptr, strip.GetPixelAddress(0, 3));
    CRect rc;
    strip.GetRect(&rc);
    EXPECT_EQ(CRect(0, 0, 5, 3), rc);
    CDIB dest;
    Fill(dest, 12, 12, [](int, int) { return 1; });
    strip.CopyBits(&dest, 0, 0, 8, 1, 0, 0, -1);
    EXPECT_EQ(1, At(dest, 0, 0));
}

TEST(CDIBPixels, PixelOperationsRefuseImagesOtherThan8Bit)
{
    CTempFolder folder("dibpix");
    BmpLayout layout;
    layout.nBitCount = 24;
    CDIB image24;
    ASSERT_TRUE(image24.LoadFromFile(folder.WriteFile("a.bmp", MakeBmp(layout))));
    const std::string before(reinterpret_cast<const char*>(image24.GetBits()), BmpStride(4, 24) * 2);
    EXPECT_EQ(nullptr, image24.GetPixelAddress(0, 0));

    CDIB image8;
    Fill(image8, 4, 2, [](int, int) { return 9; });
    image8.CopyBits(&image24, 0, 0, 2, 2, 0, 0, -1);
    CDIBPalette palette;
    ASSERT_TRUE(palette.CreateFromDIB(&image8));
    EXPECT_FALSE(image24.MapColorsToPalette(&palette));
    EXPECT_EQ(before, std::string(reinterpret_cast<const char*>(image24.GetBits()), before.size()));
}

TEST(CDIBPixels, CopyBitsSkipsTheTransparentIndex)
{
    CDIB source;
    Fill(source, 6, 4, [](int x, int y) { return (x + y) % 3; }); // 0 1 2 0 1 2 / 1 2 0 ...
    CDIB dest;
    Fill(dest, 9, 7, [](int, int) { return 200; });

    source.CopyBits(&dest, 2, 3, 4, 3, 1, 1, 0);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            bool bInside = x >= 2 && x < 6 && y >= 3 && y < 6;
            int nSource = bInside ? At(source, x - 2 + 1, y - 3 + 1) : 0;
            int nExpected = bInside && nSource != 0 ? nSource : 200;
            ASSERT_EQ(nExpected, At(dest, x, y)) << x << "," << y;
        }
    }

    source.CopyBits(&dest, 0, 0, 6, 4, 0, 0, -1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(At(source, x, y), At(dest, x, y)) << x << "," << y;
    EXPECT_EQ(200, At(dest, 6, 0));
}

TEST(CDIBPixels, CopyBitsOutsideEitherImageChangesNothing)
{
    CDIB source;
    Fill(source, 4, 4, [](int, int) { return 5; });
    CDIB dest;
    Fill(dest, 4, 4, [](int, int) { return 1; });
    source.CopyBits(&dest, 1, 0, 4, 1, 0, 0, -1);
    source.CopyBits(&dest, 0, 0, 1, 2, 0, 3, -1);
    source.CopyBits(&dest, -1, 0, 1, 1, 0, 0, -1);
    source.CopyBits(&dest, 0, 0, 0xFFFFFFFFu, 1, 0, 0, -1);
    source.CopyBits(&dest, 0, 0, 1, 2, 0, -1, -1); // source rows above the top
    source.CopyBits(&dest, 0, -1, 1, 2, 0, 0, -1); // destination rows above the top
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(1, At(dest, x, y));
}

TEST(CDIBPixels, MapColorsToPaletteUsesThePalettesIndicesAndColours)
{
    LOGPALETTE* pLog = static_cast<LOGPALETTE*>(malloc(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY)));
    pLog->palVersion = 0x300;
    pLog->palNumEntries = 4;
    pLog->palPalEntry[0] = PALETTEENTRY{255, 0, 0, 0};
    pLog->palPalEntry[1] = PALETTEENTRY{0, 0, 0, 0};
    pLog->palPalEntry[2] = PALETTEENTRY{255, 255, 255, 0};
    pLog->palPalEntry[3] = PALETTEENTRY{0, 0, 250, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(pLog));
    free(pLog);

    // The grey ramp: 0 is black, 255 white, 250 near white.
    CDIB dib;
    Fill(dib, 3, 2, [](int x, int y) { return x == 0 ? 0 : (x == 1 ? 255 : 250); });
    EXPECT_FALSE(dib.MapColorsToPalette(nullptr));
    EXPECT_EQ(255, At(dib, 1, 0));
    ASSERT_TRUE(dib.MapColorsToPalette(&palette));
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(1, At(dib, 0, y));
        EXPECT_EQ(2, At(dib, 1, y));
        EXPECT_EQ(2, At(dib, 2, y));
    }
    const RGBQUAD* pColors = dib.GetBitmapInfo()->bmiColors;
    EXPECT_EQ(255, pColors[0].rgbRed);
    EXPECT_EQ(0, pColors[0].rgbBlue);
    EXPECT_EQ(250, pColors[3].rgbBlue);
    EXPECT_EQ(0, pColors[3].rgbRed);
    EXPECT_EQ(256u, dib.GetBitmapInfo()->bmiHeader.biClrUsed);
}

TEST(CDIBPixels, PaletteComesFromTheColourTableOnly)
{
    CTempFolder folder("dibpix");
    BmpLayout layout;
    layout.nClrUsed = 5;
    CDIB dib;
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("a.bmp", MakeBmp(layout))));
    CDIBPalette palette;
    ASSERT_TRUE(palette.CreateFromDIB(&dib));
    ASSERT_EQ(5, palette.GetEntryCount());
    PALETTEENTRY entries[5];
    palette.GetPaletteEntries(0, 5, entries);
    EXPECT_EQ(TestColor(4).rgbRed, entries[4].peRed);
    EXPECT_EQ(TestColor(4).rgbGreen, entries[4].peGreen);
    EXPECT_EQ(TestColor(4).rgbBlue, entries[4].peBlue);

    layout.nBitCount = 24;
    layout.nClrUsed = 0;
    ASSERT_TRUE(dib.LoadFromFile(folder.WriteFile("b.bmp", MakeBmp(layout))));
    CDIBPalette none;
    EXPECT_FALSE(none.CreateFromDIB(&dib));
    EXPECT_EQ(nullptr, none.m_hObject);
}

TEST(CDIBPixels, ResourceImagesPointIntoTheResourceWithTheirColourTable)
{
    CDIB dib;
    EXPECT_FALSE(dib.LoadFromResource(4242));
    EXPECT_EQ(16, dib.GetWidth());

    // A copy of this program with a "DIB" resource added, loaded as the resource module.
    CTempFolder folder("dibres");
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    CString strCopy = folder.Path() + "withdib.exe";
    ASSERT_TRUE(::CopyFileA(szExe, strCopy, FALSE));
    BmpLayout layout;
    layout.nBitCount = 4;
    layout.nWidth = 6;
    layout.nHeight = 3;
    std::string bytes = MakeBmp(layout);
    BmpLayout layout8;
    std::string bytes8 = MakeBmp(layout8);
    std::string truncated = bytes8.substr(0, bytes8.size() - 1);
    HANDLE hUpdate = ::BeginUpdateResourceA(strCopy, FALSE);
    ASSERT_NE(nullptr, hUpdate);
    const std::string* resources[] = {&bytes, &truncated, &bytes8};
    for (WORD i = 0; i < 3; ++i) {
        std::string data = *resources[i];
        ASSERT_TRUE(::UpdateResourceA(hUpdate, "DIB", MAKEINTRESOURCEA(7 + i), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                      &data[0], static_cast<DWORD>(data.size())));
    }
    ASSERT_TRUE(::EndUpdateResourceA(hUpdate, FALSE));
    HMODULE hModule = ::LoadLibraryExA(strCopy, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, hModule);
    {
        CWinApp app("test");
        app.m_hInstance = hModule;
        CDIB image;
        ASSERT_TRUE(image.LoadFromResource(7));
        EXPECT_EQ(6, image.GetWidth());
        EXPECT_EQ(3, image.GetHeight());
        EXPECT_EQ(16, image.GetNumColors());
        EXPECT_EQ(TestColor(15).rgbRed, image.GetBitmapInfo()->bmiColors[15].rgbRed);
        std::string pixels = PatternPixels(layout);
        EXPECT_EQ(pixels, std::string(reinterpret_cast<const char*>(image.GetBits()), pixels.size()));

        // A resource whose header claims more pixels than it holds is refused.
        EXPECT_FALSE(dib.LoadFromResource(8));
        EXPECT_EQ(16, dib.GetWidth());

        // The pixel operations write into the resource's memory.
        CDIB image8;
        ASSERT_TRUE(image8.LoadFromResource(9));
        dib.CopyBits(&image8, 0, 0, 4, 2, 0, 0, -1);
        EXPECT_EQ(0, *image8.GetPixelAddress(3, 1));
        MEMORY_BASIC_INFORMATION mbi = {};
        ::VirtualQuery(image8.GetBits(), &mbi, sizeof(mbi));
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(hModule) & ~static_cast<ULONG_PTR>(3),
                  reinterpret_cast<ULONG_PTR>(mbi.AllocationBase));
    }
    ::FreeLibrary(hModule);
}
