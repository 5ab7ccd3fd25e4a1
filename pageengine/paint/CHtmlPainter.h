#pragma once
// Draws a laid-out page into a DC: the background colour and tiled background picture,
// then the boxes that meet the area to draw, in order, and the focus ring of one link.
// Only the boxes near the area are visited, so a long page draws as fast as a short one.
#include <windows.h>
#include <vector>

class CDC;
class CPageBoxes;
class CHtmlFonts;
class CPageImages;

class CHtmlPainter
{
public:
    CHtmlPainter(const CPageBoxes& laidOut, const CHtmlFonts& fonts, const CPageImages& images);

    // Draws rcClip of the DC, whose row 0 shows the page's row nScrollY, with a focus ring
    // around the boxes of link nFocusLink (none for -1).
    void Paint(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const;

private:
    void PaintBackground(CDC* pDC, const RECT& rcClip, int nScrollY) const;
    void PaintFocus(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const;
    // The advance of each of a text's letters as the layout measured them, in anAdvances;
    // null where the font's own are those.
    const int* Advances(int nFont, const char* pch, size_t nLength, std::vector<int>& anAdvances) const;

    const CPageBoxes& m_laidOut;
    const CHtmlFonts& m_fonts;
    const CPageImages& m_images;
};
