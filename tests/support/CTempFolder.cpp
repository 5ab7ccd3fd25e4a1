#include "support/CTempFolder.h"
#include "framework/ScopedWin.h"

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
    ScopedHandle hFile(::CreateFileA(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD nWritten = 0;
    if (hFile.IsValid() && !bytes.empty())
        ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr);
    return strPath;
}

void DeleteTree(const CString& strFolder)
{
    CString strBase = strFolder;
    if (strBase.IsEmpty())
        return;
    if (strBase[strBase.GetLength() - 1] != '\\')
        strBase += '\\';
    WIN32_FIND_DATAA fd;
    {
        ScopedFindHandle hFind(::FindFirstFileA(strBase + "*", &fd));
        if (hFind.IsValid()) {
            do {
                CString strName = fd.cFileName;
                if (strName == "." || strName == "..")
                    continue;
                CString strPath = strBase + strName;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    DeleteTree(strPath);
                } else {
                    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileA(strPath);
                }
            } while (::FindNextFileA(hFind, &fd));
        }
    }
    ::RemoveDirectoryA(strBase);
}
