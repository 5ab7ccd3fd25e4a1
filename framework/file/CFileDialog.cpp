#include "framework/file/CFileDialog.h"
#include "framework/window/CWnd.h"
#include <cstring>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt)
{
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);

    // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
    if (lpszFilter && *lpszFilter) {
        std::string filter(lpszFilter);
        for (char& ch : filter) {
            if (ch == '|')
                ch = '\0';
        }
        filter += '\0';
        m_strFilter = CString(filter.data(), static_cast<int>(filter.size()));
    }

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strFilter);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strDefExt);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    // The dialog library (and the shell libraries it brings) is loaded only when a dialog
    // opens: imported, it would be loaded at every start of the program.
    using FileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
    HMODULE hDialogs = ::LoadLibraryA("comdlg32.dll");
    if (!hDialogs)
        return IDCANCEL;
    auto pfnShow = reinterpret_cast<FileNameFunction>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(hDialogs, m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA")));
    BOOL bOk = pfnShow ? pfnShow(&m_ofn) : FALSE;
    ::FreeLibrary(hDialogs);
    return bOk ? IDOK : IDCANCEL;
}
