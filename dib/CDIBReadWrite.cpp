// CDIB: reading and writing BMP files, directly or through an archive.
#include "dib/CDIB.h"
#include "dib/DibConstants.h"
#include "framework/core/AfxGlobals.h"
#include "framework/file/CArchive.h"
#include "framework/file/CFile.h"
#include "framework/file/CFileDialog.h"
#include "framework/core/ScopedWin.h"
#include <cstring>

namespace
{
WORD LoadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD LoadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

void StoreWord(BYTE* p, WORD w)
{
    p[0] = static_cast<BYTE>(w);
    p[1] = static_cast<BYTE>(w >> 8);
}

void StoreDword(BYTE* p, DWORD dw)
{
    StoreWord(p, static_cast<WORD>(dw));
    StoreWord(p + 2, static_cast<WORD>(dw >> 16));
}

// Closes a file whose work is done; FALSE when the system reports an error on closing.
BOOL CloseFile(CFile& file)
{
    try {
        file.Close();
        return TRUE;
    } catch (const CFileException&) {
        return FALSE;
    }
}
} // namespace

BOOL CDIB::Read(CFile* pFile)
{
    m_fScale = 1.0f;
    if (!pFile)
        return FALSE;
    try {
        return ReadImage(*pFile);
    } catch (const CFileException&) {
        return FALSE;
    }
}

BOOL CDIB::ReadImage(CFile& file)
{
    // Every position is relative to where the image starts, so that an image can be read
    // from inside a larger file.
    const ULONGLONG nStart = file.GetPosition();

    BYTE fileHeader[DIB_FILE_HEADER_SIZE];
    if (file.Read(fileHeader, sizeof(fileHeader)) != sizeof(fileHeader) || LoadWord(fileHeader) != DIB_HEADER_MARKER)
        return FALSE;
    const DWORD nFileSize = LoadDword(fileHeader + 2);
    const DWORD nOffBits = LoadDword(fileHeader + 10);

    BITMAPINFOHEADER bih;
    if (file.Read(&bih, sizeof(bih)) != sizeof(bih))
        return FALSE;
    const BOOL bCore = bih.biSize == DIB_CORE_HEADER_SIZE;
    if (bCore) {
        BITMAPCOREHEADER bch;
        file.Seek(static_cast<LONGLONG>(nStart + DIB_FILE_HEADER_SIZE), CFile::begin);
        if (file.Read(&bch, sizeof(bch)) != sizeof(bch))
            return FALSE;
        bih = BITMAPINFOHEADER{};
        bih.biSize = DIB_INFO_HEADER_SIZE;
        bih.biWidth = bch.bcWidth;
        bih.biHeight = bch.bcHeight;
        bih.biPlanes = bch.bcPlanes;
        bih.biBitCount = bch.bcBitCount;
    } else if (bih.biSize != DIB_INFO_HEADER_SIZE) {
        return FALSE;
    }

    // The header is checked against what it describes before anything is allocated from
    // it: the pixel count comes from the file header (bfSize - bfOffBits), and it must
    // exist in the file and cover the picture.
    const int nColors = DIBNumColors(&bih);
    DWORD nNeeded = 0;
    if (nColors > DIB_MAX_COLORS || nOffBits > nFileSize || !DIBPixelBytes(bih, &nNeeded))
        return FALSE;
    const DWORD nPixelBytes = nFileSize - nOffBits;
    if (nPixelBytes < nNeeded || nStart + nOffBits + nPixelBytes > file.GetLength())
        return FALSE;

    ScopedGlobal info(::GlobalAlloc(DIB_GLOBAL_FLAGS, DIB_INFO_BLOCK_SIZE));
    if (!info.IsValid())
        return FALSE;
    LPBITMAPINFO pBMI = static_cast<LPBITMAPINFO>(info.Get());
    pBMI->bmiHeader = bih;

    // The colour table follows the header; a core header's entries are blue, green, red.
    if (bCore) {
        BYTE triples[DIB_MAX_COLORS * 3];
        const UINT nTableBytes = static_cast<UINT>(nColors) * 3;
        if (file.Read(triples, nTableBytes) != nTableBytes)
            return FALSE;
        for (int i = 0; i < nColors; ++i)
            pBMI->bmiColors[i] = RGBQUAD{triples[3 * i], triples[3 * i + 1], triples[3 * i + 2], 0};
    } else {
        // Images with colour masks keep the three masks where the table would be.
        UINT nTableBytes = static_cast<UINT>(nColors) * sizeof(RGBQUAD);
        if (nColors == 0 && bih.biCompression == BI_BITFIELDS)
            nTableBytes = 3 * sizeof(DWORD);
        if (file.Read(pBMI->bmiColors, nTableBytes) != nTableBytes)
            return FALSE;
    }

    ScopedGlobal bits(::GlobalAlloc(DIB_GLOBAL_FLAGS, nPixelBytes));
    if (!bits.IsValid())
        return FALSE;
    file.Seek(static_cast<LONGLONG>(nStart + nOffBits), CFile::begin);
    if (file.Read(bits.Get(), nPixelBytes) != nPixelBytes)
        return FALSE;

    Install(static_cast<LPBITMAPINFO>(info.Release()), static_cast<LPBYTE>(bits.Release()), TRUE);
    return TRUE;
}

