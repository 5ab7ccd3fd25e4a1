#include "support/DibTestSupport.h"
#include "dib/CDIB.h"
#include "framework/file/CFile.h"
#include "support/CDialogAnswerer.h"
#include "support/CTempFolder.h"
#include "support/DialogProbe.h"
#include <gtest/gtest.h>
#include <cstring>

namespace
{
// The header, colour table and pixels an image holds, for before/after comparisons.
std::string ImageState(const CDIB& dib)
{
    std::string state(reinterpret_cast<const char*>(dib.GetBitmapInfo()), 1064);
    DWORD nBytes = static_cast<DWORD>(BmpStride(dib.GetWidth(), dib.GetBitmapInfo()->bmiHeader.biBitCount) * dib.GetHeight());
    return state + std::string(reinterpret_cast<const char*>(dib.GetBits()), nBytes);
}

class CDIBRead : public ::testing::Test
{
protected:
    BOOL Load(const BmpLayout& layout) { return Load(MakeBmp(layout)); }
    BOOL Load(const std::string& bytes) { return m_dib.LoadFromFile(m_folder.WriteFile("image.bmp", bytes)); }

    void ExpectTable(int nFirst, int nCount) const
    {
        const RGBQUAD* pColors = m_dib.GetBitmapInfo()->bmiColors;
        for (int i = nFirst; i < nFirst + nCount; ++i) {
            RGBQUAD q = TestColor(i);
            ASSERT_EQ(q.rgbBlue, pColors[i].rgbBlue) << i;
            ASSERT_EQ(q.rgbGreen, pColors[i].rgbGreen) << i;
            ASSERT_EQ(q.rgbRed, pColors[i].rgbRed) << i;
            ASSERT_EQ(0, pColors[i].rgbReserved) << i;
        }
    }
    void ExpectEmptyTableFrom(int nFirst) const
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(m_dib.GetBitmapInfo()->bmiColors + nFirst);
        for (size_t i = 0; i < (256 - static_cast<size_t>(nFirst)) * 4; ++i)
            ASSERT_EQ(0, p[i]) << "table byte " << i + static_cast<size_t>(nFirst) * 4;
    }
    void ExpectPixels(const BmpLayout& layout) const
    {
        std::string expected = PatternPixels(layout);
        ASSERT_EQ(0, std::memcmp(expected.data(), m_dib.GetBits(), expected.size()));
    }

    CTempFolder m_folder{"dibread"};
    CDIB m_dib;
};
} // namespace

TEST_F(CDIBRead, NewImageIsABlack16x16GreyRamp)
{
    EXPECT_EQ(16, m_dib.GetWidth());
    EXPECT_EQ(16, m_dib.GetHeight());
    EXPECT_EQ(256, m_dib.GetNumColors());
    const RGBQUAD* pColors = m_dib.GetBitmapInfo()->bmiColors;
    EXPECT_EQ(0, pColors[0].rgbRed);
    EXPECT_EQ(200, pColors[200].rgbGreen);
    EXPECT_EQ(255, pColors[255].rgbBlue);
    EXPECT_EQ(std::string(256, '\0'), std::string(reinterpret_cast<const char*>(m_dib.GetBits()), 256));
}

TEST_F(CDIBRead, EightBitImagesTakeAtMost256ColourEntries)
{
    BmpLayout layout;
    layout.nWidth = 5;
    layout.nHeight = 3;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(5, m_dib.GetWidth());
    EXPECT_EQ(3, m_dib.GetHeight());
    EXPECT_EQ(256, m_dib.GetNumColors());
    ExpectTable(0, 256);
    ExpectPixels(layout);

    layout.nClrUsed = 300;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(256, m_dib.GetNumColors());
    EXPECT_EQ(300u, m_dib.GetBitmapInfo()->bmiHeader.biClrUsed);
    ExpectTable(0, 256);
    ExpectPixels(layout);

    layout.nClrUsed = 3;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(3, m_dib.GetNumColors());
    ExpectTable(0, 3);
    ExpectEmptyTableFrom(3);
    ExpectPixels(layout);
}

TEST_F(CDIBRead, FourAndOneBitImagesTakeTheirDefaultTables)
{
    BmpLayout layout;
    layout.nBitCount = 4;
    layout.nWidth = 7;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(16, m_dib.GetNumColors());
    ExpectTable(0, 16);
    ExpectEmptyTableFrom(16);
    ExpectPixels(layout);

    layout.nBitCount = 1;
    layout.nWidth = 33;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(2, m_dib.GetNumColors());
    ExpectTable(0, 2);
    ExpectEmptyTableFrom(2);
    ExpectPixels(layout);
}

TEST_F(CDIBRead, TwentyFourBitImagesHaveNoTableAndTheirPixelsAtOffBits)
{
    BmpLayout layout;
    layout.nBitCount = 24;
    layout.nWidth = 3;
    layout.nGap = 10;
    ASSERT_TRUE(Load(layout));
    EXPECT_EQ(0, m_dib.GetNumColors());
    ExpectEmptyTableFrom(0);
    ExpectPixels(layout);
}

