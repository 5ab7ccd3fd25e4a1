#include "support/RealPointer.h"
#include "framework/window/CClientDC.h"
#include "framework/core/CString.h"
#include "framework/core/ScopedWin.h"

namespace
{
const DWORD kXdotoolTimeoutMs = 5000;

// Wine starts Linux programs given by their Linux path, but hands back no process handle
// to wait on: the shell leaves a file behind once xdotool has ended, and / is drive Z:.
BOOL RunXdotool(const CString& strArguments)
{
    static int s_nRun = 0;
    CString strDone;
    strDone.Format("/tmp/kelo-xdotool-%lu-%d", ::GetCurrentProcessId(), ++s_nRun);
    CString strWindowsDone = "Z:" + strDone;
    strWindowsDone.Replace("/", "\\");
    CString strCommandLine = "/bin/sh -c \"/usr/bin/xdotool " + strArguments + "; : > " + strDone + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, strCommandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return FALSE;
    ScopedHandle process(pi.hProcess);
    ScopedHandle thread(pi.hThread);
    for (ULONGLONG nEnd = ::GetTickCount64() + kXdotoolTimeoutMs; ::GetTickCount64() < nEnd; ::Sleep(5)) {
        if (::GetFileAttributesA(strWindowsDone) != INVALID_FILE_ATTRIBUTES) {
            ::DeleteFileA(strWindowsDone);
            return TRUE;
        }
    }
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
