// The launcher menu opened and closed, and skins changed through it, many times under real
// input in Kelo's own start-up: nothing is left behind.
#include "app/CKeloApp.h"
#include "frame/CMainFrame.h"
#include "skin/SkinConstants.h"
#include "support/CInputDriver.h"
#include "support/GdiObjectCounter.h"
#include "support/ProcessResources.h"
#include "support/KeloStart.h"
#include "support/MenuWindows.h"
#include "support/MessagePump.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>

namespace
{
using namespace TestSkin;

// Client points of the launcher menu's entries: "Styles :" and "&Quitter" of the main
// menu, the first skin of the submenu.
const POINT kStylesEntry = {10, 11};
const POINT kFirstSkinEntry = {10, 11};
// Inside the skin, away from the menu.
const POINT kAwayFromMenu = {400, 300};

class LauncherMenuCycles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kiosk.AddSkin("Zinc", RGB(0, 120, 0), RGB(220, 0, 0));
        ASSERT_TRUE(StartKeloIn(m_kiosk.Path()));
        m_hWndSkin = theApp.m_pMainFrame->m_wndSkinClient;
        PumpUntil([] { return false; }, 100);
    }

    void TearDown() override { EndKelo(); }

    POINT OnSkin(POINT ptClient) const
    {
        ::ClientToScreen(m_hWndSkin, &ptClient);
        return ptClient;
    }

    // Runs script on another thread while this one runs Kelo's messages (the menu's modal
    // loop among them), until the script has ended.
    void Drive(const std::function<void()>& script)
    {
        std::atomic<bool> bDone(false);
        std::thread driver([&] {
            script();
            bDone = true;
        });
        EXPECT_TRUE(PumpUntil([&] { return bDone.load(); }, 200000));
        driver.join();
    }

    // Opens the launcher menu with a click on the menu button.
    bool OpenMenu()
    {
        const POINT pt = OnSkin({kMenuAt.x + kButtonSize / 2, kMenuAt.y + kButtonSize / 2});
        m_input.ClickAt(pt.x, pt.y);
        return WaitForMenuCount(m_dwProcessId, 1) && WaitForCapture(m_dwThreadId, FindMenuWindows(m_dwProcessId)[0]);
    }

    bool OpenAndDismiss()
    {
        if (!OpenMenu())
            return false;
        const POINT pt = OnSkin(kAwayFromMenu);
        m_input.ClickAt(pt.x, pt.y);
        return WaitForMenuCount(m_dwProcessId, 0);
    }

    HWND MenuButton() const { return ::GetDlgItem(m_hWndSkin, IDC_BTMENU); }

    // Chooses skin nIndex of the submenu and waits for the skin window to have made its
    // menu button anew.
    bool ChooseSkin(int nIndex)
    {
        const HWND hOldButton = MenuButton();
        if (!OpenMenu())
            return false;
        const HWND hMenu = FindMenuWindows(m_dwProcessId)[0];
        HoverOver(m_input, m_dwThreadId, hMenu, kStylesEntry);
        const POINT ptStyles = ScreenPointOf(hMenu, kStylesEntry);
        m_input.ClickAt(ptStyles.x, ptStyles.y);
        if (!WaitForMenuCount(m_dwProcessId, 2))
            return false;
        const HWND hStyles = FindMenuWindows(m_dwProcessId)[1];
        const POINT ptClient = {kFirstSkinEntry.x, kFirstSkinEntry.y + 17 * nIndex};
        HoverOver(m_input, m_dwThreadId, hStyles, ptClient);
        const POINT pt = ScreenPointOf(hStyles, ptClient);
        m_input.ClickAt(pt.x, pt.y);
        return WaitForMenuCount(m_dwProcessId, 0) &&
               PumpUntil([&] { return MenuButton() != nullptr && MenuButton() != hOldButton; }, 3000);
    }

    CTestKiosk m_kiosk;
    CInputDriver m_input;
    HWND m_hWndSkin = nullptr;
    const DWORD m_dwProcessId = ::GetCurrentProcessId();
    const DWORD m_dwThreadId = ::GetCurrentThreadId();
};
} // namespace

TEST_F(LauncherMenuCycles, FiveHundredOpenAndCloseCyclesLeaveNothingBehind)
{
    Drive([&] { EXPECT_TRUE(OpenAndDismiss()); });
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();
    Drive([&] {
        for (int i = 0; i < 500; ++i)
            ASSERT_TRUE(OpenAndDismiss()) << "cycle " << i;
    });
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}

TEST_F(LauncherMenuCycles, HundredSkinChangesThroughTheMenuLeaveNothingBehind)
{
    Drive([&] { EXPECT_TRUE(ChooseSkin(1) && ChooseSkin(0)); });
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();
    Drive([&] {
        for (int i = 0; i < 100; ++i)
            ASSERT_TRUE(ChooseSkin((i + 1) % 2)) << "change " << i;
    });
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}
