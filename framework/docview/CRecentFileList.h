#pragma once
// The most recently opened files, newest first, kept in the registry below the
// application's key as the values File1, File2, ... of one subkey.
#include "framework/core/CString.h"
#include <vector>

class CRecentFileList
{
public:
    // nSize entries at most, under lpszSection of the application's key.
    CRecentFileList(LPCSTR lpszSection, int nSize) : m_strSection(lpszSection), m_nSize(nSize) {}

    int GetSize() const { return static_cast<int>(m_files.size()); }
    const CString& operator[](int nIndex) const { return m_files.at(static_cast<size_t>(nIndex)); }

    // Puts the file's full path first; an entry of the same file (in any case) moves
    // there, and the oldest falls off when the list is full.
    void Add(LPCSTR lpszPathName);

    // Reads or writes the list under HKEY_CURRENT_USER\<strAppKey>\<section>; writing
    // removes values left over from a longer list.
    void ReadList(const CString& strAppKey);
    BOOL WriteList(const CString& strAppKey) const;

private:
    CString m_strSection;
    int m_nSize;
    std::vector<CString> m_files;
};
