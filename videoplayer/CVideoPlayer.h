#pragma once
// Supervision of the outside video player. A video is a program that, started with the
// switch " /s", opens the player; the player is known only by its window classes and its
// exit command. While the playback view exists the player's frame is kept shown; once the
// view has gone (the playback has ended) the player is told to exit.
//
// Only players of the videos started here are supervised, told to exit or ended: those in
// the job of the video programs (CPlayerJob). A player another program started is never
// touched, and a process is ended only through the handle opened when its frame was found.
//
// Nothing here makes the user-interface thread wait on a player (PlayerProtocol.h has the
// bounds): the program is started without waiting for it, shows are asynchronous, and the
// exit command is sent without waiting for its answer; the ticks end a player that has not
// taken it in time, or took it and stays. Only the end of the program waits for players,
// within the same bound, answering the messages other threads send meanwhile.
#include "videoplayer/CPlayerJob.h"
#include "framework/core/CString.h"
#include <windows.h>
#include <vector>

class CWnd;

class CVideoPlayer
{
public:
    CVideoPlayer();
    // A player still open when the program ends is told to exit, within the same bound.
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
    // From a Play that started its program until Stop, or until the tick that finds the
    // playback over.
    virtual BOOL IsPlaying() const { return m_bPlaying; }
    // Puts the playing player's frame in front of every window of its band (the topmost one
    // above a backdrop), without activating it and without waiting for the player, at once
    // and again shortly after: the program calls it on the visitor's clicks and keys, whose
    // handling (activation, under Wine after the message is taken) brings its own window in
    // front.
    void BringPlayerToFront();
    // With a backdrop over the desktop (always on top), the player is kept above it too.
    void SetAboveBackdrop(BOOL bAbove) { m_bAboveBackdrop = bAbove; }

    // The video program's command line: the path, quoted when it holds blanks (an unquoted
    // "C:\Mon Kiosque\..." would start "C:\Mon.exe" if there were one), then the switch.
    static CString CommandLineFor(const char* pszPath);

    // The player whose timer (window and identifier) this is, or null.
    static CVideoPlayer* FromTimer(HWND hWnd, UINT_PTR nIDEvent);
    // A tick of one of its timers: the supervision tick, the look for the player's frame
    // shortly after a launch, or the raising shortly after a click or key.
    void OnTimer(UINT_PTR nIDEvent);
    // The answer to an exit command: dwData names the command.
    static void CALLBACK OnExitTaken(HWND hWnd, UINT nMsg, ULONG_PTR dwData, LRESULT lResult);

private:
    // A player told to exit whose frame has not gone yet.
    struct EXITINGPLAYER
    {
        HWND hFrame;
        ScopedHandle hProcess;   // opened when the frame was found
        ULONG_PTR nCommand;      // names the command for OnExitTaken
        ULONGLONG nSentAt;
        ULONGLONG nTakenAt;      // 0 until the player has taken the command
    };

    // Sends the exit command to the player's frame, if there is one (ExitPlayer).
    void ClosePlayerWindow();
    // Starts the command line and, when it started, arms the timers; FALSE when the program
    // did not start.
    BOOL Launch(const char* pszCommandLine);
    // Sends the exit command and returns at once; the ticks watch the player from then on.
    void ExitPlayer(HWND hFrame, ScopedHandle hProcess);
    // Forgets exiting players whose frame has gone, and ends those overdue.
    void WatchExitingPlayers();
    // At the end: waits for the exiting players' processes within the exit bound, then ends
    // those left.
    void FinishExitingPlayers();
    BOOL IsExiting(HWND hFrame) const;
    // The first frame of a player in the job that has not been told to exit yet, or null;
    // its process, opened, in *phProcess when given.
    HWND FindPlayerFrame(ScopedHandle* phProcess = nullptr) const;
    // Shown, restored and, above a backdrop, on top; without waiting for the player.
    void ShowPlayer(HWND hFrame, int nCmdShow) const;
    void Tick();
    void LookForPlayer();
    // The raising itself, for BringPlayerToFront and its timer.
    void RaisePlayer() const;

    // nEvent: the running timer's identifier, replaced by the new one.
    void ArmTimer(UINT_PTR& nEvent, UINT_PTR nIDEvent, UINT nPeriodMs);
    void KillTimer(UINT_PTR& nEvent);

    CWnd* m_pOwner = nullptr;
    UINT m_nTimerId = 1;
    BOOL m_bPlaying = FALSE;
    BOOL m_bAboveBackdrop = FALSE;
    CPlayerJob m_job;
    // From a launch until the tick that finds the playback over.
    BOOL m_bSupervising = FALSE;
    // Whether the launched player's view has been seen, and when its frame was first seen
    // without it (0: not yet).
    BOOL m_bViewSeen = FALSE;
    ULONGLONG m_nFrameSeenAt = 0;
    std::vector<EXITINGPLAYER> m_aExiting;
    // The window the timers run on, and the running timers' identifiers (0: not running).
    HWND m_hTimerWnd = nullptr;
    UINT_PTR m_nTickEvent = 0;
    UINT_PTR m_nLookEvent = 0;
    UINT_PTR m_nRaiseEvent = 0;
};

// The procedure of the player's timers: hands the tick to the player whose timer it is.
void CALLBACK PlayerTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

// The program's one player, defined beside the application object so that it is
// destroyed first.
extern CVideoPlayer g_videoPlayer;
