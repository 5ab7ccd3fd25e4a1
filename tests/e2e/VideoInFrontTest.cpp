// The real Kelo.exe playing the stand-in player: once the visitor has clicked the player
// (which makes it the active window), a click on Kelo's window, which activates Kelo and
// brings it in front, puts the player's frame back above it.
#include "framework/core/CRect.h"
#include "support/CKeloProcess.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>

namespace
{
const DWORD kWaitMs = 8000;
// The stand-in player's background, beside its title and progress bar.
const COLORREF kPlayerBackground = RGB(16, 24, 64);

// Whether hUpper comes before hLower in the z-order of the top-level windows.
bool IsAbove(HWND hUpper, HWND hLower)
{
    for (HWND hWnd = ::GetWindow(hUpper, GW_HWNDNEXT); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd == hLower)
            return true;
    }
    return false;
}

} // namespace

TEST(VideoInFront, AClickOnKeloPutsThePlayersFrameBackAboveIt)
{
    CTestKiosk kiosk;
    kiosk.Folder().WriteFile("res\\main.html", "<a href=\"app://exec(film1.exe)\">Film</a>");
    CPlayerSandbox players;
    players.InstallAt(kiosk.Folder().MakeFolder("Video") + "\\film1.exe", 30000);
    CKeloProcess kelo(kiosk.Path());
    ASSERT_TRUE(kelo.Start());
    HWND hWndMain = kelo.WaitForWindow(nullptr, 15000);
    ASSERT_NE(nullptr, hWndMain);
    CRect rcMain;
    ::GetWindowRect(hWndMain, &rcMain);
    PumpFor(500);
    ASSERT_TRUE(ClickAt({rcMain.CenterPoint().x, rcMain.CenterPoint().y}));
    ASSERT_TRUE(PressKeys("Tab Return"));
    ASSERT_FALSE(players.WaitForPlayback("film1", kWaitMs).empty());
    HWND hFrame = FindPlayerFrame();
    ASSERT_NE(nullptr, hFrame);
    // Restored (it starts minimised) and in front.
    ASSERT_TRUE(PumpUntil([&] { return !::IsIconic(hFrame) && IsAbove(hFrame, hWndMain); }, kWaitMs))
        << "the player never came in front";

    // The player in the screen's top left corner, leaving the bottom right of Kelo's page free.
    ASSERT_TRUE(::SetWindowPos(hFrame, nullptr, 0, 0, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE));
    // Wine makes the restored player the active window before its X window follows (placed,
    // given the X focus, painted): once its picture shows at the point clicked, the click
    // lands on it, and its late taking of the X focus cannot follow Kelo's, which would
    // leave the desktop active.
    CRect rcPlayer;
    ::GetClientRect(hFrame, &rcPlayer);
    POINT ptPlayer = {4, rcPlayer.bottom / 2};
    ::ClientToScreen(hFrame, &ptPlayer);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(ptPlayer.x, ptPlayer.y) == kPlayerBackground; }, kWaitMs))
        << "the player is not on the screen at " << ptPlayer.x << "," << ptPlayer.y;
    ASSERT_TRUE(ClickAt(ptPlayer));
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == hFrame; }, kWaitMs)) << "the player is not active";
    ASSERT_TRUE(ClickAt({rcMain.right - 80, rcMain.bottom - 80}));
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == hWndMain; }, kWaitMs))
        << "Kelo is not active: " << ::GetForegroundWindow() << " player " << hFrame;
    // Time for the click's own raising of Kelo and for a supervision tick, which alone
    // does not raise the player.
    PumpFor(1500);
    EXPECT_TRUE(IsAbove(hFrame, hWndMain)) << "the player stays behind Kelo";
    EXPECT_TRUE(players.Events("film1", "exit").empty());
}
