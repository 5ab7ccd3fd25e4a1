#pragma once
// A 24-bit picture in memory with the few drawing operations the sample skins need, written
// out as an uncompressed bottom-up BMP file. Host program: standard C++ only.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb
{
    uint8_t r, g, b;
};

// a + (b - a) * t, channel by channel, t from 0 to 1.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);
Rgb Darker(Rgb c, double t);

class Canvas
{
public:
    Canvas(int nWidth, int nHeight, Rgb fill);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Points outside the picture are ignored.
    void Set(int x, int y, Rgb c);
    Rgb Get(int x, int y) const;

    void FillRect(int x, int y, int cx, int cy, Rgb c);
    // Top to bottom from cTop to cBottom.
    void VerticalGradient(int x, int y, int cx, int cy, Rgb cTop, Rgb cBottom);
    void HorizontalGradient(int x, int y, int cx, int cy, Rgb cLeft, Rgb cRight);
    void HorizontalLine(int x, int y, int cx, Rgb c);
    void VerticalLine(int x, int y, int cy, Rgb c);
    // A raised (or sunken) one-pixel frame: light top and left, dark bottom and right.
    void Bevel(int x, int y, int cx, int cy, Rgb cLight, Rgb cDark);
    // A disc with hard edges (no blending, so no pixel comes near a key colour by accident),
    // shaded from cTop to cBottom, with a one-pixel rim.
    void Disc(double cx, double cy, double radius, Rgb cTop, Rgb cBottom, Rgb cRim);
    // A line nThick pixels wide from (x0, y0) to (x1, y1).
    void ThickLine(double x0, double y0, double x1, double y1, double nThick, Rgb c);
    // Upper-case text in a 5 x 7 pixel font (accents above the cell), each font pixel
    // nScale x nScale; letters without a glyph are left blank.
    void Text(int x, int y, const std::string& strText, int nScale, Rgb c);
    static int TextWidth(const std::string& strText, int nScale);

    bool WriteBmp(const std::string& strPath) const;

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<Rgb> m_pixels;
};
