#include "Canvas.h"
#include "ByteFile.h"
#include <algorithm>
#include <cmath>

namespace
{
const int kGlyphWidth = 5;
const int kGlyphHeight = 7;
// Rows of the accent drawn above a cell.
const int kAccentRows = 2;

struct Glyph
{
    char ch;
    const char* rows[kGlyphHeight];
};

// The letters the sample skins write, '#' for a set pixel.
const Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
};
// An upper-case E with an acute accent, in the ANSI code page.
const char kEAcute = '\xC9';
const char* const kAcute[kAccentRows] = {"...#.", "..#.."};

const Glyph* FindGlyph(char ch)
{
    if (ch == kEAcute)
        ch = 'E';
    for (const Glyph& glyph : kFont) {
        if (glyph.ch == ch)
            return &glyph;
    }
    return nullptr;
}

uint8_t Channel(double v)
{
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}
} // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

Rgb Lighter(Rgb c, double t)
{
    return Mix(c, {255, 255, 255}, t);
}

Rgb Darker(Rgb c, double t)
{
    return Mix(c, {0, 0, 0}, t);
}

Canvas::Canvas(int nWidth, int nHeight, Rgb fill)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_pixels(static_cast<size_t>(nWidth) * nHeight, fill)
{
}

void Canvas::Set(int x, int y, Rgb c)
{
    if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight)
        m_pixels[static_cast<size_t>(y) * m_nWidth + x] = c;
}

Rgb Canvas::Get(int x, int y) const
{
    return m_pixels[static_cast<size_t>(y) * m_nWidth + x];
}

void Canvas::FillRect(int x, int y, int cx, int cy, Rgb c)
{
    for (int j = y; j < y + cy; ++j)
        HorizontalLine(x, j, cx, c);
}

void Canvas::VerticalGradient(int x, int y, int cx, int cy, Rgb cTop, Rgb cBottom)
{
    for (int j = 0; j < cy; ++j)
        HorizontalLine(x, y + j, cx, Mix(cTop, cBottom, cy > 1 ? double(j) / (cy - 1) : 0.0));
}

void Canvas::HorizontalGradient(int x, int y, int cx, int cy, Rgb cLeft, Rgb cRight)
{
    for (int i = 0; i < cx; ++i)
        VerticalLine(x + i, y, cy, Mix(cLeft, cRight, cx > 1 ? double(i) / (cx - 1) : 0.0));
}

void Canvas::HorizontalLine(int x, int y, int cx, Rgb c)
{
    for (int i = x; i < x + cx; ++i)
        Set(i, y, c);
}

void Canvas::VerticalLine(int x, int y, int cy, Rgb c)
{
    for (int j = y; j < y + cy; ++j)
        Set(x, j, c);
}

void Canvas::Bevel(int x, int y, int cx, int cy, Rgb cLight, Rgb cDark)
{
    HorizontalLine(x, y, cx, cLight);
    VerticalLine(x, y, cy, cLight);
    HorizontalLine(x, y + cy - 1, cx, cDark);
    VerticalLine(x + cx - 1, y, cy, cDark);
}

void Canvas::Disc(double cx, double cy, double radius, Rgb cTop, Rgb cBottom, Rgb cRim)
{
    for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y) {
        for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d > radius)
                continue;
            double t = (y + 0.5 - (cy - radius)) / (2 * radius);
            Set(x, y, d > radius - 1.0 ? cRim : Mix(cTop, cBottom, t));
        }
    }
}

void Canvas::ThickLine(double x0, double y0, double x1, double y1, double nThick, Rgb c)
{
    double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = static_cast<int>(std::min(y0, y1) - nThick); y <= static_cast<int>(std::max(y0, y1) + nThick); ++y) {
        for (int x = static_cast<int>(std::min(x0, x1) - nThick); x <= static_cast<int>(std::max(x0, x1) + nThick); ++x) {
            double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            if (std::hypot(px - t * dx, py - t * dy) <= nThick / 2)
                Set(x, y, c);
        }
    }
}

void Canvas::Text(int x, int y, const std::string& strText, int nScale, Rgb c)
{
    for (char ch : strText) {
        if (const Glyph* pGlyph = FindGlyph(ch)) {
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int col = 0; col < kGlyphWidth; ++col) {
                    if (pGlyph->rows[row][col] == '#')
                        FillRect(x + col * nScale, y + row * nScale, nScale, nScale, c);
                }
            }
            for (int row = 0; ch == kEAcute && row < kAccentRows; ++row) {
                for (int col = 0; col < kGlyphWidth; ++col) {
                    if (kAcute[row][col] == '#')
                        FillRect(x + col * nScale, y + (row - kAccentRows - 1) * nScale, nScale, nScale, c);
                }
            }
        }
        x += (kGlyphWidth + 1) * nScale;
    }
}

int Canvas::TextWidth(const std::string& strText, int nScale)
{
    return strText.empty() ? 0 : (static_cast<int>(strText.size()) * (kGlyphWidth + 1) - 1) * nScale;
}

bool Canvas::WriteBmp(const std::string& strPath) const
{
    const uint32_t nStride = (static_cast<uint32_t>(m_nWidth) * 3 + 3) / 4 * 4;
    const uint32_t nPixelBytes = nStride * m_nHeight;
    const uint32_t nOffBits = 14 + 40;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, nOffBits + nPixelBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, nOffBits, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<uint32_t>(m_nWidth), 4);
    PutLe(out, static_cast<uint32_t>(m_nHeight), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, nPixelBytes, 4);
    PutLe(out, 2835, 4); // 72 dots per inch
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = m_nHeight - 1; y >= 0; --y) {
        for (int x = 0; x < m_nWidth; ++x) {
            Rgb c = Get(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t i = static_cast<uint32_t>(m_nWidth) * 3; i < nStride; ++i)
            out.push_back(0);
    }
    return WriteBytes(strPath, out.data(), out.size());
}
