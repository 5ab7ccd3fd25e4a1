#include "pageengine/io/CKioskFolder.h"
#include "framework/core/ScopedWin.h"
#include <algorithm>
#include <cstring>

namespace
{
// Read in steps, so that no single read asks for more than this.
const DWORD kReadStep = 1 << 20;

bool StartsWithNoCase(const std::string& str, const std::string& strPrefix)
{
    return str.size() >= strPrefix.size() &&
           ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, str.data(), static_cast<int>(strPrefix.size()),
                            strPrefix.data(), static_cast<int>(strPrefix.size())) == CSTR_EQUAL;
}

std::string WholePath(const std::string& strPath)
{
    if (strPath.empty() || strPath.find('\0') != std::string::npos)
        return std::string();
    char szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameA(strPath.c_str(), MAX_PATH, szFull, nullptr);
    if (nLength == 0 || nLength >= MAX_PATH)
        return std::string();
    return std::string(szFull, nLength);
}

// Whether a path's name (CON, com1.txt, "nul .bmp") is one of the devices every folder holds.
bool IsDeviceName(const std::string& strName)
{
    std::string strBase = strName.substr(0, strName.find('.'));
    while (!strBase.empty() && (strBase.back() == ' ' || strBase.back() == '.'))
        strBase.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* pszDevice : kDevices)
        if (::lstrcmpiA(strBase.c_str(), pszDevice) == 0)
            return true;
    return strBase.size() == 4 && (StartsWithNoCase(strBase, "COM") || StartsWithNoCase(strBase, "LPT")) &&
           strBase[3] >= '0' && strBase[3] <= '9';
}

// The path a handle has reached after every link, in the \\?\ form, empty when unknown.
std::string FinalPathOf(HANDLE hFile)
{
    char szFinal[MAX_PATH];
    DWORD nLength = ::GetFinalPathNameByHandleA(hFile, szFinal, MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (nLength == 0 || nLength >= MAX_PATH)
        return std::string();
    return std::string(szFinal, nLength);
}
} // namespace

CKioskFolder::CKioskFolder(const std::string& strFolder)
{
    std::string strWhole = WholePath(strFolder);
    if (strWhole.empty() || StartsWithNoCase(strWhole, "\\\\.\\") || StartsWithNoCase(strWhole, "\\\\?\\"))
        return;
    if (strWhole.back() != '\\')
        strWhole += '\\';
    m_strFolder = strWhole;
}

std::string CKioskFolder::Admit(const std::string& strPath) const
{
    std::string strWhole = WholePath(strPath);
    if (!IsSet() || strWhole.size() <= m_strFolder.size() || !StartsWithNoCase(strWhole, m_strFolder))
        return std::string();
    // Below the folder: plain names only, no stream (name:stream), no device.
    std::string strRest = strWhole.substr(m_strFolder.size());
    if (strRest.find_first_of(":*?\"<>|") != std::string::npos)
        return std::string();
    for (size_t nStart = 0; nStart <= strRest.size();) {
        size_t nEnd = std::min(strRest.find('\\', nStart), strRest.size());
        if (IsDeviceName(strRest.substr(nStart, nEnd - nStart)))
            return std::string();
        nStart = nEnd + 1;
    }
    return strWhole;
}

BOOL CKioskFolder::ReadFile(const std::string& strPath, size_t nMaxBytes, std::string& bytes, size_t nRoomPast) const
{
    bytes.clear();
    std::string strWhole = Admit(strPath);
    if (strWhole.empty())
        return FALSE;
    ScopedHandle file(::CreateFileA(strWhole.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only files on a disk: a pipe or a device could keep a read waiting forever.
    if (!file.IsValid() || ::GetFileType(file) != FILE_TYPE_DISK)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!::GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    // Where the file really is, links followed, against where the folder really is.
    ScopedHandle folder(::CreateFileA(m_strFolder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::string strFinalFolder = folder.IsValid() ? FinalPathOf(folder) : std::string();
    std::string strFinalFile = FinalPathOf(file);
    if (strFinalFolder.empty() || strFinalFile.empty())
        return FALSE;
    if (strFinalFolder.back() != '\\')
        strFinalFolder += '\\';
    if (strFinalFile.size() <= strFinalFolder.size() || !StartsWithNoCase(strFinalFile, strFinalFolder))
        return FALSE;

    unsigned long long nSize = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    size_t nWanted = nSize < nMaxBytes ? static_cast<size_t>(nSize) : nMaxBytes;
    if (nRoomPast > 0)
        bytes.reserve(nWanted + nRoomPast);
    bytes.assign(nWanted, '\0');
    size_t nRead = 0;
    while (nRead < nWanted) {
        DWORD nChunk = 0;
        DWORD nAsk = static_cast<DWORD>(std::min<size_t>(nWanted - nRead, kReadStep));
        if (!::ReadFile(file, &bytes[nRead], nAsk, &nChunk, nullptr) || nChunk == 0)
            break;
        nRead += nChunk;
    }
    bytes.resize(nRead);
    return TRUE;
}
