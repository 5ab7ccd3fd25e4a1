// Supervision of real stand-in players, started and closed through their windows; players
// that another program started are left alone.
#include "CVideoPlayerFixture.h"
#include <string>

namespace
{
// Starts a copy of the stand-in playing, as another program than the player object would.
ScopedHandle StartForeignPlayer(const CString& strExe)
{
    std::string strCommandLine = "\"" + strExe.str() + "\" /s";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &strCommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return ScopedHandle();
    ::CloseHandle(pi.hThread);
    return ScopedHandle(pi.hProcess);
}

TEST_F(CVideoPlayerTest, PlayStartsTheProgramWithTheSwitchAndStopClosesIt)
{
    CString strPath = m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS);
    ASSERT_LT(strPath.Find(' '), 0);
    EXPECT_FALSE(m_player.IsPlaying());

    ASSERT_TRUE(m_player.Play(strPath));
    EXPECT_TRUE(m_player.IsPlaying());
    std::string strStart = WaitForStart("film1");
    ASSERT_FALSE(strStart.empty());
    EXPECT_EQ(CPlayerSandbox::CommandLineOf(strStart), (strPath + " /s").str());
    EXPECT_EQ(CPlayerSandbox::ShowOf(strStart), SW_SHOWMINNOACTIVE);
    HWND hFrame = FindPlayerFrame();
    ASSERT_NE(hFrame, nullptr);

    m_player.Stop();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hFrame); }, TICK_TIMEOUT_MS)) << "the player did not exit";
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);
    EXPECT_TRUE(WaitForProcessEnd(CPlayerSandbox::PidOf(strStart), 3000));

    // The timer goes on ticking with nothing to find; a further Stop sends nothing.
    EXPECT_TRUE(PumpUntilDispatched(TickOf(m_owner), TICK_TIMEOUT_MS));
    m_player.Stop();
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);
}

TEST_F(CVideoPlayerTest, EachTickShowsThePlayerInItsNormalSizeWhileItPlays)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS)));
    ASSERT_FALSE(WaitForStart("film1").empty());
    HWND hFrame = FindPlayerFrame();
    // Started minimised without activation; the first tick restores it.
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hFrame) && !::IsIconic(hFrame); }, 2500));

    ::ShowWindow(hFrame, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(hFrame));
    EXPECT_TRUE(PumpUntil([&] { return !::IsIconic(hFrame); }, 2500));
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    EXPECT_TRUE(m_sandbox.Events("film1", "exit").empty());
}

TEST_F(CVideoPlayerTest, WhenPlaybackEndsTheNextTickClosesThePlayerOnceAndTheTimerStopsOnceItHasGone)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\film1.exe", 1000)));
    std::string strStart = WaitForStart("film1");
    ASSERT_FALSE(strStart.empty());
    DWORD nPid = CPlayerSandbox::PidOf(strStart);

    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nPid, 0); }, 5000));
    EXPECT_EQ(m_sandbox.Events("film1", "ended").size(), 1u);
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);
    EXPECT_LT(m_sandbox.Events("film1", "ended"), m_sandbox.Events("film1", "exit"));
    // The tick after the player has gone ends the supervision and its timer.
    PumpUntilDispatched(TickOf(m_owner), TICK_TIMEOUT_MS);
    EXPECT_FALSE(::KillTimer(m_owner, 1));
}

TEST_F(CVideoPlayerTest, ASecondPlayClosesTheFirstPlayerAndKeepsOneTimer)
{
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS)));
    ASSERT_FALSE(WaitForStart("film1").empty());
    HWND hFirst = FindPlayerFrame();
    CString strSecond = m_sandbox.Install("Video\\film2.exe", LONG_PLAY_MS);

    ASSERT_TRUE(m_player.Play(strSecond));
    ASSERT_FALSE(WaitForStart("film2").empty());
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hFirst); }, TICK_TIMEOUT_MS));
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);

    // One timer of one second: two ticks in a row are a second apart, and the second
    // player is still playing.
    ASSERT_TRUE(PumpUntilDispatched(TickOf(m_owner), TICK_TIMEOUT_MS));
    ULONGLONG nFirstTick = ::GetTickCount64();
    ASSERT_TRUE(PumpUntilDispatched(TickOf(m_owner), TICK_TIMEOUT_MS));
    EXPECT_GE(::GetTickCount64() - nFirstTick, 900u);
    EXPECT_TRUE(FindPlayerView(FindPlayerFrame()));
    EXPECT_TRUE(m_sandbox.Events("film2", "exit").empty());
}

