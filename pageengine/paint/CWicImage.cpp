#include "pageengine/paint/CWicImage.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CScopedSelect.h"
#include "framework/core/ScopedWin.h"
#include "pageengine/HtmlConstants.h"
#include <wincodec.h>
#include <cstring>
#include <algorithm>

namespace
{
// The least width and height of the tile a small transparent picture is repeated into.
const int kTileSide = 256;

// The decoder for a file's first bytes, or null for a file of another kind.
const GUID* ContainerOf(const BYTE* pHead, ULONG nRead)
{
    if (nRead >= 2 && std::memcmp(pHead, "BM", 2) == 0)
        return &GUID_ContainerFormatBmp;
    if (nRead >= 8 && std::memcmp(pHead, "\x89PNG\r\n\x1a\n", 8) == 0)
        return &GUID_ContainerFormatPng;
    if (nRead >= 3 && std::memcmp(pHead, "\xff\xd8\xff", 3) == 0)
        return &GUID_ContainerFormatJpeg;
    if (nRead >= 4 && std::memcmp(pHead, "GIF8", 4) == 0)
        return &GUID_ContainerFormatGif;
    return nullptr;
}

// A 32-bit section of cx x cy pixels whose rows go top-down, like the decoder's.
bool CreateTopDownSection(CBitmap& bitmap, LONG cx, LONG cy, void** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    *ppBits = nullptr;
    return bitmap.Attach(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, ppBits, nullptr, 0)) && *ppBits;
}
} // namespace

BOOL CWicImage::Load(IWICImagingFactory* pFactory, const std::string& bytes, long long nMaxPixels)
{
    if (!pFactory || bytes.empty() || bytes.size() > MAXDWORD)
        return FALSE;
    // The decoder is chosen from the file's first bytes: asking every installed decoder
    // in turn is much slower, and reads files that are no pictures at all. The bytes
    // outlive the stream, which is gone when this returns.
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(bytes.data());
    ScopedComPtr<IWICStream> stream;
    if (FAILED(pFactory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(pBytes), static_cast<DWORD>(bytes.size()))))
        return FALSE;
    const GUID* pContainer = ContainerOf(pBytes, static_cast<ULONG>(std::min<size_t>(bytes.size(), 8)));
    ScopedComPtr<IWICBitmapDecoder> decoder;
    ScopedComPtr<IWICBitmapFrameDecode> frame;
    ScopedComPtr<IWICFormatConverter> converter;
    UINT nWidth = 0, nHeight = 0;
    if (!pContainer || FAILED(pFactory->CreateDecoder(*pContainer, nullptr, decoder.Put())) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) || FAILED(decoder->GetFrame(0, frame.Put())) ||
        FAILED(frame->GetSize(&nWidth, &nHeight)))
        return FALSE;
    if (nWidth == 0 || nHeight == 0 || nWidth > static_cast<UINT>(HTML_MAX_IMAGE_SIDE) ||
        nHeight > static_cast<UINT>(HTML_MAX_IMAGE_SIDE) || static_cast<long long>(nWidth) * nHeight > nMaxPixels)
        return FALSE;
    if (FAILED(pFactory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return FALSE;

    void* pBits = nullptr;
    CBitmap bitmap;
    if (!CreateTopDownSection(bitmap, static_cast<LONG>(nWidth), static_cast<LONG>(nHeight), &pBits))
        return FALSE;
    UINT nStride = nWidth * 4;
    if (FAILED(converter->CopyPixels(nullptr, nStride, nStride * nHeight, static_cast<BYTE*>(pBits))))
        return FALSE;
    ::GdiFlush();

    const DWORD* pPixel = static_cast<const DWORD*>(pBits);
    bool bTransparent = false;
    for (size_t i = 0, n = static_cast<size_t>(nWidth) * nHeight; i < n && !bTransparent; ++i)
        bTransparent = (pPixel[i] >> 24) != 0xFF;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap.Detach());
    m_tile.DeleteObject();
    m_pattern.DeleteObject();
    m_nWidth = static_cast<int>(nWidth);
    m_nHeight = static_cast<int>(nHeight);
    m_bTransparent = bTransparent;
    return TRUE;
}

