// The launcher menu of the real Kelo.exe on a kiosk of two skins, "Test" and "Zinc", driven
// with the X pointer: it opens from the menu button at the skin's menu position, a skin
// chosen in "Styles :" is written to both choice files and redraws the screen, a
// dismissal changes nothing, "&Quitter" ends Kelo.
#include "settings/FolderScan.h"
#include "support/CKeloProcess.h"
#include "support/MenuWindows.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>
#include <vector>

namespace
{
using namespace TestSkin;

const DWORD kWaitMs = 10000;
// The second skin of the kiosk, after "Test".
const char kSecondSkin[] = "Zinc";
const COLORREF kZincBorder = RGB(0, 120, 0);
const COLORREF kZincButton = RGB(220, 0, 0);
const char kLanceurBefore[] = "[Generalite]\r\nskin=Test\r\n";

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = kWaitMs)
{
    return PumpUntil(condition, dwTimeoutMs);
}

class LauncherMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kiosk.AddSkin(kSecondSkin, kZincBorder, kZincButton);
        ASSERT_TRUE(m_kelo.Start());
        HWND hWnd = m_kelo.WaitForWindow(nullptr, kWaitMs);
        ASSERT_NE(nullptr, hWnd);
        m_dwThreadId = ::GetWindowThreadProcessId(hWnd, nullptr);
        ::GetWindowRect(hWnd, &m_rcWindow);
        ASSERT_TRUE(WaitFor([&] { return ShowsSkin(kLeft, kNormal); })) << "Kelo did not draw the first skin";
    }

    POINT OnWindow(int x, int y) const { return {m_rcWindow.left + x, m_rcWindow.top + y}; }

    // The left border and the minimise button, as the screen shows them.
    bool ShowsSkin(COLORREF crBorder, COLORREF crButton) const
    {
        const POINT ptBorder = OnWindow(kLeftWidth / 2, 300);
        const POINT ptButton = OnWindow(kMiniAt.x + kButtonSize / 2, kMiniAt.y + kButtonSize / 2);
        return ScreenPixel(ptBorder.x, ptBorder.y) == crBorder && ScreenPixel(ptButton.x, ptButton.y) == crButton;
    }

    // Kelo's visible menu windows, left to right: the main menu, then its submenu.
    std::vector<RECT> MenuWindows() const
    {
        std::vector<RECT> rects;
        for (HWND hWnd : FindMenuWindows(m_kelo.ProcessId())) {
            RECT rc = {};
            ::GetWindowRect(hWnd, &rc);
            rects.push_back(rc);
        }
        return rects;
    }

    bool WaitForMenus(size_t nCount)
    {
        return WaitFor([&] { return FindMenuWindows(m_kelo.ProcessId()).size() == nCount; });
    }

    // Points the X pointer at pt, in two steps: the first move hands the capture to the
    // menu under the pointer, the second is that menu's own.
    void PointAt(POINT pt)
    {
        ASSERT_TRUE(MovePointerTo(pt.x, pt.y + 1));
        ASSERT_TRUE(WaitForCapture(m_dwThreadId, ::WindowFromPoint(pt)));
        ASSERT_TRUE(MovePointerTo(pt.x, pt.y));
    }

    void OpenMenu()
    {
        ASSERT_TRUE(ClickAt(OnWindow(kMenuAt.x + kButtonSize / 2, kMenuAt.y + kButtonSize / 2)));
        ASSERT_TRUE(WaitForMenus(1)) << "the menu did not open";
    }

    CString ChoiceFile() const { return m_kiosk.Path() + "SKINS\\Lanceur.ini"; }
    CString ScriptFile() const { return m_kiosk.Path() + "SKINS\\Skins.js"; }

    CTestKiosk m_kiosk;
    CKeloProcess m_kelo{m_kiosk.Path()};
    DWORD m_dwThreadId = 0;
    RECT m_rcWindow = {};
};
} // namespace

TEST_F(LauncherMenu, ChoosingTheSecondSkinWritesBothFilesAndRedrawsTheScreen)
{
    OpenMenu();
    const RECT rcMenu = MenuWindows()[0];
    EXPECT_EQ(m_rcWindow.left + kMenuPos.x, rcMenu.left);
    EXPECT_EQ(m_rcWindow.top + kMenuPos.y, rcMenu.top);

    PointAt({rcMenu.left + 10, rcMenu.top + 11});
    ASSERT_TRUE(WaitForMenus(2)) << "\"Styles :\" did not open";
    // The entries follow the file system's order of the skin folders, as Kelo found them.
    CStringArray astrFolders;
    CollectFolders(m_kiosk.Path() + "SKINS", astrFolders);
    int nZinc = 0;
    while (nZinc < astrFolders.GetSize() && astrFolders[nZinc].Right(5) != CString("\\") + kSecondSkin)
        ++nZinc;
    const RECT rcStyles = MenuWindows()[1];
    const POINT ptZinc = {rcStyles.left + 10, rcStyles.top + 3 + 17 * nZinc + 8};
    PointAt(ptZinc);
    ASSERT_TRUE(ClickAt(ptZinc));

    ASSERT_TRUE(WaitFor([&] { return ShowsSkin(kZincBorder, kZincButton); })) << "the screen still shows the first skin";
    EXPECT_TRUE(MenuWindows().empty());
    EXPECT_EQ("[Generalite]\r\nskin=Zinc\r\n", ReadFileBytes(ChoiceFile()));
    EXPECT_EQ("[lien]\r\nChemin=\"Zinc\"\r\n", ReadFileBytes(ScriptFile()));
}

TEST_F(LauncherMenu, DismissingWritesNothing)
{
    OpenMenu();
    ASSERT_TRUE(ClickAt(OnWindow(400, 300)));
    ASSERT_TRUE(WaitForMenus(0)) << "the menu is still open";
    EXPECT_EQ(kLanceurBefore, ReadFileBytes(ChoiceFile()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(ScriptFile()));
    EXPECT_TRUE(ShowsSkin(kLeft, kNormal));
}

TEST_F(LauncherMenu, QuitterEndsTheProgram)
{
    OpenMenu();
    const RECT rcMenu = MenuWindows()[0];
    PointAt({rcMenu.left + 10, rcMenu.top + 33});
    ASSERT_TRUE(ClickAt({rcMenu.left + 10, rcMenu.top + 33}));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_kelo.Process(), kWaitMs));
    DWORD dwExitCode = 1;
    ::GetExitCodeProcess(m_kelo.Process(), &dwExitCode);
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_EQ(kLanceurBefore, ReadFileBytes(ChoiceFile()));
}