BOOL CDIB::LoadFromFile(LPCSTR pszFileName)
{
    m_fScale = 1.0f;
    CString strPath = pszFileName;
    if (strPath.IsEmpty()) {
        CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, DIB_OPEN_FILTER);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strPath = dlg.GetPathName();
    }
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BOOL bResult = Read(&file);
    CloseFile(file);
    return bResult;
}

BOOL CDIB::Write(CFile* pFile)
{
    return WriteImage(pFile, TRUE);
}

BOOL CDIB::WriteNoColorTable(CFile* pFile)
{
    return WriteImage(pFile, FALSE);
}

BOOL CDIB::WriteImage(CFile* pFile, BOOL bColorTable)
{
    // The pixel block is written at its true size (for 8-bit images: the width brought up to
    // a multiple of 4, times the height); the header goes out as held.
    DWORD nPixelBytes = 0;
    if (!pFile || !m_pBMI || !m_pBits || !DIBPixelBytes(m_pBMI->bmiHeader, &nPixelBytes))
        return FALSE;
    const DWORD nOffBits = bColorTable ? DIB_OFFBITS_WITH_TABLE : DIB_OFFBITS_NO_TABLE;
    if (nPixelBytes > MAXDWORD - nOffBits)
        return FALSE;

    BYTE fileHeader[DIB_FILE_HEADER_SIZE] = {};
    StoreWord(fileHeader, DIB_HEADER_MARKER);
    StoreDword(fileHeader + 2, nOffBits + nPixelBytes);
    StoreDword(fileHeader + 10, nOffBits);
    try {
        pFile->Write(fileHeader, sizeof(fileHeader));
        pFile->Write(m_pBMI, nOffBits - DIB_FILE_HEADER_SIZE);
        pFile->Write(m_pBits, nPixelBytes);
    } catch (const CFileException&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDIB::Save(LPCSTR pszFileName)
{
    return SaveImage(pszFileName, TRUE);
}

BOOL CDIB::SaveNoColorTable(LPCSTR pszFileName)
{
    return SaveImage(pszFileName, FALSE);
}

BOOL CDIB::SaveImage(LPCSTR pszFileName, BOOL bColorTable)
{
    CString strPath = pszFileName;
    if (strPath.IsEmpty()) {
        CFileDialog dlg(FALSE, nullptr, bColorTable ? nullptr : DIB_SAVE_NO_TABLE_NAME,
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        bColorTable ? DIB_OPEN_FILTER : DIB_SAVE_NO_TABLE_FILTER);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strPath = dlg.GetPathName();
    }
    CFile file;
    if (!file.Open(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive)) {
        AfxMessageBox(DIB_MSG_OPEN_FAILED, MB_OK);
        return FALSE;
    }
    BOOL bResult = bColorTable ? Write(&file) : WriteNoColorTable(&file);
    // A file the system fails to close may not hold what was written.
    if (!CloseFile(file))
        bResult = FALSE;
    if (!bResult)
        AfxMessageBox(DIB_MSG_SAVE_FAILED, MB_OK);
    return bResult;
}

void CDIB::Serialize(CArchive& ar)
{
    // The image bypasses the archive's buffer: after the flush it goes straight to or from
    // the archive's file, and the archive goes on behind it.
    ar.Flush();
    if (ar.IsLoading())
        Read(ar.GetFile());
    else
        Write(ar.GetFile());
}
