#include "pageengine/view/CHtmlPage.h"
#include "framework/core/ScopedWin.h"
#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/paint/CHtmlPainter.h"
#include "pageengine/read/CHtmlReader.h"
#include "pageengine/view/CPageAddress.h"
#include <algorithm>

BOOL CHtmlPage::LoadFile(const std::string& strPath)
{
    std::string bytes;
    if (!ReadFileBytes(strPath, HTML_MAX_FILE_BYTES, bytes))
        return FALSE;
    LoadText(bytes, CPageAddress::FolderOf(strPath));
    m_strPath = strPath;
    return TRUE;
}

void CHtmlPage::LoadText(const std::string& bytes, const std::string& strBaseFolder)
{
    m_document = CHtmlDocument();
    m_images.Clear();
    m_laidOut = CPageBoxes();
    m_strPath.clear();
    m_strBaseFolder = strBaseFolder;
    CHtmlReader(m_document).Read(bytes);
}

void CHtmlPage::Layout(int nWidth)
{
    CLayoutBuilder(m_document, m_fonts, m_images, m_strBaseFolder).Layout(nWidth, m_laidOut);
}

void CHtmlPage::Paint(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    CHtmlPainter(m_laidOut, m_fonts, m_images).Paint(pDC, rcClip, nScrollY, nFocusLink);
}

BOOL CHtmlPage::ReadFileBytes(const std::string& strPath, size_t nMaxBytes, std::string& bytes)
{
    ScopedHandle file(::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only files on a disk: a device's name (CON, a pipe) could keep a read waiting forever.
    if (!file.IsValid() || ::GetFileType(file) != FILE_TYPE_DISK)
        return FALSE;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart < 0)
        return FALSE;
    size_t nWanted = static_cast<unsigned long long>(size.QuadPart) < nMaxBytes ? static_cast<size_t>(size.QuadPart) : nMaxBytes;
    bytes.assign(nWanted, '\0');
    size_t nRead = 0;
    while (nRead < nWanted) {
        DWORD nChunk = 0;
        DWORD nAsk = static_cast<DWORD>(std::min<size_t>(nWanted - nRead, 1 << 20));
        if (!::ReadFile(file, &bytes[nRead], nAsk, &nChunk, nullptr) || nChunk == 0)
            break;
        nRead += nChunk;
    }
    bytes.resize(nRead);
    return TRUE;
}
