// The launcher menu opened and closed, and skins changed through it, many times under real
// input in Kelo's own start-up: nothing is left behind. "Styles :" lists the skins only,
// nested or of the same name, each by the path its choice records.
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
#include "settings/CSkinSettings.h"
#include <set>
#include <string>
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
        m_hWndSkin = theApp.GetMainFrame()->m_wndSkinClient;
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
            // A menu a failed script left open would keep this thread inside its loop.
            for (HWND hWnd : FindMenuWindows(m_dwProcessId))
                ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
            bDone = true;
        });
        EXPECT_TRUE(PumpUntil([&] { return bDone.load(); }, 200000));
        driver.join();
    }

    // Opens the launcher menu with a click on the menu button; its window, or null.
    HWND OpenMenu()
    {
        const POINT pt = OnSkin({kMenuAt.x + kButtonSize / 2, kMenuAt.y + kButtonSize / 2});
        m_input.ClickAt(pt.x, pt.y);
        const std::vector<HWND> menus = WaitForMenuWindows(m_dwProcessId, 1);
        return !menus.empty() && WaitForCapture(m_dwThreadId, menus[0]) ? menus[0] : nullptr;
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
    // menu button anew. Each click waits for the entry under it to be highlighted: the
    // menu takes the highlighted entry, not the one under the release.
    ::testing::AssertionResult ChooseSkin(int nIndex)
    {
        const HWND hOldButton = MenuButton();
        const HWND hMenu = OpenMenu();
        if (!hMenu)
            return ::testing::AssertionFailure() << "the menu did not open";
        if (!HoverOver(m_input, m_dwThreadId, hMenu, kStylesEntry))
            return ::testing::AssertionFailure() << "\"Styles :\" was not highlighted";
        const POINT ptStyles = ScreenPointOf(hMenu, kStylesEntry);
        m_input.ClickAt(ptStyles.x, ptStyles.y);
        const std::vector<HWND> menus = WaitForMenuWindows(m_dwProcessId, 2);
        if (menus.empty())
            return ::testing::AssertionFailure() << "the submenu did not open";
        const HWND hStyles = menus[1];
        const POINT ptClient = {kFirstSkinEntry.x, kFirstSkinEntry.y + 17 * nIndex};
        if (!HoverOver(m_input, m_dwThreadId, hStyles, ptClient))
            return ::testing::AssertionFailure() << "skin " << nIndex << " was not highlighted";
        const POINT pt = ScreenPointOf(hStyles, ptClient);
        m_input.ClickAt(pt.x, pt.y);
        if (!WaitForMenuCount(m_dwProcessId, 0))
            return ::testing::AssertionFailure() << "the menus did not close";
        if (!PumpUntil([&] { return MenuButton() != nullptr && MenuButton() != hOldButton; }, 3000))
            return ::testing::AssertionFailure() << "the skin was not applied";
        return ::testing::AssertionSuccess();
    }

    CTestKiosk m_kiosk;
    CInputDriver m_input;
    HWND m_hWndSkin = nullptr;
    const DWORD m_dwProcessId = ::GetCurrentProcessId();
    const DWORD m_dwThreadId = ::GetCurrentThreadId();
};
} // namespace

// The counts must come back exactly. One object left per cycle gives +50 (per change +30),
// well above the ~10 objects that Wine caches on first use, made by the warm-up cycle.
TEST_F(LauncherMenuCycles, FiftyOpenAndCloseCyclesLeaveNothingBehind)
{
    Drive([&] { EXPECT_TRUE(OpenAndDismiss()); });
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();
    Drive([&] {
        for (int i = 0; i < 50; ++i)
            ASSERT_TRUE(OpenAndDismiss()) << "cycle " << i;
    });
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}

TEST_F(LauncherMenuCycles, ThirtySkinChangesThroughTheMenuLeaveNothingBehind)
{
    Drive([&] { EXPECT_TRUE(ChooseSkin(1) && ChooseSkin(0)); });
    const int nGdi = CountGdiObjects(), nWindows = CountOwnWindows(), nKernel = CountKernelHandles();
    Drive([&] {
        for (int i = 0; i < 30; ++i)
            ASSERT_TRUE(ChooseSkin((i + 1) % 2)) << "change " << i;
    });
    EXPECT_EQ(nGdi, CountGdiObjects());
    EXPECT_EQ(nWindows, CountOwnWindows());
    EXPECT_EQ(nKernel, CountKernelHandles());
}

namespace
{
// Besides "Test" and "Zinc": a second "Zinc" one level down, a folder inside a skin and a
// folder without a skin.
class SkinList : public LauncherMenuCycles
{
protected:
    void SetUp() override
    {
        m_kiosk.AddSkin("Autres\\Zinc", RGB(0, 0, 120), RGB(0, 220, 0));
        m_kiosk.Folder().MakeFolder("SKINS\\Test\\images");
        LauncherMenuCycles::SetUp();
    }
};
} // namespace

TEST_F(SkinList, OnlySkinsAreListedEachChoiceRecordsItsPathBelowSkins)
{
    const CString strSkins = m_kiosk.Path() + "SKINS\\";
    std::set<std::string> written, shown;
    Drive([&] {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ChooseSkin(i)) << "skin " << i;
            std::string strChoice = ReadFileBytes(strSkins + "Lanceur.ini");
            written.insert(strChoice);
            shown.insert(theApp.GetSettings().m_strSkinDir.str());
        }
        const HWND hMenu = OpenMenu();
        ASSERT_TRUE(hMenu && HoverOver(m_input, m_dwThreadId, hMenu, kStylesEntry));
        const POINT ptStyles = ScreenPointOf(hMenu, kStylesEntry);
        m_input.ClickAt(ptStyles.x, ptStyles.y);
        const std::vector<HWND> menus = WaitForMenuWindows(m_dwProcessId, 2);
        ASSERT_EQ(2u, menus.size());
        RECT rcStyles = {};
        ::GetClientRect(menus[1], &rcStyles);
        EXPECT_EQ(5 + 3 * 17, rcStyles.bottom) << "entries other than the three skins";
        ::PostMessageA(menus[0], WM_CLOSE, 0, 0);
    });
    EXPECT_EQ((std::set<std::string>{"[Generalite]\r\nskin=Test\r\n", "[Generalite]\r\nskin=Zinc\r\n",
                                     "[Generalite]\r\nskin=Autres\\Zinc\r\n"}),
              written);
    EXPECT_EQ((std::set<std::string>{(strSkins + "Test\\").str(), (strSkins + "Zinc\\").str(),
                                     (strSkins + "Autres\\Zinc\\").str()}),
              shown);
}
