#include "support/RealPointer.h"
#include "framework/window/CClientDC.h"
#include "framework/core/CString.h"
#include "framework/core/ScopedWin.h"

namespace
{
const DWORD kXdotoolTimeoutMs = 5000;

// Wine starts Linux programs given by their Linux path, but hands back no process handle
// to wait on: the shell removes a file once xdotool has ended, and / is drive Z:. The file
// is made with a name no other process holds (process ids repeat across Wine prefixes).
BOOL RunXdotool(const CString& strArguments)
{
    char szDone[MAX_PATH];
    if (!::GetTempFileNameA("Z:\\tmp", "kxd", 0, szDone))
        return FALSE;
    CString strDone(szDone + 2);
    strDone.Replace("\\", "/");
    CString strCommandLine = "/bin/sh -c \"/usr/bin/xdotool " + strArguments + "; rm -f " + strDone + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, strCommandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::DeleteFileA(szDone);
        return FALSE;
    }
    ScopedHandle process(pi.hProcess);
    ScopedHandle thread(pi.hThread);
    for (ULONGLONG nEnd = ::GetTickCount64() + kXdotoolTimeoutMs; ::GetTickCount64() < nEnd; ::Sleep(5)) {
        if (::GetFileAttributesA(szDone) == INVALID_FILE_ATTRIBUTES)
            return TRUE;
    }
    ::DeleteFileA(szDone);
    return FALSE;
}
} // namespace

BOOL MovePointerTo(int x, int y)
{
    CString strArguments;
    strArguments.Format("mousemove %d %d", x, y);
    return RunXdotool(strArguments);
}

BOOL PressLeftButton()
{
    return RunXdotool("mousedown 1");
}

BOOL ReleaseLeftButton()
{
    return RunXdotool("mouseup 1");
}

BOOL ClickAt(POINT pt)
{
    return MovePointerTo(pt.x, pt.y) && PressLeftButton() && ReleaseLeftButton();
}

BOOL PressKeys(const char* pszKeys)
{
    return RunXdotool(CString("key ") + pszKeys);
}

COLORREF ScreenPixel(int x, int y)
{
    CClientDC screen(nullptr);
    return screen.GetPixel(x, y);
}
