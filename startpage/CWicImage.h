#pragma once
// One picture of a page (BMP, PNG, JPEG, GIF: whatever the platform's image decoders
// read), decoded once into a 32-bit bitmap with premultiplied alpha.
#include "framework/ScopedWin.h"

class CWicImage
{
public:
    // Decodes the file's first frame. FALSE for a missing, unreadable or broken file and
    // for a picture larger than HTML_MAX_IMAGE_SIDE or than nMaxPixels pixels.
    BOOL Load(const char* pszPath, long long nMaxPixels);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Draws the picture stretched to the rectangle; transparent parts show what is below.
    void Draw(HDC hDC, const RECT& rc) const;

private:
    ScopedBitmap m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bTransparent = false;
};
