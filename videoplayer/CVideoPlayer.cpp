#include "videoplayer/CVideoPlayer.h"
#include "videoplayer/PlayerProtocol.h"
#include "framework/window/CWnd.h"
#include "framework/core/ScopedWin.h"
#include <algorithm>
#include <cstring>

namespace
{
const WORD LAUNCH_SHOW_COMMAND = SW_SHOWMINNOACTIVE;
// The look for the player's frame after a launch, and its timer on the owner.
const UINT LAUNCH_LOOK_DELAY_MS = 100;
const UINT_PTR LAUNCH_LOOK_TIMER_ID = 2;
const UINT TICK_PERIOD_MS = 1000;
// The player raised again after a click or key on the owner, once the owner's handling of
// it (its activation) is done; its timer on the owner.
const UINT RAISE_DELAY_MS = 100;
const UINT_PTR RAISE_TIMER_ID = 3;

// Every player object, so that a timer finds its player. User-interface thread only.
std::vector<CVideoPlayer*>& Players()
{
    static std::vector<CVideoPlayer*> s_players;
    return s_players;
}

BOOL CALLBACK FindViewProc(HWND hWnd, LPARAM lParam)
{
    char szClass[64];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) && std::strcmp(szClass, PLAYER_VIEW_CLASS) == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    return dwProcessId;
}

// The playback view of the player hFrame: a top-level window of its class in the frame's
// process, or else a window of that class inside the frame.
HWND FindPlaybackView(HWND hFrame)
{
    DWORD dwPlayer = ProcessOf(hFrame);
    for (HWND hView = ::FindWindowExA(nullptr, nullptr, PLAYER_VIEW_CLASS, nullptr); hView;
         hView = ::FindWindowExA(nullptr, hView, PLAYER_VIEW_CLASS, nullptr)) {
        if (ProcessOf(hView) == dwPlayer)
            return hView;
    }
    HWND hView = nullptr;
    ::EnumChildWindows(hFrame, FindViewProc, reinterpret_cast<LPARAM>(&hView));
    return hView;
}

// Ends a player's process through the handle opened when its frame was found; never
// this program.
void EndPlayerProcess(HANDLE hProcess)
{
    if (::GetProcessId(hProcess) != ::GetCurrentProcessId())
        ::TerminateProcess(hProcess, 1);
}

// The exit commands sent so far, each named by its number.
ULONG_PTR g_nLastExitCommand = 0;
} // namespace

CVideoPlayer::CVideoPlayer()
{
    Players().push_back(this);
}

CVideoPlayer::~CVideoPlayer()
{
    ClosePlayerWindow();
    FinishExitingPlayers();
    KillTimer(m_nTickEvent);
    KillTimer(m_nLookEvent);
    KillTimer(m_nRaiseEvent);
    std::vector<CVideoPlayer*>& players = Players();
    players.erase(std::remove(players.begin(), players.end(), this), players.end());
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
    if (!Launch(CommandLineFor(pszPath)))
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
    ScopedHandle hProcess;
    if (HWND hFrame = FindPlayerFrame(&hProcess))
        ExitPlayer(hFrame, std::move(hProcess));
    // The exiting players are watched by the ticks, also once the supervision has ended.
    if (!m_aExiting.empty() && !m_nTickEvent)
        ArmTimer(m_nTickEvent, m_nTimerId, TICK_PERIOD_MS);
}

BOOL CVideoPlayer::Launch(const char* pszCommandLine)
{
    ClosePlayerWindow();
    // Supervision is armed only for a program that started.
    m_bSupervising = FALSE;
    if (!m_job.Start(pszCommandLine, LAUNCH_SHOW_COMMAND))
        return FALSE;
    m_bSupervising = TRUE;
    m_bViewSeen = FALSE;
    m_nFrameSeenAt = 0;
    ArmTimer(m_nLookEvent, LAUNCH_LOOK_TIMER_ID, LAUNCH_LOOK_DELAY_MS);
    // The same window and identifier replace a running timer: there is never more than one.
    ArmTimer(m_nTickEvent, m_nTimerId, TICK_PERIOD_MS);
    return TRUE;
}

