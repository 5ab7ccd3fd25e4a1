#include "support/DibTestSupport.h"
#include "dib/CDIB.h"
#include "dib/CDIBPalette.h"
#include "framework/file/CFile.h"
#include "support/CTempFolder.h"
#include "support/GdiObjectCounter.h"
#include "support/HeapUsage.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <vector>

namespace
{
std::vector<std::string> ValidImages()
{
    std::vector<std::string> images;
    BmpLayout layout;
    layout.nWidth = 8;
    layout.nHeight = 6;
    images.push_back(MakeBmp(layout));
    layout.nWidth = 5;
    layout.nHeight = 3;
    layout.nClrUsed = 3;
    images.push_back(MakeBmp(layout));
    layout.nClrUsed = 0;
    layout.nBitCount = 4;
    layout.nWidth = 7;
    images.push_back(MakeBmp(layout));
    layout.nBitCount = 1;
    layout.nWidth = 9;
    images.push_back(MakeBmp(layout));
    layout.nBitCount = 24;
    images.push_back(MakeBmp(layout));
    layout.nBitCount = 32;
    layout.nCompression = BI_BITFIELDS;
    layout.nGap = 12;
    images.push_back(MakeBmp(layout));
    BmpLayout rle;
    rle.nCompression = BI_RLE8;
    rle.pixels = std::string("\x04\x05\x00\x00\x04\x06\x00\x01", 8);
    rle.nSizeImage = 8;
    images.push_back(MakeBmp(rle));
    BmpLayout core;
    core.nHeaderSize = 12;
    core.nWidth = 6;
    core.nHeight = 4;
    images.push_back(MakeBmp(core));
    return images;
}

// A damaged copy of a valid file: bit flips (mostly in the headers), a truncation, or a
// header field set to an extreme value.
std::string Damage(const std::string& image, std::mt19937& rng)
{
    std::string bytes = image;
    switch (rng() % 3) {
    case 0: {
        int nFlips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < nFlips; ++i) {
            size_t nRange = rng() % 10 < 7 ? std::min<size_t>(70, bytes.size()) : bytes.size();
            bytes[rng() % nRange] ^= static_cast<char>(1 << (rng() % 8));
        }
        break;
    }
    case 1:
        bytes.resize(rng() % bytes.size());
        break;
    default: {
        static const size_t fields[] = {2, 10, 14, 18, 22, 28, 30, 34, 46};
        static const unsigned long values[] = {0, 1, 2, 12, 40, 54, 108, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        size_t nOffset = fields[rng() % (sizeof(fields) / sizeof(fields[0]))];
        std::string value = Le32(values[rng() % (sizeof(values) / sizeof(values[0]))]);
        if (nOffset == 28)
            value = value.substr(0, 2);
        bytes.replace(nOffset, value.size(), value);
        break;
    }
    }
    return bytes;
}

std::string InfoBlock(const CDIB& dib)
{
    return std::string(reinterpret_cast<const char*>(dib.GetBitmapInfo()), 1064);
}
} // namespace

TEST(CDIBCorpus, DamagedFilesReadSafelyAndLeakNothing)
{
    const int CORPUS_SIZE = 10000;
    std::vector<std::string> valid = ValidImages();
    std::mt19937 rng(20240601);
    std::string corpus;
    std::vector<size_t> offsets;
    for (int i = 0; i < CORPUS_SIZE; ++i) {
        offsets.push_back(corpus.size());
        corpus += Damage(valid[static_cast<size_t>(i) % valid.size()], rng);
    }
    CTempFolder folder("dibcorpus");
    CString strPath = folder.WriteFile("corpus.bin", corpus);
    corpus.clear();
    corpus.shrink_to_fit();
    CTestCanvas canvas(16, 16);
    std::string infoBefore;
    infoBefore.reserve(1064);

    // The first DC, palette and image use creates cached objects: warm up before counting.
    {
        CDIB warm;
        warm.DrawTransparent(canvas.DC(), nullptr, 0, 0, 4, 4, TRUE);
        CDIBPalette palette;
        palette.CreateFromDIB(&warm);
    }
    const int nGdiBefore = CountGdiObjects();
    const SIZE_T nHeapBefore = CountHeapBytesInUse();
    int nAccepted = 0;
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite));
        CDIB dib;
        for (int i = 0; i < CORPUS_SIZE; ++i) {
            infoBefore = InfoBlock(dib);
            const BYTE* pBitsBefore = dib.GetBits();
            file.Seek(static_cast<LONGLONG>(offsets[static_cast<size_t>(i)]), CFile::begin);
            if (!dib.Read(&file)) {
                ASSERT_EQ(pBitsBefore, dib.GetBits()) << "file " << i;
                ASSERT_TRUE(infoBefore == InfoBlock(dib)) << "file " << i;
                continue;
            }
            ++nAccepted;
            ASSERT_GE(dib.GetWidth(), 1) << "file " << i;
            ASSERT_GE(dib.GetHeight(), 1) << "file " << i;
            ASSERT_LE(dib.GetNumColors(), 256) << "file " << i;
            dib.DrawScaled(canvas.DC(), 0, 0, 16, 16);
            CDIBPalette palette;
            palette.CreateFromDIB(&dib);
            if (i % 16 == 0)
                dib.DrawTransparent(canvas.DC(), &palette, -2, -2, 12, 12, TRUE);
        }
    }
    EXPECT_GT(nAccepted, CORPUS_SIZE / 20);
    EXPECT_LT(nAccepted, CORPUS_SIZE);
    EXPECT_EQ(nGdiBefore, CountGdiObjects());
    EXPECT_EQ(nHeapBefore, CountHeapBytesInUse());
}