void CWicImage::Draw(CDC* pDC, const RECT& rc) const
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (!m_bitmap.GetSafeHandle() || cx <= 0 || cy <= 0)
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    CScopedSelect select(&memDC, &m_bitmap);
    if (m_bTransparent) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(*pDC, rc.left, rc.top, cx, cy, memDC, 0, 0, m_nWidth, m_nHeight, blend);
    } else if (cx == m_nWidth && cy == m_nHeight) {
        pDC->BitBlt(rc.left, rc.top, cx, cy, &memDC, 0, 0, SRCCOPY);
    } else {
        int nOldMode = ::SetStretchBltMode(*pDC, COLORONCOLOR);
        pDC->StretchBlt(rc.left, rc.top, cx, cy, &memDC, 0, 0, m_nWidth, m_nHeight, SRCCOPY);
        ::SetStretchBltMode(*pDC, nOldMode);
    }
}

void CWicImage::Tile(CDC* pDC, const RECT& rc, POINT ptOrigin) const
{
    if (!m_bitmap.GetSafeHandle() || rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    int nOffsetX = (ptOrigin.x % m_nWidth + m_nWidth) % m_nWidth;
    int nOffsetY = (ptOrigin.y % m_nHeight + m_nHeight) % m_nHeight;
    if (!m_bTransparent) {
        // The brush origin is in device units, the DC's window origin may not be 0, 0.
        POINT ptDevice = {nOffsetX, nOffsetY};
        ::LPtoDP(*pDC, &ptDevice, 1);
        nOffsetX = (ptDevice.x % m_nWidth + m_nWidth) % m_nWidth;
        nOffsetY = (ptDevice.y % m_nHeight + m_nHeight) % m_nHeight;
        // One fill with the picture as a pattern, however small the picture.
        if (!m_pattern.GetSafeHandle())
            m_pattern.Attach(::CreatePatternBrush(m_bitmap));
        POINT ptOld = {};
        ::SetBrushOrgEx(*pDC, nOffsetX, nOffsetY, &ptOld);
        pDC->FillRect(rc, m_pattern);
        ::SetBrushOrgEx(*pDC, ptOld.x, ptOld.y, nullptr);
        return;
    }
    if (!m_tile.GetSafeHandle() && !MakeTile())
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    CScopedSelect select(&memDC, &m_tile);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const int cx = m_nTileWidth, cy = m_nTileHeight;
    int nFirstX = rc.left - ((rc.left - nOffsetX) % cx + cx) % cx;
    int nFirstY = rc.top - ((rc.top - nOffsetY) % cy + cy) % cy;
    for (int y = nFirstY; y < rc.bottom; y += cy)
        for (int x = nFirstX; x < rc.right; x += cx)
            ::AlphaBlend(*pDC, x, y, cx, cy, memDC, 0, 0, cx, cy, blend);
}

bool CWicImage::MakeTile() const
{
    DIBSECTION dib = {};
    if (::GetObjectA(m_bitmap.GetSafeHandle(), sizeof(dib), &dib) != sizeof(dib) || !dib.dsBm.bmBits)
        return false;
    const int nCopiesX = (kTileSide + m_nWidth - 1) / m_nWidth, nCopiesY = (kTileSide + m_nHeight - 1) / m_nHeight;
    const int cx = m_nWidth * nCopiesX, cy = m_nHeight * nCopiesY;
    void* pBits = nullptr;
    CBitmap tile;
    if (!CreateTopDownSection(tile, cx, cy, &pBits))
        return false;
    ::GdiFlush();
    // Both are top-down 32-bit rows: the picture's row y % height, side by side.
    const DWORD* pSource = static_cast<const DWORD*>(dib.dsBm.bmBits);
    DWORD* pTarget = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y) {
        const DWORD* pRow = pSource + static_cast<size_t>(y % m_nHeight) * m_nWidth;
        for (int nCopy = 0; nCopy < nCopiesX; ++nCopy)
            std::memcpy(pTarget + static_cast<size_t>(y) * cx + static_cast<size_t>(nCopy) * m_nWidth, pRow,
                        static_cast<size_t>(m_nWidth) * sizeof(DWORD));
    }
    m_tile.Attach(tile.Detach());
    m_nTileWidth = cx;
    m_nTileHeight = cy;
    return true;
}
