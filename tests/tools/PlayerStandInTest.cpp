// The stand-in player on its own, started as a launcher starts it.
#include "videoplayer/PlayerProtocol.h"
#include "framework/core/ScopedWin.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include <gtest/gtest.h>

namespace
{
CString TextOf(HWND hWnd)
{
    char szText[512] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

BOOL CALLBACK CollectTextProc(HWND hWnd, LPARAM lParam)
{
    *reinterpret_cast<CString*>(lParam) += TextOf(hWnd) + "\n";
    return TRUE;
}

// How many of ten points spread along the view's progress bar show the bar's colour.
int ProgressPoints(HWND hView)
{
    RECT rc;
    ::GetClientRect(hView, &rc);
    int nCount = 0;
    for (int i = 0; i < 10; ++i) {
        POINT pt = {rc.right / 8 + 4 + (rc.right * 3 / 4 - 8) * i / 10, rc.bottom * 5 / 8 + 10};
        ::ClientToScreen(hView, &pt);
        if (ScreenPixel(pt.x, pt.y) == RGB(64, 160, 255))
            ++nCount;
    }
    return nCount;
}

TEST(PlayerStandIn, PlaysForItsLengthThenKeepsItsFrameUntilTheExitCommand)
{
    CPlayerSandbox sandbox;
    CString strPath = sandbox.Install("film1.exe", 1000);
    ASSERT_GT(::WinExec(strPath + " /s", SW_SHOWNORMAL), 31u);

    ASSERT_TRUE(PumpUntil([] { return FindPlayerView(FindPlayerFrame()) != nullptr; }, 5000));
    DWORD dwSeen = ::GetTickCount();
    HWND hFrame = FindPlayerFrame();
    EXPECT_EQ(TextOf(hFrame), "film1");
    EXPECT_TRUE(::IsWindowVisible(FindPlayerView(hFrame)));
    std::string strStart = sandbox.StartOf("film1");
    EXPECT_EQ(CPlayerSandbox::CommandLineOf(strStart), (strPath + " /s").str());
    EXPECT_EQ(CPlayerSandbox::ShowOf(strStart), SW_SHOWNORMAL);
    DWORD nPid = CPlayerSandbox::PidOf(strStart);

    // The view goes when the length has passed; the frame and the process stay.
    ASSERT_TRUE(PumpUntil([&] { return FindPlayerView(hFrame) == nullptr; }, 4000));
    EXPECT_GE(::GetTickCount() - dwSeen, 700u);
    EXPECT_EQ(sandbox.Events("film1", "ended").size(), 1u);
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_FALSE(WaitForProcessEnd(nPid, 300));

    // Other commands change nothing; the exit command ends it before the send returns.
    ::SendMessageA(hFrame, WM_COMMAND, ID_APP_ABOUT, 0);
    EXPECT_TRUE(::IsWindow(hFrame));
    ::SendMessageA(hFrame, WM_COMMAND, PLAYER_EXIT_COMMAND, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_TRUE(WaitForProcessEnd(nPid, 3000));
    EXPECT_EQ(sandbox.Events("film1", "exit").size(), 1u);
}

TEST(PlayerStandIn, ItsProgressBarGrowsWhileItPlays)
{
    CPlayerSandbox sandbox;
    ASSERT_GT(::WinExec(sandbox.Install("film1.exe", 3000) + " /s", SW_SHOWNORMAL), 31u);
    ASSERT_TRUE(PumpUntil([] { return FindPlayerView(FindPlayerFrame()) != nullptr; }, 5000));
    HWND hView = FindPlayerView(FindPlayerFrame());
    int nEarly = 0;
    ASSERT_TRUE(PumpUntil([&] { return (nEarly = ProgressPoints(hView)) >= 1; }, 2000));
    EXPECT_TRUE(PumpUntil([&] { return ProgressPoints(hView) >= nEarly + 3; }, 3000));
}

TEST(PlayerStandIn, SettingsNamedAfterTheProgramComeBeforeTheSharedOnes)
{
    CPlayerSandbox sandbox;
    CString strOwn = sandbox.Install("film1.exe", 20000);
    ASSERT_TRUE(::CopyFileA(strOwn, sandbox.Path() + "film2.exe", FALSE));
    sandbox.Folder().WriteFile("Player.ini", "[Player]\r\nLog=shared.log\r\n");

    ASSERT_GT(::WinExec(strOwn + " /s", SW_SHOWNORMAL), 31u);
    ASSERT_GT(::WinExec(sandbox.Path() + "film2.exe /s", SW_SHOWNORMAL), 31u);
    CString strShared = sandbox.Path() + "shared.log";
    ASSERT_TRUE(PumpUntil([&] {
        return !sandbox.StartOf("film1").empty() && !CPlayerSandbox::LogLines(strShared).empty();
    }, 5000));
    EXPECT_TRUE(sandbox.StartOf("film2").empty());
    std::string strLine = CPlayerSandbox::LogLines(strShared)[0];
    EXPECT_EQ(strLine.compare(0, 12, "film2 start "), 0) << strLine;
}

TEST(PlayerStandIn, WithoutTheSwitchItShowsAFrenchNoticeAndNoPlayer)
{
    CPlayerSandbox sandbox;
    ASSERT_GT(::WinExec(sandbox.Install("film1.exe", 1000), SW_SHOWNORMAL), 31u);

    HWND hNotice = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (hNotice = ::FindWindowA("#32770", "film1")) != nullptr; }, 5000));
    CString strText;
    ::EnumChildWindows(hNotice, CollectTextProc, reinterpret_cast<LPARAM>(&strText));
    EXPECT_GE(strText.Find("Cette vid\xE9o de d\xE9monstration se lance depuis le lanceur de vid\xE9os."), 0) << strText.GetString();
    EXPECT_EQ(FindPlayerFrame(), nullptr);

    ::PostMessageA(hNotice, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForProcessEnd(CPlayerSandbox::PidOf(sandbox.StartOf("film1")), 3000));
}
} // namespace
