#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include "framework/core/AfxGlobals.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CPalette.h"
#include "framework/core/ScopedWin.h"
#include <cstring>

KELO_IMPLEMENT_SERIAL(CDIB, CObject, 0)

CDIB::CDIB()
{
    Create(DIB_PLACEHOLDER_SIZE, DIB_PLACEHOLDER_SIZE);
}

CDIB::~CDIB()
{
    FreeImage();
}

void CDIB::FreeImage()
{
    if (m_pBMI)
        ::GlobalFree(m_pBMI);
    if (m_pBits && m_bOwnBits)
        ::GlobalFree(m_pBits);
    m_pBMI = nullptr;
    m_pBits = nullptr;
    m_bOwnBits = FALSE;
}

void CDIB::Install(LPBITMAPINFO pBMI, LPBYTE pBits, BOOL bOwnBits)
{
    FreeImage();
    m_pBMI = pBMI;
    m_pBits = pBits;
    m_bOwnBits = bOwnBits;
}

BOOL CDIB::Create(int nWidth, int nHeight)
{
    // Sizes no image can have are refused before anything is freed or allocated.
    BITMAPINFOHEADER bih = {};
    bih.biSize = DIB_INFO_HEADER_SIZE;
    bih.biWidth = nWidth;
    bih.biHeight = nHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 8;
    bih.biCompression = BI_RGB;
    DWORD nBytes = 0;
    if (!DIBPixelBytes(bih, &nBytes))
        return FALSE;

    FreeImage();
    ScopedGlobal info(::GlobalAlloc(DIB_GLOBAL_FLAGS, DIB_INFO_BLOCK_SIZE));
    if (!info.IsValid())
        return FALSE;
    ScopedGlobal bits(::GlobalAlloc(DIB_GLOBAL_FLAGS, nBytes));
    if (!bits.IsValid())
        return FALSE;

    LPBITMAPINFO pBMI = static_cast<LPBITMAPINFO>(info.Get());
    pBMI->bmiHeader = bih;
    for (int i = 0; i < DIB_MAX_COLORS; ++i) {
        BYTE level = static_cast<BYTE>(i);
        pBMI->bmiColors[i] = RGBQUAD{level, level, level, 0};
    }
    Install(static_cast<LPBITMAPINFO>(info.Release()), static_cast<LPBYTE>(bits.Release()), TRUE);
    return TRUE;
}

BOOL CDIB::Attach(LPBITMAPINFOHEADER pbi, LPVOID pBits, BOOL bCopyColorTable)
{
    // The block always has room for 256 entries, so that drawing, the writers and the
    // palette code find a (zeroed) colour table behind the header even when none is copied.
    ScopedGlobal info(::GlobalAlloc(DIB_GLOBAL_FLAGS, DIB_INFO_BLOCK_SIZE));
    if (!info.IsValid())
        return FALSE;
    size_t nCopy = DIB_INFO_HEADER_SIZE;
    if (bCopyColorTable) {
        int nColors = DIBNumColors(pbi);
        if (nColors > DIB_MAX_COLORS)
            nColors = DIB_MAX_COLORS;
        nCopy += static_cast<size_t>(nColors) * sizeof(RGBQUAD);
    }
    std::memcpy(info.Get(), pbi, nCopy);
    Install(static_cast<LPBITMAPINFO>(info.Release()), static_cast<LPBYTE>(pBits), FALSE);
    return TRUE;
}

BOOL CDIB::LoadFromResource(UINT nID)
{
    m_fScale = 1.0f;
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(LOWORD(nID)), "DIB");
    if (!hResource)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    if (!hData)
        return FALSE;
    LPBYTE p = static_cast<LPBYTE>(::LockResource(hData));
    DWORD nSize = ::SizeofResource(hModule, hResource);

    // The resource is a whole BMP file; the image points into it, so it must hold the
    // colour table and pixels its header describes.
    if (!p || nSize < DIB_FILE_HEADER_SIZE + DIB_INFO_HEADER_SIZE)
        return FALSE;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, p + DIB_FILE_HEADER_SIZE, sizeof(bih));
    DWORD nOffBits;
    std::memcpy(&nOffBits, p + 10, sizeof(nOffBits));
    int nColors = DIBNumColors(&bih);
    DWORD nPixelBytes = 0;
    if (bih.biSize != DIB_INFO_HEADER_SIZE || nColors > DIB_MAX_COLORS || !DIBPixelBytes(bih, &nPixelBytes) ||
        DIB_FILE_HEADER_SIZE + DIB_INFO_HEADER_SIZE + nColors * sizeof(RGBQUAD) > nSize || nOffBits > nSize ||
        nPixelBytes > nSize - nOffBits)
        return FALSE;

    // Resource memory is mapped read-only; the pixel operations write in place.
    DWORD dwOldProtect;
    ::VirtualProtect(p, nSize, PAGE_READWRITE, &dwOldProtect);
    return Attach(reinterpret_cast<LPBITMAPINFOHEADER>(p + DIB_FILE_HEADER_SIZE), p + nOffBits, nColors > 0);
}

int CDIB::Draw(CDC* pDC, CRect rcDest, CRect rcSrc)
{
    if (!m_pBMI)
        return 0;
    return ::StretchDIBits(pDC ? pDC->m_hDC : nullptr, rcDest.left, rcDest.top, rcDest.right, rcDest.bottom,
                           rcSrc.left, m_pBMI->bmiHeader.biHeight - rcSrc.top - rcSrc.bottom, rcSrc.right,
                           rcSrc.bottom, m_pBits, m_pBMI, DIB_RGB_COLORS, SRCCOPY);
}

