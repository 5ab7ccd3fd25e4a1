#include "support/CTempFolder.h"
#include "framework/core/ScopedWin.h"
#include <fstream>
#include <iterator>
#include <string>

namespace
{
void CreateFolders(const CString& strPath)
{
    for (int i = strPath.Find('\\', 3); i >= 0; i = strPath.Find('\\', i + 1))
        ::CreateDirectoryA(strPath.Left(i), nullptr);
    ::CreateDirectoryA(strPath, nullptr);
}
} // namespace

CTempFolder::CTempFolder(const char* pszPrefix)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    static LONG s_nCounter = 0;
    for (;;) {
        CString strPath;
        strPath.Format("%s%s-%lu-%ld\\", szTemp, pszPrefix, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nCounter));
        if (::CreateDirectoryA(strPath, nullptr)) {
            m_strPath = strPath;
            break;
        }
    }
}

CTempFolder::~CTempFolder()
{
    DeleteTree(m_strPath);
}

CString CTempFolder::MakeFolder(const char* pszRelative) const
{
    CString strPath = m_strPath + pszRelative;
    CreateFolders(strPath);
    return strPath;
}

CString CTempFolder::WriteFile(const char* pszRelative, const std::string& bytes) const
{
    CString strPath = m_strPath + pszRelative;
    int nSlash = strPath.ReverseFind('\\');
    CreateFolders(strPath.Left(nSlash));
    WriteFileBytes(strPath, bytes);
    return strPath;
}

BOOL WriteFileBytes(const CString& strPath, const std::string& bytes)
{
    ScopedHandle hFile(::CreateFileA(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.IsValid())
        return FALSE;
    DWORD nWritten = 0;
    if (!bytes.empty())
        ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr);
    return TRUE;
}

std::string ReadFileBytes(const CString& strPath)
{
    std::ifstream file(strPath.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

namespace
{
// Wide-character \\?\ paths reach folders deeper than MAX_PATH, which tests create.
void DeleteTreeW(const std::wstring& wstrFolder)
{
    WIN32_FIND_DATAW fd;
    {
        ScopedFindHandle hFind(::FindFirstFileW((wstrFolder + L"\\*").c_str(), &fd));
        if (!hFind.IsValid())
            return;
        do {
            std::wstring wstrName = fd.cFileName;
            if (wstrName == L"." || wstrName == L"..")
                continue;
            std::wstring wstrPath = wstrFolder + L"\\" + wstrName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link goes, never what it leads to (it may lead back up the tree).
                if (!::RemoveDirectoryW(wstrPath.c_str()))
                    ::DeleteFileW(wstrPath.c_str());
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTreeW(wstrPath);
            } else {
                ::SetFileAttributesW(wstrPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(wstrPath.c_str());
            }
        } while (::FindNextFileW(hFind, &fd));
    }
    ::RemoveDirectoryW(wstrFolder.c_str());
}
} // namespace

void DeleteTree(const CString& strFolder)
{
    CString strBase = strFolder;
    while (!strBase.IsEmpty() && strBase[strBase.GetLength() - 1] == '\\')
        strBase = strBase.Left(strBase.GetLength() - 1);
    if (strBase.IsEmpty())
        return;
    int nLength = ::MultiByteToWideChar(CP_ACP, 0, strBase, -1, nullptr, 0);
    std::wstring wstrPath(static_cast<size_t>(nLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strBase, -1, &wstrPath[0], nLength);
    wstrPath.resize(static_cast<size_t>(nLength - 1));
    DeleteTreeW(L"\\\\?\\" + wstrPath);
}
