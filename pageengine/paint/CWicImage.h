#pragma once
// One picture of a page, a BMP, PNG, JPEG or GIF file's bytes decoded once by the
// platform's image decoders into a 32-bit bitmap with premultiplied alpha.
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CBrush.h"
#include <string>

class CDC;
struct IWICImagingFactory;

class CWicImage
{
public:
    // Decodes the first frame of a file's bytes. FALSE for a file of another kind (told by
    // its first bytes, whatever its name), a broken picture, and one larger than
    // HTML_MAX_IMAGE_SIDE or than nMaxPixels pixels.
    BOOL Load(IWICImagingFactory* pFactory, const std::string& bytes, long long nMaxPixels);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Draws the picture stretched to the rectangle; transparent parts show what is below.
    void Draw(CDC* pDC, const RECT& rc) const;
    // Covers the rectangle with copies of the picture side by side, one of them with its
    // top-left corner at ptOrigin.
    void Tile(CDC* pDC, const RECT& rc, POINT ptOrigin) const;

private:
    // The transparent picture repeated side by side into a tile of at least kTileSide
    // pixels a side, made when it is first tiled: a small picture then costs a few blends
    // per repaint instead of one per copy.
    bool MakeTile() const;

    mutable CBitmap m_bitmap;
    mutable CBitmap m_tile;
    mutable int m_nTileWidth = 0;
    mutable int m_nTileHeight = 0;
    mutable CBrush m_pattern;   // the picture as a brush, made when it is first tiled
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bTransparent = false;
};
