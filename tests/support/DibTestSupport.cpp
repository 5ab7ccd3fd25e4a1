#include "support/DibTestSupport.h"

std::string Le16(unsigned int n)
{
    return std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF)};
}

std::string Le32(unsigned long n)
{
    return Le16(n & 0xFFFF) + Le16((n >> 16) & 0xFFFF);
}

RGBQUAD TestColor(int i)
{
    return RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
}

size_t BmpStride(LONG nWidth, WORD nBitCount)
{
    return (static_cast<size_t>(nWidth) * nBitCount + 31) / 32 * 4;
}

std::string PatternPixels(const BmpLayout& layout)
{
    std::string pixels(BmpStride(layout.nWidth, layout.nBitCount) * static_cast<size_t>(layout.nHeight), '\0');
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<char>((i * 13 + 5) & 0xFF);
    return pixels;
}

std::string MakeBmp(const BmpLayout& layout)
{
    std::string header;
    if (layout.nHeaderSize == 12) {
        header = Le32(12) + Le16(layout.nWidth) + Le16(layout.nHeight) + Le16(1) + Le16(layout.nBitCount);
    } else {
        header = Le32(layout.nHeaderSize) + Le32(layout.nWidth) + Le32(layout.nHeight) + Le16(1) +
                 Le16(layout.nBitCount) + Le32(layout.nCompression) + Le32(layout.nSizeImage) + Le32(2835) + Le32(2835) +
                 Le32(layout.nClrUsed) + Le32(0);
        header.resize(layout.nHeaderSize < 40 ? 40 : layout.nHeaderSize, '\0');
    }

    int nEntries = layout.nTableEntries;
    if (nEntries < 0) {
        nEntries = layout.nBitCount <= 8 ? 1 << layout.nBitCount : 0;
        if (layout.nHeaderSize != 12 && layout.nClrUsed != 0 && (layout.nBitCount > 8 || static_cast<int>(layout.nClrUsed) < nEntries))
            nEntries = static_cast<int>(layout.nClrUsed);
    }
    std::string table;
    for (int i = 0; i < nEntries; ++i) {
        RGBQUAD q = TestColor(i);
        table += static_cast<char>(q.rgbBlue);
        table += static_cast<char>(q.rgbGreen);
        table += static_cast<char>(q.rgbRed);
        if (layout.nHeaderSize != 12)
            table += '\0';
    }
    table += std::string(static_cast<size_t>(layout.nGap), '\x77');

    std::string pixels = layout.pixels.empty() ? PatternPixels(layout) : layout.pixels;
    unsigned long nOffBits = 14 + static_cast<unsigned long>(header.size() + table.size());
    unsigned long nSize = nOffBits + static_cast<unsigned long>(pixels.size()) + layout.nSizeAdjust;
    return Le16(layout.wMark) + Le32(nSize) + Le32(0) + Le32(nOffBits) + header + table + pixels;
}

CTestCanvas::CTestCanvas(int nWidth, int nHeight, COLORREF crFill)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_selection(CreateSurface(), &m_bitmap)
{
    m_dc.FillSolidRect(CRect(0, 0, nWidth, nHeight), crFill);
}

CDC* CTestCanvas::CreateSurface()
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_nWidth;
    bmi.bmiHeader.biHeight = -m_nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    m_pPixels = static_cast<const DWORD*>(pBits);
    m_dc.CreateCompatibleDC(nullptr);
    return &m_dc;
}

COLORREF CTestCanvas::Pixel(int x, int y) const
{
    return m_dc.GetPixel(x, y);
}

std::string CTestCanvas::Snapshot() const
{
    ::GdiFlush();
    return std::string(reinterpret_cast<const char*>(m_pPixels), static_cast<size_t>(m_nWidth) * m_nHeight * 4);
}

std::string MakeBmp24(LONG nWidth, LONG nHeight, const std::function<COLORREF(int x, int y)>& colourAt)
{
    BmpLayout layout;
    layout.nWidth = nWidth;
    layout.nHeight = nHeight;
    layout.nBitCount = 24;
    layout.nTableEntries = 0;
    const size_t nStride = BmpStride(nWidth, 24);
    layout.pixels.assign(nStride * static_cast<size_t>(nHeight), '\0');
    for (LONG y = 0; y < nHeight; ++y) {
        // Rows are stored bottom-up, each pixel blue, green, red.
        char* pRow = &layout.pixels[static_cast<size_t>(nHeight - 1 - y) * nStride];
        for (LONG x = 0; x < nWidth; ++x) {
            COLORREF cr = colourAt(x, y);
            pRow[3 * x] = static_cast<char>(GetBValue(cr));
            pRow[3 * x + 1] = static_cast<char>(GetGValue(cr));
            pRow[3 * x + 2] = static_cast<char>(GetRValue(cr));
        }
    }
    return MakeBmp(layout);
}