void CVideoPlayer::ExitPlayer(HWND hFrame, ScopedHandle hProcess)
{
    ULONG_PTR nCommand = ++g_nLastExitCommand;
    // The answer comes back as a callback while this thread runs its messages.
    if (!::SendMessageCallbackA(hFrame, WM_COMMAND, PLAYER_EXIT_COMMAND, 0, &CVideoPlayer::OnExitTaken, nCommand))
        return;
    m_aExiting.push_back({hFrame, std::move(hProcess), nCommand, ::GetTickCount64(), 0});
}

void CALLBACK CVideoPlayer::OnExitTaken(HWND, UINT, ULONG_PTR dwData, LRESULT)
{
    for (CVideoPlayer* pPlayer : Players()) {
        for (EXITINGPLAYER& player : pPlayer->m_aExiting) {
            if (player.nCommand == dwData && !player.nTakenAt)
                player.nTakenAt = ::GetTickCount64();
        }
    }
}

void CVideoPlayer::WatchExitingPlayers()
{
    ULONGLONG nNow = ::GetTickCount64();
    auto gone = [nNow](const EXITINGPLAYER& player) {
        if (!::IsWindow(player.hFrame))
            return true;
        // Hung or too slow to take the command, or took it and stays.
        BOOL bOverdue = player.nTakenAt ? nNow - player.nTakenAt >= PLAYER_EXIT_GRACE_MS
                                        : nNow - player.nSentAt >= PLAYER_EXIT_TIMEOUT_MS;
        if (!bOverdue)
            return false;
        EndPlayerProcess(player.hProcess);
        return true;
    };
    m_aExiting.erase(std::remove_if(m_aExiting.begin(), m_aExiting.end(), gone), m_aExiting.end());
}

void CVideoPlayer::FinishExitingPlayers()
{
    ULONGLONG nDeadline = ::GetTickCount64() + PLAYER_EXIT_TIMEOUT_MS;
    for (;;) {
        // Sent messages only: what is posted waits for a message loop, if any is left.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        m_aExiting.erase(std::remove_if(m_aExiting.begin(), m_aExiting.end(),
                                        [](const EXITINGPLAYER& player) {
                                            return ::WaitForSingleObject(player.hProcess, 0) != WAIT_TIMEOUT;
                                        }),
                         m_aExiting.end());
        ULONGLONG nNow = ::GetTickCount64();
        if (m_aExiting.empty() || nNow >= nDeadline)
            break;
        std::vector<HANDLE> processes;
        for (const EXITINGPLAYER& player : m_aExiting) {
            if (processes.size() < MAXIMUM_WAIT_OBJECTS - 1)
                processes.push_back(player.hProcess);
        }
        ::MsgWaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), FALSE,
                                    static_cast<DWORD>(nDeadline - nNow), QS_SENDMESSAGE);
    }
    for (const EXITINGPLAYER& player : m_aExiting)
        EndPlayerProcess(player.hProcess);
    m_aExiting.clear();
}

BOOL CVideoPlayer::IsExiting(HWND hFrame) const
{
    return std::any_of(m_aExiting.begin(), m_aExiting.end(),
                       [hFrame](const EXITINGPLAYER& player) { return player.hFrame == hFrame; });
}

HWND CVideoPlayer::FindPlayerFrame(ScopedHandle* phProcess) const
{
    for (HWND hFrame = ::FindWindowExA(nullptr, nullptr, PLAYER_FRAME_CLASS, nullptr); hFrame;
         hFrame = ::FindWindowExA(nullptr, hFrame, PLAYER_FRAME_CLASS, nullptr)) {
        if (IsExiting(hFrame))
            continue;
        ScopedHandle hProcess = m_job.OpenOwnerOf(hFrame);
        if (!hProcess.IsValid())
            continue;
        if (phProcess)
            *phProcess = std::move(hProcess);
        return hFrame;
    }
    return nullptr;
}

