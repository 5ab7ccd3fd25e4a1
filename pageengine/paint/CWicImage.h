#pragma once
// One picture of a page, a BMP, PNG, JPEG or GIF file decoded once by the platform's image
// decoders into a 32-bit bitmap with premultiplied alpha.
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CBrush.h"

class CDC;
struct IWICImagingFactory;

class CWicImage
{
public:
    // Decodes the file's first frame. FALSE for a missing or unreadable file, a file of
    // another kind (told by its first bytes, whatever its name), a broken picture, and one
    // larger than HTML_MAX_IMAGE_SIDE or than nMaxPixels pixels.
    BOOL Load(IWICImagingFactory* pFactory, const char* pszPath, long long nMaxPixels);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Draws the picture stretched to the rectangle; transparent parts show what is below.
    void Draw(CDC* pDC, const RECT& rc) const;
    // Covers the rectangle with copies of the picture side by side, one of them with its
    // top-left corner at ptOrigin.
    void Tile(CDC* pDC, const RECT& rc, POINT ptOrigin) const;

private:
    mutable CBitmap m_bitmap;
    mutable CBrush m_pattern;   // the picture as a brush, made when it is first tiled
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bTransparent = false;
};