int CDIB::DrawScaled(CDC* pDC, int x, int y, int cx, int cy)
{
    if (!m_pBMI)
        return 0;
    return ::StretchDIBits(pDC ? pDC->m_hDC : nullptr, x, y, static_cast<int>(cx * m_fScale),
                           static_cast<int>(cy * m_fScale), 0, 0, m_pBMI->bmiHeader.biWidth,
                           m_pBMI->bmiHeader.biHeight, m_pBits, m_pBMI, DIB_RGB_COLORS, SRCCOPY);
}

int CDIB::GetWidth() const
{
    return m_pBMI ? m_pBMI->bmiHeader.biWidth : 0;
}

int CDIB::GetHeight() const
{
    return m_pBMI ? m_pBMI->bmiHeader.biHeight : 0;
}

int CDIB::GetNumColors() const
{
    return m_pBMI ? DIBNumColors(m_pBMI) : 0;
}

void CDIB::GetRect(CRect* pRect) const
{
    if (!m_pBMI) {
        pRect->SetRect(0, 0, 0, 0);
        return;
    }
    pRect->SetRect(0, 0, static_cast<int>(m_pBMI->bmiHeader.biWidth * m_fScale),
                   static_cast<int>(m_pBMI->bmiHeader.biHeight * m_fScale));
}

BOOL CDIB::Is8BitImage() const
{
    return m_pBMI && m_pBits && m_pBMI->bmiHeader.biBitCount == 8 && m_pBMI->bmiHeader.biCompression == BI_RGB;
}

size_t CDIB::Stride() const
{
    // Rows of 8-bit pixels are the width brought up to a multiple of 4.
    return (static_cast<size_t>(m_pBMI->bmiHeader.biWidth) + 3) & ~static_cast<size_t>(3);
}

LPBYTE CDIB::GetPixelAddress(int x, int y)
{
    // The header's own size, not the virtual GetWidth / GetHeight a derived image may change:
    // the pixel block is laid out by the header.
    if (!Is8BitImage() || x < 0 || y < 0 || x >= m_pBMI->bmiHeader.biWidth || y >= m_pBMI->bmiHeader.biHeight)
        return nullptr;
    return m_pBits + Stride() * static_cast<size_t>(m_pBMI->bmiHeader.biHeight - y - 1) + static_cast<size_t>(x);
}

void CDIB::CopyBits(CDIB* pDest, int xDest, int yDest, UINT cx, UINT cy, int xSrc, int ySrc, int nTransparent)
{
    if (cx == 0 || cy == 0 || !pDest || !m_pBMI || !pDest->m_pBMI)
        return;
    // The whole block must lie inside both images (GetPixelAddress also refuses images other
    // than 8-bit ones). Rows are walked upwards from the bottom one, so the top row counts too.
    const LONGLONG nRight = cx - 1LL;
    const LONGLONG nBottom = cy - 1LL;
    const BITMAPINFOHEADER& src = m_pBMI->bmiHeader;
    const BITMAPINFOHEADER& dest = pDest->m_pBMI->bmiHeader;
    if (xSrc < 0 || ySrc < 0 || xDest < 0 || yDest < 0 || xSrc + nRight >= src.biWidth ||
        ySrc + nBottom >= src.biHeight || xDest + nRight >= dest.biWidth || yDest + nBottom >= dest.biHeight)
        return;
    LPBYTE s = GetPixelAddress(xSrc, ySrc + static_cast<int>(nBottom));
    LPBYTE d = pDest->GetPixelAddress(xDest, yDest + static_cast<int>(nBottom));
    if (!s || !d)
        return;
    const size_t nSrcStride = Stride();
    const size_t nDestStride = pDest->Stride();
    BYTE nKey = static_cast<BYTE>(nTransparent);
    for (UINT row = 0; row < cy; ++row, s += nSrcStride, d += nDestStride) {
        if (nTransparent == -1) {
            std::memmove(d, s, cx);
            continue;
        }
        for (UINT i = 0; i < cx; ++i) {
            if (s[i] != nKey)
                d[i] = s[i];
        }
    }
}

BOOL CDIB::MapColorsToPalette(CPalette* pPal)
{
    if (!pPal || !Is8BitImage())
        return FALSE;
    BYTE map[DIB_MAX_COLORS];
    RGBQUAD* pColors = m_pBMI->bmiColors;
    for (int i = 0; i < DIB_MAX_COLORS; ++i)
        map[i] = static_cast<BYTE>(pPal->GetNearestPaletteIndex(RGB(pColors[i].rgbRed, pColors[i].rgbGreen, pColors[i].rgbBlue)));

    DWORD nBytes = 0;
    DIBPixelBytes(m_pBMI->bmiHeader, &nBytes);
    for (DWORD i = 0; i < nBytes; ++i)
        m_pBits[i] = map[m_pBits[i]];

    // Entries beyond the palette's own size keep their colours: no pixel refers to them.
    PALETTEENTRY entries[DIB_MAX_COLORS] = {};
    UINT nEntries = pPal->GetPaletteEntries(0, DIB_MAX_COLORS, entries);
    for (UINT i = 0; i < nEntries && i < DIB_MAX_COLORS; ++i) {
        pColors[i].rgbRed = entries[i].peRed;
        pColors[i].rgbGreen = entries[i].peGreen;
        pColors[i].rgbBlue = entries[i].peBlue;
    }
    m_pBMI->bmiHeader.biClrUsed = DIB_MAX_COLORS;
    return TRUE;
}
