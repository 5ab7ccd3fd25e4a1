#pragma once
// BMP files made byte by byte for the bitmap tests, and a 32-bit drawing surface whose
// pixels the tests read back.
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CScopedSelect.h"
#include <functional>
#include <string>

std::string Le16(unsigned int n);
std::string Le32(unsigned long n);

// The colour entry i of the test files' colour tables.
RGBQUAD TestColor(int i);

struct BmpLayout
{
    WORD wMark = 0x4D42;
    DWORD nHeaderSize = 40;   // 12 writes a core header
    LONG nWidth = 4;
    LONG nHeight = 2;
    WORD nBitCount = 8;
    DWORD nCompression = BI_RGB;
    DWORD nClrUsed = 0;
    DWORD nSizeImage = 0;
    int nTableEntries = -1;   // colour entries in the file; -1: as many as the reader takes
    int nGap = 0;             // bytes between the colour table and the pixels
    std::string pixels;       // empty: a pattern of the size the picture needs
    LONG nSizeAdjust = 0;     // added to the true bfSize
};

// Bytes a row of the picture takes in a BMP file.
size_t BmpStride(LONG nWidth, WORD nBitCount);
// The pattern pixels of a layout with no pixels of its own.
std::string PatternPixels(const BmpLayout& layout);
std::string MakeBmp(const BmpLayout& layout);

// A memory DC with a 32-bit top-down surface filled with one colour.
class CTestCanvas
{
public:
    CTestCanvas(int nWidth, int nHeight, COLORREF crFill = RGB(10, 20, 30));
    CTestCanvas(const CTestCanvas&) = delete;
    CTestCanvas& operator=(const CTestCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const;
    // Every pixel, row by row.
    std::string Snapshot() const;

private:
    int m_nWidth;
    int m_nHeight;
    const DWORD* m_pPixels = nullptr;
    CDC m_dc;
    CBitmap m_bitmap;
    CScopedSelect m_selection;

    // Makes the DC and the surface, ready for m_selection.
    CDC* CreateSurface();
};

// A 24-bit BMP file whose pixel (x, y), y counted from the top, has the colour colourAt(x, y).
std::string MakeBmp24(LONG nWidth, LONG nHeight, const std::function<COLORREF(int x, int y)>& colourAt);
