// Players that misbehave: slow to show their playback, never showing it, hung, slow to
// start, staying after the exit command. Supervision never holds this thread for longer
// than its bounds, and every such player ends.
#include "CVideoPlayerFixture.h"
#include "videoplayer/PlayerProtocol.h"
#include "support/CPingWatch.h"
#include "support/GdiObjectCounter.h"
#include "support/ProcessResources.h"
#include <memory>

namespace
{
// What a call may take beyond its bound on a loaded machine.
const DWORD MARGIN_MS = 2000;
// The longest the user-interface thread may take to answer while players misbehave.
const DWORD UI_ANSWER_MS = 200;
const char HUNG[] = "Hang=60000\r\n";

template <class F> ULONGLONG DurationMs(F f)
{
    ULONGLONG nStart = ::GetTickCount64();
    f();
    return ::GetTickCount64() - nStart;
}

class CVideoPlayerRobustness : public CVideoPlayerTest
{
protected:
    // Waits for the player's frame, with its view unless bWithView is false; returns its
    // process.
    DWORD WaitForFrame(const char* pszName, bool bWithView = true)
    {
        PumpUntil([&] {
            HWND hFrame = FindPlayerFrame();
            return !m_sandbox.StartOf(pszName).empty() && hFrame && (!bWithView || FindPlayerView(hFrame));
        }, START_TIMEOUT_MS);
        return CPlayerSandbox::PidOf(m_sandbox.StartOf(pszName));
    }

    // Waits until the player has stopped handling messages; returns its process.
    DWORD WaitForHang(const char* pszName)
    {
        PumpUntil([&] { return !m_sandbox.Events(pszName, "hangs").empty(); }, START_TIMEOUT_MS);
        return m_sandbox.Events(pszName, "hangs").empty() ? 0 : WaitForFrame(pszName);
    }

    void Tick() { PlayerTimerProc(m_owner, WM_TIMER, 1, 0); }
};

TEST_F(CVideoPlayerRobustness, AViewAppearingTwoSecondsAfterItsFramePlaysToItsEndAndIsThenClosed)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\slow.exe", 1000, "ViewDelay=2000\r\n")));
    DWORD nPid = WaitForFrame("slow", false);
    ASSERT_NE(0u, nPid);

    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nPid, 0); }, 2000 + 1000 + 5000));
    ASSERT_EQ(1u, m_sandbox.Events("slow", "ended").size()) << "closed before its video played";
    EXPECT_EQ(1u, m_sandbox.Events("slow", "exit").size());
    EXPECT_LT(m_sandbox.Events("slow", "ended"), m_sandbox.Events("slow", "exit"));
}

TEST_F(CVideoPlayerRobustness, AFrameWhoseViewNeverAppearsIsClosedAfterTheGracePeriod)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\noview.exe", 1000, "ViewDelay=-1\r\n")));
    DWORD nPid = WaitForFrame("noview", false);
    ASSERT_NE(0u, nPid);
    ULONGLONG nSeen = ::GetTickCount64();

    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nPid, 0); }, PLAYER_VIEW_GRACE_MS + 5000));
    EXPECT_GE(::GetTickCount64() - nSeen, PLAYER_VIEW_GRACE_MS);
    EXPECT_EQ(1u, m_sandbox.Events("noview", "exit").size());
}

TEST_F(CVideoPlayerRobustness, AHungPlayerHoldsUpNothingAtAnyStepAndIsStillEnded)
{
    CPingWatch ping(m_owner);
    // Ended by the first tick after the exit command's bound.
    const DWORD nEndWithinMs = PLAYER_EXIT_TIMEOUT_MS + TICK_TIMEOUT_MS;

    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\hung1.exe", LONG_PLAY_MS, HUNG)));
    DWORD nFirst = WaitForHang("hung1");
    ASSERT_NE(0u, nFirst);
    // A tick shows the frame of a player that answers nothing; Stop tells it to exit.
    Tick();
    m_player.Stop();
    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nFirst, 0); }, nEndWithinMs)) << "Stop left it running";

    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\hung2.exe", LONG_PLAY_MS, HUNG)));
    DWORD nSecond = WaitForHang("hung2");
    ASSERT_NE(0u, nSecond);
    EXPECT_TRUE(m_player.Play(m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS)));
    EXPECT_FALSE(WaitForStart("film1").empty()) << "the next video did not play";
    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nSecond, 0); }, nEndWithinMs)) << "the next Play left it running";
    m_player.Stop();

    // The end of the program, the player object going with a hung player.
    auto pEnding = std::make_unique<CVideoPlayer>();
    pEnding->SetOwner(&m_owner);
    ASSERT_TRUE(pEnding->Play(m_sandbox.Install("Video\\hung3.exe", LONG_PLAY_MS, HUNG)));
    DWORD nThird = WaitForHang("hung3");
    ASSERT_NE(0u, nThird);
    pEnding.reset();
    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nThird, 0); }, 1000)) << "the end of the program left it running";

    EXPECT_LT(ping.Stop(), UI_ANSWER_MS);
}

