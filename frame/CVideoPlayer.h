#pragma once
// Supervision of the outside video player. A video is a program that, started with the
// switch " /s", opens the player; the player is known only by its window classes and its
// exit command. While the playback view exists the player's frame is kept shown; once the
// view has gone (the playback has ended) the player is told to exit.
#include "framework/CString.h"
#include <windows.h>

class CWnd;

class CVideoPlayer
{
public:
    CVideoPlayer();
    // A player still open when the program ends is told to exit.
    virtual ~CVideoPlayer();
    CVideoPlayer(const CVideoPlayer&) = delete;
    CVideoPlayer& operator=(const CVideoPlayer&) = delete;

    // The window that owns the supervision timer; not owned. Always TRUE.
    BOOL SetOwner(CWnd* pOwner);
    CWnd* GetOwner() const { return m_pOwner; }
    // Closes any open player, starts the video program at pszPath and supervises it.
    // FALSE when the program could not be started, and for an empty path or one holding
    // a quote (which nothing is started for).
    BOOL Play(const char* pszPath);
    // Tells an open player to exit. The supervision timer keeps running with nothing to find.
    void Stop();
    virtual BOOL IsPlaying() const { return m_bPlaying; }

    // The video program's command line: the path, quoted when it holds blanks (an unquoted
    // "C:\Mon Kiosque\..." would start "C:\Mon.exe" if there were one), then the switch.
    static CString CommandLineFor(const char* pszPath);

private:
    // Sends the exit command to the player's frame, if there is one, and waits until the
    // player has handled it.
    void ClosePlayerWindow();
    // Starts the command line and arms the timer; returns WinExec's result.
    UINT Launch(const char* pszCommandLine);

    CWnd* m_pOwner = nullptr;
    UINT m_nTimerId = 1;
    BOOL m_bPlaying = FALSE;
};

// The supervision tick, every second on the timer's window.
void CALLBACK PlayerTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

// The program's one player, defined beside the application object so that it is
// destroyed first.
extern CVideoPlayer g_videoPlayer;
