#include "startpage/CWicImage.h"
#include "startpage/HtmlConstants.h"
#include <wincodec.h>
#include <string>

namespace
{
// Holds one COM interface and releases it.
template <class T>
class ComRef
{
public:
    ComRef() = default;
    ~ComRef() { if (m_p) m_p->Release(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

// COM for the calling thread while it decodes; the program's own initialisation, when it
// made one, stays as it is.
class ComScope
{
public:
    ComScope() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() { if (SUCCEEDED(m_hr)) ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_hr;
};
} // namespace

BOOL CWicImage::Load(const char* pszPath, long long nMaxPixels)
{
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, pszPath, -1, nullptr, 0);
    if (nWide <= 0)
        return FALSE;
    std::wstring strPath(static_cast<size_t>(nWide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, pszPath, -1, &strPath[0], nWide);

    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    UINT nWidth = 0, nHeight = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.OutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(strPath.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&nWidth, &nHeight)))
        return FALSE;
    if (nWidth == 0 || nHeight == 0 || nWidth > static_cast<UINT>(HTML_MAX_IMAGE_SIDE) ||
        nHeight > static_cast<UINT>(HTML_MAX_IMAGE_SIDE) || static_cast<long long>(nWidth) * nHeight > nMaxPixels)
        return FALSE;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return FALSE;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = static_cast<LONG>(nWidth);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(nHeight);   // top-down, like the decoder's rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    ScopedBitmap bitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!bitmap.IsValid() || !pBits)
        return FALSE;
    UINT nStride = nWidth * 4;
    if (FAILED(converter->CopyPixels(nullptr, nStride, nStride * nHeight, static_cast<BYTE*>(pBits))))
        return FALSE;
    ::GdiFlush();

    const DWORD* pPixel = static_cast<const DWORD*>(pBits);
    bool bTransparent = false;
    for (size_t i = 0, n = static_cast<size_t>(nWidth) * nHeight; i < n && !bTransparent; ++i)
        bTransparent = (pPixel[i] >> 24) != 0xFF;
    m_bitmap = std::move(bitmap);
    m_nWidth = static_cast<int>(nWidth);
    m_nHeight = static_cast<int>(nHeight);
    m_bTransparent = bTransparent;
    return TRUE;
}

void CWicImage::Draw(HDC hDC, const RECT& rc) const
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (!m_bitmap.IsValid() || cx <= 0 || cy <= 0)
        return;
    ScopedCreatedDC memDC(::CreateCompatibleDC(hDC));
    ScopedSelectObject select(memDC, m_bitmap);
    if (m_bTransparent) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(hDC, rc.left, rc.top, cx, cy, memDC, 0, 0, m_nWidth, m_nHeight, blend);
    } else if (cx == m_nWidth && cy == m_nHeight) {
        ::BitBlt(hDC, rc.left, rc.top, cx, cy, memDC, 0, 0, SRCCOPY);
    } else {
        int nOldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
        ::StretchBlt(hDC, rc.left, rc.top, cx, cy, memDC, 0, 0, m_nWidth, m_nHeight, SRCCOPY);
        ::SetStretchBltMode(hDC, nOldMode);
    }
}
