#include "dib/DIBHeader.h"
#include "dib/DibConstants.h"
#include <climits>

BOOL IsWin30DIB(const void* pbi)
{
    return static_cast<const BITMAPINFOHEADER*>(pbi)->biSize != DIB_CORE_HEADER_SIZE;
}

int DIBNumColors(const void* pbi)
{
    WORD wBitCount = IsWin30DIB(pbi) ? static_cast<const BITMAPINFOHEADER*>(pbi)->biBitCount
                                     : static_cast<const BITMAPCOREHEADER*>(pbi)->bcBitCount;
    int nDefault = 0;
    switch (wBitCount) {
    case 1:
        nDefault = 2;
        break;
    case 4:
        nDefault = 16;
        break;
    case 8:
        nDefault = 256;
        break;
    default:
        break;
    }
    if (IsWin30DIB(pbi)) {
        DWORD dwClrUsed = static_cast<const BITMAPINFOHEADER*>(pbi)->biClrUsed;
        if (dwClrUsed != 0) {
            if (nDefault != 0 && dwClrUsed > static_cast<DWORD>(nDefault))
                return nDefault;
            return dwClrUsed > INT_MAX ? INT_MAX : static_cast<int>(dwClrUsed);
        }
    }
    return nDefault;
}

BOOL DIBPixelBytes(const BITMAPINFOHEADER& bih, DWORD* pnBytes)
{
    if (bih.biWidth < 1 || bih.biWidth > DIB_MAX_DIMENSION || bih.biHeight < 1 || bih.biHeight > DIB_MAX_DIMENSION)
        return FALSE;
    switch (bih.biCompression) {
    case BI_RGB:
        if (bih.biBitCount != 1 && bih.biBitCount != 4 && bih.biBitCount != 8 && bih.biBitCount != 16 &&
            bih.biBitCount != 24 && bih.biBitCount != 32)
            return FALSE;
        break;
    case BI_BITFIELDS:
        if (bih.biBitCount != 16 && bih.biBitCount != 32)
            return FALSE;
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (bih.biBitCount != (bih.biCompression == BI_RLE8 ? 8 : 4) || bih.biSizeImage == 0)
            return FALSE;
        *pnBytes = bih.biSizeImage;
        return TRUE;
    default:
        return FALSE;
    }
    // At most 0xFFFF x 32 bits a row and 0xFFFF rows: no overflow in 64 bits.
    ULONGLONG nStride = (static_cast<ULONGLONG>(bih.biWidth) * bih.biBitCount + 31) / 32 * 4;
    ULONGLONG nBytes = nStride * static_cast<ULONGLONG>(bih.biHeight);
    if (nBytes > MAXDWORD)
        return FALSE;
    *pnBytes = static_cast<DWORD>(nBytes);
    return TRUE;
}
