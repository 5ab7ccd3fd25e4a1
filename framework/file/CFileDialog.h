#pragma once
// The system's open or save dialog. The filter is "text|pattern|text|pattern||", as the
// framework writes it.
#include "framework/core/CString.h"
#include <commdlg.h>

class CWnd;

class CFileDialog
{
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_szFileName; }

    OPENFILENAMEA m_ofn = {};

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter; // the patterns separated by NUL characters, ending in two
    char m_szFileName[MAX_PATH] = {};
};
