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

// The playback view: a top-level window of its class, or else a window of that class
// inside the player's frame.
HWND FindPlaybackView(HWND hFrame)
{
    HWND hView = ::FindWindowA(PLAYER_VIEW_CLASS, nullptr);
    if (!hView && hFrame)
        ::EnumChildWindows(hFrame, FindViewProc, reinterpret_cast<LPARAM>(&hView));
    return hView;
}

// Starts the command line without waiting for the program: a program slow to reach its
// message loop must not hold this thread.
BOOL StartProgram(const char* pszCommandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = LAUNCH_SHOW_COMMAND;
    PROCESS_INFORMATION pi = {};
    // CreateProcessA may write into the command line it is given.
    std::vector<char> commandLine(pszCommandLine, pszCommandLine + std::strlen(pszCommandLine) + 1);
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return FALSE;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}

// Ends the process dwProcessId if it still owns hFrame; never this program.
void EndPlayerProcess(HWND hFrame, DWORD dwProcessId)
{
    DWORD dwOwner = 0;
    if (!::IsWindow(hFrame) || !::GetWindowThreadProcessId(hFrame, &dwOwner) || dwOwner != dwProcessId ||
        dwOwner == ::GetCurrentProcessId())
        return;
    ScopedHandle hProcess(::OpenProcess(PROCESS_TERMINATE, FALSE, dwOwner));
    if (hProcess.IsValid())
        ::TerminateProcess(hProcess, 1);
}
} // namespace

CVideoPlayer::CVideoPlayer()
{
    Players().push_back(this);
}

CVideoPlayer::~CVideoPlayer()
{
    KillTimer(m_nTickEvent);
    KillTimer(m_nLookEvent);
    ClosePlayerWindow();
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
    // A player that took the command is watched until it has gone, also when the
    // supervision had already ended.
    if (!m_aExiting.empty() && !m_nTickEvent)
        ArmTimer(m_nTickEvent, m_nTimerId, TICK_PERIOD_MS);
    m_bPlaying = FALSE;
}

void CVideoPlayer::ClosePlayerWindow()
{
    if (HWND hFrame = FindPlayerFrame())
        ExitPlayer(hFrame);
}

BOOL CVideoPlayer::Launch(const char* pszCommandLine)
{
    ClosePlayerWindow();
    BOOL bStarted = StartProgram(pszCommandLine);
    m_bSupervising = TRUE;
    m_bViewSeen = FALSE;
    m_nFrameSeenAt = 0;
    ArmTimer(m_nLookEvent, LAUNCH_LOOK_TIMER_ID, LAUNCH_LOOK_DELAY_MS);
    // Armed whatever the launch gave: the same window and identifier replace a running
    // timer, so there is never more than one.
    ArmTimer(m_nTickEvent, m_nTimerId, TICK_PERIOD_MS);
    return bStarted;
}

void CVideoPlayer::ExitPlayer(HWND hFrame)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hFrame, &dwProcessId);
    DWORD_PTR dwResult = 0;
    if (!::SendMessageTimeoutA(hFrame, WM_COMMAND, PLAYER_EXIT_COMMAND, 0, SMTO_ABORTIFHUNG, PLAYER_EXIT_TIMEOUT_MS,
                               &dwResult)) {
        // Hung, or too slow to answer: ended, and the supervision goes on as if it had exited.
        EndPlayerProcess(hFrame, dwProcessId);
        return;
    }
    if (::IsWindow(hFrame) && !IsExiting(hFrame))
        m_aExiting.push_back({hFrame, dwProcessId, ::GetTickCount64()});
}

void CVideoPlayer::WatchExitingPlayers()
{
    ULONGLONG nNow = ::GetTickCount64();
    auto gone = [nNow](const EXITINGPLAYER& player) {
        if (!::IsWindow(player.hFrame))
            return true;
        if (nNow - player.nSentAt < PLAYER_EXIT_GRACE_MS)
            return false;
        EndPlayerProcess(player.hFrame, player.dwProcessId);
        return true;
    };
    m_aExiting.erase(std::remove_if(m_aExiting.begin(), m_aExiting.end(), gone), m_aExiting.end());
}

BOOL CVideoPlayer::IsExiting(HWND hFrame) const
{
    return std::any_of(m_aExiting.begin(), m_aExiting.end(),
                       [hFrame](const EXITINGPLAYER& player) { return player.hFrame == hFrame; });
}

HWND CVideoPlayer::FindPlayerFrame() const
{
    HWND hFrame = nullptr;
    do
        hFrame = ::FindWindowExA(nullptr, hFrame, PLAYER_FRAME_CLASS, nullptr);
    while (hFrame && IsExiting(hFrame));
    return hFrame;
}

CVideoPlayer* CVideoPlayer::FromTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    for (CVideoPlayer* pPlayer : Players()) {
        if (pPlayer->m_hTimerWnd == hWnd && nIDEvent && (nIDEvent == pPlayer->m_nTickEvent || nIDEvent == pPlayer->m_nLookEvent))
            return pPlayer;
    }
    return nullptr;
}

void CVideoPlayer::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nLookEvent)
        LookForPlayer();
    else if (nIDEvent == m_nTickEvent)
        Tick();
}

void CVideoPlayer::LookForPlayer()
{
    KillTimer(m_nLookEvent);
    if (HWND hFrame = FindPlayerFrame())
        ::ShowWindowAsync(hFrame, SW_SHOW);
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
    HWND hFrame = FindPlayerFrame();
    if (!hFrame)
        return;
    if (FindPlaybackView(hFrame)) {
        // Restored and shown while it plays, also after the user minimised it.
        m_bViewSeen = TRUE;
        ::ShowWindowAsync(hFrame, SW_SHOWNORMAL);
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
    ExitPlayer(hFrame);
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
