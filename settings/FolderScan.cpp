#include "settings/FolderScan.h"
#include "framework/core/ScopedWin.h"
#include <cstring>

BOOL FolderExists(const char* pszPath)
{
    if (!pszPath || !*pszPath)
        return FALSE;
    // The pattern must fit a MAX_PATH buffer with its terminator; a longer path is no folder of ours.
    size_t nLength = std::strlen(pszPath);
    const char* pszSuffix = pszPath[nLength - 1] == '\\' ? "*" : "\\*";
    if (nLength + std::strlen(pszSuffix) >= MAX_PATH)
        return FALSE;
    char szPattern[MAX_PATH];
    std::memcpy(szPattern, pszPath, nLength);
    std::memcpy(szPattern + nLength, pszSuffix, std::strlen(pszSuffix) + 1);

    WIN32_FIND_DATAA fd;
    ScopedFindHandle hFind(::FindFirstFileA(szPattern, &fd));
    return hFind.IsValid();
}

namespace
{
void CollectBelow(const CString& strRoot, int nDepth, INT_PTR nLast, CStringArray& astrFolders)
{
    WIN32_FIND_DATAA fd;
    ScopedFindHandle hFind(::FindFirstFileA(strRoot + "\\*", &fd));
    if (!hFind.IsValid())
        return;
    do {
        size_t nNameLength = std::strlen(fd.cFileName);
        if (nNameLength == 0 || fd.cFileName[nNameLength - 1] == '.' || (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        CString strPath = strRoot + "\\" + fd.cFileName;
        if (strPath.GetLength() >= MAX_PATH || !FolderExists(strPath))
            continue;
        if (astrFolders.GetSize() >= nLast)
            return;
        astrFolders.Add(strPath);
        if (nDepth < FOLDER_SCAN_MAX_DEPTH)
            CollectBelow(strPath, nDepth + 1, nLast, astrFolders);
    } while (::FindNextFileA(hFind, &fd));
}
} // namespace

BOOL CollectFolders(const char* pszRoot, CStringArray& astrFolders)
{
    if (!pszRoot || !*pszRoot || !FolderExists(pszRoot))
        return FALSE;
    CollectBelow(CString(pszRoot), 1, astrFolders.GetSize() + FOLDER_SCAN_MAX_FOLDERS, astrFolders);
    return TRUE;
}