TEST_F(CVideoPlayerRobustness, AProgramSlowToStartHoldsNothingUp)
{
    CPingWatch ping(m_owner);
    CString strSlow = m_sandbox.Install("Video\\late.exe", LONG_PLAY_MS, "StartDelay=5000\r\n");
    BOOL bPlayed = FALSE;
    EXPECT_LT(DurationMs([&] { bPlayed = m_player.Play(strSlow); }), MARGIN_MS);
    EXPECT_TRUE(bPlayed);
    ASSERT_TRUE(PumpUntil([&] { return !m_sandbox.StartOf("late").empty(); }, START_TIMEOUT_MS));

    EXPECT_LT(DurationMs([&] { Tick(); }), MARGIN_MS);
    EXPECT_LT(DurationMs([&] { m_player.Stop(); }), MARGIN_MS);
    CString strNext = m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS);
    EXPECT_LT(DurationMs([&] { bPlayed = m_player.Play(strNext); }), MARGIN_MS);
    EXPECT_TRUE(bPlayed);
    EXPECT_FALSE(WaitForStart("film1").empty());

    EXPECT_LT(ping.Stop(), MARGIN_MS);
}

TEST_F(CVideoPlayerRobustness, APlayerStayingAfterTheExitCommandIsEnded)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\stay.exe", LONG_PLAY_MS, "IgnoreExit=1\r\n")));
    DWORD nPid = WaitForFrame("stay");
    ASSERT_NE(0u, nPid);
    HWND hFrame = FindPlayerFrame();

    ULONGLONG nStopped = ::GetTickCount64();
    m_player.Stop();
    EXPECT_TRUE(PumpUntil([&] { return !m_sandbox.Events("stay", "exit").empty(); }, TICK_TIMEOUT_MS));
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nPid, 0); }, PLAYER_EXIT_GRACE_MS + 3000));
    EXPECT_GE(::GetTickCount64() - nStopped, PLAYER_EXIT_GRACE_MS - 100);
    EXPECT_EQ(1u, m_sandbox.Events("stay", "exit").size()) << "the exit command went again";
}

TEST_F(CVideoPlayerRobustness, ManyPlayStopCyclesLeaveNothingBehind)
{
    // The counts must come back exactly: a handle, thread, window or GDI object left by each
    // cycle gives +50, far above what the warm-up cycles leave cached.
    const int kCycles = 50;
    CString strPath = m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS);
    // A player stopped before its frame is up would stay: each cycle waits for it, and for
    // its going.
    auto cycle = [&] {
        ASSERT_TRUE(m_player.Play(strPath));
        HWND hFrame = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (hFrame = FindPlayerFrame()) != nullptr; }, START_TIMEOUT_MS));
        m_player.Stop();
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hFrame); }, TICK_TIMEOUT_MS));
    };
    // The tick after a player has gone forgets it.
    auto settle = [&] { PumpUntilDispatched(TickOf(m_owner), TICK_TIMEOUT_MS); };
    // The first launches and windows create what the process keeps for later ones.
    for (int i = 0; i < 3; ++i)
        cycle();
    settle();
    int nHandles = CountKernelHandles(), nGdi = CountGdiObjects(), nWindows = CountOwnWindows();
    int nThreads = CountOwnThreads();

    for (int i = 0; i < kCycles && !HasFatalFailure(); ++i)
        cycle();
    settle();
    EXPECT_EQ(nHandles, CountKernelHandles());
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nThreads, CountOwnThreads());
    for (DWORD nPid : m_sandbox.StartedProcesses())
        EXPECT_TRUE(WaitForProcessEnd(nPid, 1000)) << "player " << nPid << " still runs";
}
} // namespace