TEST_F(CDIBRead, CoreHeaderBecomesAnInfoHeaderWithFourByteEntries)
{
    BmpLayout layout;
    layout.nHeaderSize = 12;
    layout.nWidth = 300;
    layout.nHeight = 2;
    ASSERT_TRUE(Load(layout));
    const BITMAPINFOHEADER& bih = m_dib.GetBitmapInfo()->bmiHeader;
    EXPECT_EQ(40u, bih.biSize);
    EXPECT_EQ(300, bih.biWidth);
    EXPECT_EQ(2, bih.biHeight);
    EXPECT_EQ(1, bih.biPlanes);
    EXPECT_EQ(8, bih.biBitCount);
    EXPECT_EQ(0u, bih.biClrUsed);
    ExpectTable(0, 256);
    ExpectPixels(layout);
}

TEST_F(CDIBRead, ReadsAnImageInsideALargerFile)
{
    BmpLayout layout;
    layout.nHeaderSize = 12;
    layout.nWidth = 6;
    layout.nHeight = 3;
    std::string image = MakeBmp(layout);
    CString strPath = m_folder.WriteFile("inside.bin", std::string(100, 'x') + image + "trailer");

    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeRead));
    file.Seek(100, CFile::begin);
    ASSERT_TRUE(m_dib.Read(&file));
    EXPECT_EQ(100u + image.size(), file.GetPosition());
    EXPECT_EQ(6, m_dib.GetWidth());
    ExpectTable(0, 256);
    ExpectPixels(layout);
}

TEST_F(CDIBRead, RefusalsLeaveThePreviousImage)
{
    BmpLayout good;
    good.nWidth = 5;
    ASSERT_TRUE(Load(good));
    const std::string before = ImageState(m_dib);
    const BYTE* pBitsBefore = m_dib.GetBits();

    struct Case
    {
        const char* pszWhat;
        std::string bytes;
    };
    auto with = [&](void (*edit)(BmpLayout&)) {
        BmpLayout layout = good;
        edit(layout);
        return MakeBmp(layout);
    };
    std::string shortFile = MakeBmp(good).substr(0, 53);
    std::string offBitsPastSize = MakeBmp(good);
    offBitsPastSize.replace(10, 4, Le32(0x7FFFFFF0));
    const Case cases[] = {
        {"BA mark", with([](BmpLayout& l) { l.wMark = 0x4142; })},
        {"108-byte header", with([](BmpLayout& l) { l.nHeaderSize = 108; })},
        {"124-byte header", with([](BmpLayout& l) { l.nHeaderSize = 124; })},
        {"53 bytes", shortFile},
        {"empty file", std::string()},
        {"bfSize beyond the file", with([](BmpLayout& l) { l.nSizeAdjust = 1; })},
        {"bfOffBits beyond bfSize", offBitsPastSize},
        {"pixels smaller than the picture", with([](BmpLayout& l) { l.pixels = std::string(8, '\1'); })},
        {"negative width", with([](BmpLayout& l) { l.nWidth = -5; l.pixels = std::string(64, '\1'); })},
        {"top-down", with([](BmpLayout& l) { l.nHeight = -2; l.pixels = std::string(64, '\1'); })},
        {"zero height", with([](BmpLayout& l) { l.nHeight = 0; l.pixels = std::string(64, '\1'); })},
        {"huge size", with([](BmpLayout& l) { l.nWidth = 0x7FFFFFFF; l.nHeight = 0x7FFFFFFF; l.pixels = "abcd"; })},
        {"7 bits", with([](BmpLayout& l) { l.nBitCount = 7; l.pixels = std::string(64, '\1'); })},
        {"24-bit with 1000 colours", with([](BmpLayout& l) { l.nBitCount = 24; l.nClrUsed = 1000; l.nTableEntries = 0; })},
        {"JPEG inside", with([](BmpLayout& l) { l.nCompression = BI_JPEG; })},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Load(c.bytes)) << c.pszWhat;
        EXPECT_EQ(before, ImageState(m_dib)) << c.pszWhat;
        EXPECT_EQ(pBitsBefore, m_dib.GetBits()) << c.pszWhat;
    }
}

TEST_F(CDIBRead, MissingFileFailsWithoutAnyMessage)
{
    EXPECT_FALSE(m_dib.LoadFromFile(m_folder.Path() + "absent.bmp"));
    EXPECT_EQ(nullptr, FindOwnDialog());
    EXPECT_EQ(16, m_dib.GetWidth());
}

TEST_F(CDIBRead, EmptyNameAsksWithTheOpenDialog)
{
    CDialogAnswerer answerer(IDCANCEL);
    BOOL bResult = m_dib.LoadFromFile("");
    answerer.Join();
    EXPECT_FALSE(bResult);
    EXPECT_FALSE(answerer.Caption().IsEmpty()) << "no open dialog appeared";
}
