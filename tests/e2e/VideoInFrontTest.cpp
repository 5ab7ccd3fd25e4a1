// The real Kelo.exe playing the stand-in player: a click on Kelo's window, which brings it
// in front, puts the player's frame back above it.
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

// Whether hUpper comes before hLower in the z-order of the top-level windows.
bool IsAbove(HWND hUpper, HWND hLower)
{
    for (HWND hWnd = ::GetWindow(hUpper, GW_HWNDNEXT); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd == hLower)
            return true;
    }
    return false;
}

// A point of rc (a window's screen rectangle) away from rcOther, near one of its corners.
POINT CornerOutside(const CRect& rc, const CRect& rcOther)
{
    const POINT corners[] = {{rc.right - 8, rc.bottom - 8}, {rc.left + 8, rc.bottom - 8},
                             {rc.right - 8, rc.top + 8}, {rc.left + 8, rc.top + 8}};
    for (const POINT& pt : corners) {
        if (!rcOther.PtInRect(pt))
            return pt;
    }
    return corners[0];
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
    ASSERT_TRUE(PumpUntil([&] { return IsAbove(hFrame, hWndMain); }, kWaitMs)) << "the player never came in front";

    CRect rcPlayer;
    ::GetWindowRect(hFrame, &rcPlayer);
    ASSERT_TRUE(ClickAt(CornerOutside(rcMain, rcPlayer)));
    EXPECT_TRUE(PumpUntil([&] { return IsAbove(hFrame, hWndMain); }, 500)) << "the player stays behind Kelo";
    // And it stays there.
    PumpFor(1500);
    EXPECT_TRUE(IsAbove(hFrame, hWndMain));
    EXPECT_TRUE(players.Events("film1", "exit").empty());
}
