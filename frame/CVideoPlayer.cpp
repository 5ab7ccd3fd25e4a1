#include "frame/CVideoPlayer.h"
#include "frame/PlayerProtocol.h"
#include "framework/CWnd.h"
#include <cstring>

namespace
{
const UINT LAUNCH_SHOW_COMMAND = SW_SHOWMINNOACTIVE;
const DWORD LAUNCH_PAUSE_MS = 100;
const UINT TICK_PERIOD_MS = 1000;

BOOL CALLBACK FindViewProc(HWND hWnd, LPARAM lParam)
{
    char szClass[64];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) && std::strcmp(szClass, PLAYER_VIEW_CLASS) == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The playback view: a top-level window of its class, or else a window of that class
// inside the player's frame.
HWND FindPlaybackView(HWND hFrame)
{
    HWND hView = ::FindWindowA(PLAYER_VIEW_CLASS, nullptr);
    if (!hView && hFrame)
        ::EnumChildWindows(hFrame, FindViewProc, reinterpret_cast<LPARAM>(&hView));
    return hView;
}

void SendExitCommand(HWND hFrame)
{
    ::SendMessageA(hFrame, WM_COMMAND, PLAYER_EXIT_COMMAND, 0);
}
} // namespace

CVideoPlayer::CVideoPlayer() = default;

CVideoPlayer::~CVideoPlayer()
{
    ClosePlayerWindow();
}

BOOL CVideoPlayer::SetOwner(CWnd* pOwner)
{
    m_pOwner = pOwner;
    return TRUE;
}

CString CVideoPlayer::CommandLineFor(const char* pszPath)
{
    CString strPath(pszPath);
    if (strPath.Find(' ') >= 0 || strPath.Find('\t') >= 0)
        strPath = "\"" + strPath + "\"";
    return strPath + PLAYER_SWITCH;
}

BOOL CVideoPlayer::Play(const char* pszPath)
{
    // A quote cannot be part of a file name; in a path it could only smuggle in arguments.
    if (!pszPath || !*pszPath || std::strchr(pszPath, '"'))
        return FALSE;
    if (Launch(CommandLineFor(pszPath)) <= 31)
        return FALSE;
    m_bPlaying = TRUE;
    return TRUE;
}

void CVideoPlayer::Stop()
{
    ClosePlayerWindow();
    m_bPlaying = FALSE;
}

void CVideoPlayer::ClosePlayerWindow()
{
    HWND hFrame = ::FindWindowA(PLAYER_FRAME_CLASS, nullptr);
    if (hFrame)
        SendExitCommand(hFrame);
}

UINT CVideoPlayer::Launch(const char* pszCommandLine)
{
    ClosePlayerWindow();
    UINT nResult = ::WinExec(pszCommandLine, LAUNCH_SHOW_COMMAND);
    ::Sleep(LAUNCH_PAUSE_MS);
    HWND hFrame = ::FindWindowA(PLAYER_FRAME_CLASS, nullptr);
    if (hFrame)
        ::ShowWindow(hFrame, SW_SHOW);
    // Armed whatever the launch gave: the same window and identifier replace a running
    // timer, so there is never more than one.
    ::SetTimer(m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr, m_nTimerId, TICK_PERIOD_MS, PlayerTimerProc);
    return nResult;
}

void CALLBACK PlayerTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hFrame = ::FindWindowA(PLAYER_FRAME_CLASS, nullptr);
    if (!hFrame)
        return;
    if (FindPlaybackView(hFrame)) {
        // Restored and shown while it plays, also after the user minimised it.
        ::ShowWindow(hFrame, SW_SHOWNORMAL);
        return;
    }
    // The playback has ended: the player exits, and supervision ends with it.
    SendExitCommand(hFrame);
    ::KillTimer(hWnd, nIDEvent);
}