void CVideoPlayer::ShowPlayer(HWND hFrame, int nCmdShow) const
{
    ::ShowWindowAsync(hFrame, nCmdShow);
    if (m_bAboveBackdrop)
        ::SetWindowPos(hFrame, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void CVideoPlayer::BringPlayerToFront()
{
    if (!m_bPlaying)
        return;
    RaisePlayer();
    ArmTimer(m_nRaiseEvent, RAISE_TIMER_ID, RAISE_DELAY_MS);
}

void CVideoPlayer::RaisePlayer() const
{
    if (HWND hFrame = FindPlayerFrame())
        ::SetWindowPos(hFrame, m_bAboveBackdrop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

CVideoPlayer* CVideoPlayer::FromTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    for (CVideoPlayer* pPlayer : Players()) {
        if (pPlayer->m_hTimerWnd != hWnd || !nIDEvent)
            continue;
        if (nIDEvent == pPlayer->m_nTickEvent || nIDEvent == pPlayer->m_nLookEvent || nIDEvent == pPlayer->m_nRaiseEvent)
            return pPlayer;
    }
    return nullptr;
}

void CVideoPlayer::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nLookEvent) {
        LookForPlayer();
    } else if (nIDEvent == m_nRaiseEvent) {
        KillTimer(m_nRaiseEvent);
        RaisePlayer();
    } else if (nIDEvent == m_nTickEvent) {
        Tick();
    }
}

void CVideoPlayer::LookForPlayer()
{
    KillTimer(m_nLookEvent);
    if (HWND hFrame = FindPlayerFrame())
        ShowPlayer(hFrame, SW_SHOW);
}

void CVideoPlayer::Tick()
{
    WatchExitingPlayers();
    if (!m_bSupervising) {
        // Supervision is over once the last player told to exit has gone.
        if (m_aExiting.empty())
            KillTimer(m_nTickEvent);
        return;
    }
    ScopedHandle hProcess;
    HWND hFrame = FindPlayerFrame(&hProcess);
    if (!hFrame)
        return;
    if (FindPlaybackView(hFrame)) {
        // Restored and shown while it plays, also after the user minimised it.
        m_bViewSeen = TRUE;
        ShowPlayer(hFrame, SW_SHOWNORMAL);
        return;
    }
    // A frame without its view: the playback has ended, or, for a view never seen, has not
    // begun yet; a slow player gets its grace period.
    ULONGLONG nNow = ::GetTickCount64();
    if (!m_bViewSeen) {
        if (!m_nFrameSeenAt)
            m_nFrameSeenAt = nNow;
        if (nNow - m_nFrameSeenAt < PLAYER_VIEW_GRACE_MS)
            return;
    }
    // The player exits, and supervision ends with it.
    m_bSupervising = FALSE;
    m_bPlaying = FALSE;
    ExitPlayer(hFrame, std::move(hProcess));
    if (m_aExiting.empty())
        KillTimer(m_nTickEvent);
}

void CVideoPlayer::ArmTimer(UINT_PTR& nEvent, UINT_PTR nIDEvent, UINT nPeriodMs)
{
    // Without an owner the timer belongs to the thread, which picks its identifier.
    HWND hWnd = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    if (hWnd != m_hTimerWnd) {
        KillTimer(m_nTickEvent);
        KillTimer(m_nLookEvent);
        KillTimer(m_nRaiseEvent);
        m_hTimerWnd = hWnd;
    }
    nEvent = ::SetTimer(hWnd, hWnd ? nIDEvent : nEvent, nPeriodMs, PlayerTimerProc);
}

void CVideoPlayer::KillTimer(UINT_PTR& nEvent)
{
    if (nEvent)
        ::KillTimer(m_hTimerWnd, nEvent);
    nEvent = 0;
}

void CALLBACK PlayerTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (CVideoPlayer* pPlayer = CVideoPlayer::FromTimer(hWnd, nIDEvent))
        pPlayer->OnTimer(nIDEvent);
    else
        ::KillTimer(hWnd, nIDEvent);
}