TEST_F(CVideoPlayerTest, AProgramThatCannotStartReturnsFalseAndShowsNothing)
{
    CString strFilm = m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS);
    EXPECT_FALSE(m_player.Play(m_sandbox.Path() + "Video\\absent.exe"));
    EXPECT_FALSE(m_player.Play(m_sandbox.Path() + "Video\\"));
    EXPECT_FALSE(m_player.Play(""));
    EXPECT_FALSE(m_player.Play(nullptr));
    // A quote could only smuggle arguments in: nothing starts.
    EXPECT_FALSE(m_player.Play(strFilm + "\" /x"));
    EXPECT_FALSE(m_player.IsPlaying());
    PumpFor(500);
    EXPECT_EQ(FindPlayerFrame(), nullptr);
    EXPECT_TRUE(m_sandbox.LogLines().empty());
}

TEST_F(CVideoPlayerTest, APathWithBlanksStartsThatProgramAndNoOther)
{
    CString strPath = m_sandbox.Install("Mon Kiosque\\Video\\film1.exe", LONG_PLAY_MS);
    // What an unquoted command line would start instead.
    m_sandbox.Install("Mon.exe", LONG_PLAY_MS);

    ASSERT_TRUE(m_player.Play(strPath));
    std::string strStart = WaitForStart("film1");
    ASSERT_FALSE(strStart.empty());
    EXPECT_EQ(CPlayerSandbox::CommandLineOf(strStart), ("\"" + strPath + "\" /s").str());
    EXPECT_TRUE(m_sandbox.Events("Mon", "start").empty());
}

TEST_F(CVideoPlayerTest, DestroyingThePlayerObjectClosesAnOpenPlayer)
{
    HWND hFrame = nullptr;
    {
        CVideoPlayer player;
        player.SetOwner(&m_owner);
        ASSERT_TRUE(player.Play(m_sandbox.Install("Video\\film1.exe", LONG_PLAY_MS)));
        ASSERT_FALSE(WaitForStart("film1").empty());
        hFrame = FindPlayerFrame();
        ASSERT_NE(hFrame, nullptr);
    }
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);
}
TEST_F(CVideoPlayerTest, OnlyPlayersOfVideosStartedHereAreToldToExitOrEnded)
{
    ScopedHandle hForeign = StartForeignPlayer(m_sandbox.Install("Autre\\foreign.exe", LONG_PLAY_MS));
    ASSERT_TRUE(hForeign.IsValid());
    ASSERT_FALSE(WaitForStart("foreign").empty());
    HWND hForeignFrame = FindPlayerFrame();

    // A stop with nothing playing, a video that does not start, and the end of the program.
    m_player.Stop();
    EXPECT_FALSE(m_player.Play(m_sandbox.Path() + "Video\\absent.exe"));
    PlayerTimerProc(m_owner, WM_TIMER, 1, 0);
    {
        CVideoPlayer ending;
        ending.SetOwner(&m_owner);
    }

    // A video program that opens the player as a process of its own and ends: its player is
    // supervised and closed at the end of its playback.
    m_sandbox.Install("Video\\film1.exe", 1000);
    ASSERT_TRUE(m_player.Play(m_sandbox.Install("Video\\launcher.exe", LONG_PLAY_MS, "Player=film1.exe\r\n")));
    ASSERT_TRUE(PumpUntil([&] { return !m_sandbox.StartOf("film1").empty(); }, START_TIMEOUT_MS));
    DWORD nChild = CPlayerSandbox::PidOf(m_sandbox.StartOf("film1"));
    EXPECT_TRUE(PumpUntil([&] { return WaitForProcessEnd(nChild, 0); }, 1000 + START_TIMEOUT_MS));
    EXPECT_EQ(m_sandbox.Events("film1", "ended").size(), 1u);
    EXPECT_EQ(m_sandbox.Events("film1", "exit").size(), 1u);

    EXPECT_TRUE(m_sandbox.Events("foreign", "exit").empty()) << "another program's player was told to exit";
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(hForeign, 0)) << "another program's player was ended";
    EXPECT_TRUE(::IsWindow(hForeignFrame));
}
} // namespace
