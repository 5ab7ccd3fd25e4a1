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

BOOL CollectFolders(const char* pszRoot, CStringArray& astrFolders)
{
    if (!pszRoot || !*pszRoot || !FolderExists(pszRoot))
        return FALSE;

    CString strRoot(pszRoot);
    WIN32_FIND_DATAA fd;
    ScopedFindHandle hFind(::FindFirstFileA(strRoot + "\\*", &fd));
    if (!hFind.IsValid())
        return TRUE;
    do {
        size_t nNameLength = std::strlen(fd.cFileName);
        if (nNameLength == 0 || fd.cFileName[nNameLength - 1] == '.')
            continue;
        CString strPath = strRoot + "\\" + fd.cFileName;
        if (strPath.GetLength() >= MAX_PATH || !FolderExists(strPath))
            continue;
        astrFolders.Add(strPath);
        CollectFolders(strPath, astrFolders);
    } while (::FindNextFileA(hFind, &fd));
    return TRUE;
}
