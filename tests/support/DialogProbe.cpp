#include "support/DialogProbe.h"

namespace
{
BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = {};
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) &&
        ::GetClassNameA(hWnd, szClass, sizeof(szClass)) && lstrcmpA(szClass, "#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticTextProc(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = {};
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "Static") == 0) {
        int nLength = ::GetWindowTextLengthA(hWnd);
        if (nLength > 0) {
            CString strText;
            ::GetWindowTextA(hWnd, strText.GetBuffer(nLength), nLength + 1);
            strText.ReleaseBuffer();
            CString& strAll = *reinterpret_cast<CString*>(lParam);
            if (!strAll.IsEmpty())
                strAll += "\n";
            strAll += strText;
        }
    }
    return TRUE;
}
} // namespace

HWND FindOwnDialog()
{
    HWND hDlg = nullptr;
    ::EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&hDlg));
    return hDlg;
}

CString GetDialogStaticText(HWND hDlg)
{
    CString strAll;
    ::EnumChildWindows(hDlg, CollectStaticTextProc, reinterpret_cast<LPARAM>(&strAll));
    return strAll;
}

void AnswerDialog(HWND hDlg, int nButtonId)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nButtonId)));
}
