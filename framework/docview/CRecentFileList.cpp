#include "framework/docview/CRecentFileList.h"
#include "framework/file/CFile.h"
#include "framework/core/ScopedWin.h"
#include <cstdio>
#include <vector>

namespace
{
CString EntryName(int nIndex)
{
    char szName[16];
    std::snprintf(szName, sizeof(szName), "File%d", nIndex + 1);
    return szName;
}
} // namespace

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize <= 0)
        return;
    CString strPath = CFile::FullPathName(lpszPathName);
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        if (lstrcmpiA(*it, strPath) == 0) {
            m_files.erase(it);
            break;
        }
    }
    m_files.insert(m_files.begin(), strPath);
    if (m_files.size() > static_cast<size_t>(m_nSize))
        m_files.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::ReadList(const CString& strAppKey)
{
    m_files.clear();
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strAppKey + "\\" + m_strSection, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    ScopedRegKey key(hKey);
    for (int i = 0; i < m_nSize; ++i) {
        DWORD dwType = 0;
        DWORD cbData = 0;
        CString strName = EntryName(i);
        if (::RegQueryValueExA(key, strName, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS || dwType != REG_SZ)
            continue;
        std::vector<BYTE> data(cbData + 1);
        if (::RegQueryValueExA(key, strName, nullptr, &dwType, data.data(), &cbData) != ERROR_SUCCESS)
            continue;
        data[cbData] = 0;
        CString strPath(reinterpret_cast<const char*>(data.data()));
        if (!strPath.IsEmpty())
            m_files.push_back(strPath);
    }
}

BOOL CRecentFileList::WriteList(const CString& strAppKey) const
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, strAppKey + "\\" + m_strSection, 0, nullptr, 0, KEY_WRITE, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    ScopedRegKey key(hKey);
    BOOL bOk = TRUE;
    for (int i = 0; i < m_nSize; ++i) {
        CString strName = EntryName(i);
        if (i < GetSize()) {
            const CString& strPath = m_files[static_cast<size_t>(i)];
            bOk &= ::RegSetValueExA(key, strName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strPath.GetString()),
                                    static_cast<DWORD>(strPath.GetLength() + 1)) == ERROR_SUCCESS;
        } else {
            ::RegDeleteValueA(key, strName);
        }
    }
    return bOk;
}
