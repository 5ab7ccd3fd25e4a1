// The menu window under real input: a second thread moves the pointer, clicks and types
// through SendInput while this thread runs the menu's modal loop.
#include "PopupMenuTestSupport.h"
#include "support/MenuWindows.h"
#include "popupmenu/PopupMenuConstants.h"
#include "framework/core/ScopedWin.h"
#include "support/CMessageRecorder.h"
#include "support/MessagePump.h"
#include "support/CInputDriver.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include <vector>

namespace
{
class PopupMenuWindow : public ::testing::Test
{
protected:
    void SetUp() override { m_input.MovePointerTo(kOutside.x, kOutside.y); }

    // Tracks the root modally while script drives the input; the script starts once the
    // root holds the capture and the focus. Track must return soon after the script ends
    // (the menu is closed then rather than left to hang the test), and unless told
    // otherwise with every menu window closed.
    int TrackWith(const std::function<void()>& script, bool bExpectClosed = true)
    {
        const DWORD dwThreadId = ::GetCurrentThreadId();
        std::atomic<bool> bReturned(false);
        std::atomic<bool> bScriptDone(false);
        std::thread driver([&] {
            if (!WaitForMenuWindow(&m_menu.m_root) || !WaitForCapture(dwThreadId, Root()) ||
                !WaitForFocus(dwThreadId, Root()))
                ADD_FAILURE() << "the menu did not open with the capture and the focus";
            else
                script();
            if (!PumpUntil([&] { return bReturned.load(); }, 3000)) {
                ADD_FAILURE() << "the menu is still tracking";
                ::PostMessageA(Root(), WM_CLOSE, 0, 0);
            }
            bScriptDone = true;
        });
        const int nResult = m_menu.m_root.Track(kMenuX, kMenuY, nullptr, true, false);
        bReturned = true;
        // The script's input goes through this thread until the script has ended.
        PumpUntil([&] { return bScriptDone.load(); }, 10000, [&](const MSG& msg) { m_quits.push_back(msg.wParam); });
        driver.join();
        if (bExpectClosed) {
            EXPECT_EQ(nullptr, Root());
            EXPECT_EQ(nullptr, Styles());
        }
        return nResult;
    }

    HWND Root() const { return FindMenuWindow(&m_menu.m_root); }
    HWND Styles() const { return FindMenuWindow(&m_menu.m_styles); }

    void Click(HWND hWndMenu, POINT ptClient)
    {
        POINT pt = ScreenPointOf(hWndMenu, ptClient);
        m_input.ClickAt(pt.x, pt.y);
    }

    // Opens "Styles :" with a click and moves into it, so the submenu holds the capture.
    void OpenStylesAndEnter(DWORD dwThreadId)
    {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kFirstEntry));
        Click(Root(), kFirstEntry);
        ASSERT_TRUE(WaitForMenuWindow(&m_menu.m_styles));
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Styles(), kSecondSkin));
    }

    CInputDriver m_input;
    // Exit codes of the WM_QUIT messages found after Track returned.
    std::vector<WPARAM> m_quits;
    // A submenu opened by a click, never by the timer.
    CLauncherShapedMenu m_menu{[](CPopupMenu& menu) { menu.m_nSubmenuDelay = 600000; }};
};
} // namespace

TEST_F(PopupMenuWindow, ReleasingTheButtonHeldAtOpeningChoosesNothing)
{
    CMessageRecorder pressed({WM_LBUTTONDOWN});
    ASSERT_TRUE(pressed.Create());
    ::SetWindowPos(pressed, HWND_TOP, 0, 0, 400, 400, SWP_SHOWWINDOW);
    m_input.MovePointerTo(kMenuX + kQuitEntry.x, kMenuY + kQuitEntry.y);
    m_input.PressButton();
    ASSERT_TRUE(pressed.PumpUntil([&] { return !pressed.Messages().empty(); }, 3000));

    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(0, TrackWith([&] {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kQuitEntry));
        m_input.ReleaseButton();
        // Had the release chosen "&Quitter", this click would come too late to matter.
        m_input.ClickAt(kOutside.x, kOutside.y);
    }));
}

TEST_F(PopupMenuWindow, RestingOnASubmenuEntryOpensItBesideTheParent)
{
    m_menu.m_root.m_nSubmenuDelay = CPopupMenu().m_nSubmenuDelay;
    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(0, TrackWith([&] {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kFirstEntry));
        ASSERT_TRUE(WaitForMenuWindow(&m_menu.m_styles));
        RECT rcRoot, rcStyles;
        ::GetWindowRect(Root(), &rcRoot);
        ::GetWindowRect(Styles(), &rcStyles);
        EXPECT_EQ(rcRoot.right - 5, rcStyles.left);
        EXPECT_EQ(rcRoot.top + 3 - 3, rcStyles.top);
        m_input.ClickAt(kOutside.x, kOutside.y);
    }));
}

TEST_F(PopupMenuWindow, ClickOpensTheSubmenuAtOnceAndAnotherEntryClosesIt)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(kQuitId, TrackWith([&] {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kFirstEntry));
        Click(Root(), kFirstEntry);
        ASSERT_TRUE(WaitForMenuWindow(&m_menu.m_styles));
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kQuitEntry));
        EXPECT_TRUE(WaitForMenuClosed(&m_menu.m_styles));
        EXPECT_NE(nullptr, Root());
        Click(Root(), kQuitEntry);
    }));
}

TEST_F(PopupMenuWindow, SubmenuChoiceIsTheRootsResultAndNothingQueuedIsLost)
{
    // Something posted while the chain closes must reach its window afterwards.
    const UINT WM_MENU_CLOSED = WM_USER + 7;
    CMessageRecorder recorder({WM_MENU_CLOSED});
    ASSERT_TRUE(recorder.Create());
    static HWND s_hWndRecorder;
    s_hWndRecorder = recorder;
    ScopedHook hook(::SetWindowsHookExA(
        WH_CALLWNDPROC,
        [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
            char szClass[100] = "";
            ::GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass));
            if (nCode == HC_ACTION && pMsg->message == WM_DESTROY && ::lstrcmpA(szClass, POPUPMENU_CLASS_NAME) == 0)
                ::PostMessageA(s_hWndRecorder, WM_USER + 7, 0, 0);
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId()));

    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(kFirstSkinId + 1, TrackWith([&] {
        OpenStylesAndEnter(dwThreadId);
        Click(Styles(), kSecondSkin);
    }));
    EXPECT_TRUE(recorder.PumpUntil([&] { return recorder.Messages().size() == 2; }, 3000));
}

TEST_F(PopupMenuWindow, ClickOutsideOrOnTheOuterRowsAndColumnsDismissesTheChain)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(0, TrackWith([&] { m_input.ClickAt(kOutside.x, kOutside.y); }));
    EXPECT_EQ(0, TrackWith([&] {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kQuitEntry));
        Click(Root(), {2, kQuitEntry.y});
    }));
    EXPECT_EQ(0, TrackWith([&] {
        EXPECT_TRUE(HoverOver(m_input, dwThreadId, Root(), kFirstEntry));
        Click(Root(), {kFirstEntry.x, 2});
    }));
    EXPECT_EQ(0, TrackWith([&] {
        OpenStylesAndEnter(dwThreadId);
        m_input.ClickAt(kOutside.x, kOutside.y);
    }));
}

TEST_F(PopupMenuWindow, MnemonicChoosesWhileEscapeEnterAndArrowsDoNothing)
{
    EXPECT_EQ(kQuitId, TrackWith([&] {
        for (WORD vk : {VK_ESCAPE, VK_RETURN, VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT})
            m_input.TypeKey(vk);
        m_input.TypeKey('Q');
    }));
}

TEST_F(PopupMenuWindow, QuitTakenWhileOpenIsPostedAgain)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    EXPECT_EQ(0, TrackWith(
                     [&] {
                         OpenStylesAndEnter(dwThreadId);
                         ::PostThreadMessageA(dwThreadId, WM_QUIT, 42, 0);
                     },
                     false));
    EXPECT_EQ(std::vector<WPARAM>{42}, m_quits);
}

TEST(PopupMenuNonModal, ChoicePostsTheCommandToTheOwnerDismissalPostsNothing)
{
    CMessageRecorder owner({WM_COMMAND});
    ASSERT_TRUE(owner.Create());
    CLauncherShapedMenu menu;
    CInputDriver input;
    input.MovePointerTo(kOutside.x, kOutside.y);

    EXPECT_EQ(0, menu.m_root.Track(kMenuX, kMenuY, owner, false, false));
    ASSERT_NE(nullptr, FindMenuWindow(&menu.m_root));
    input.ClickAt(kOutside.x, kOutside.y);
    EXPECT_TRUE(owner.PumpUntil([&] { return !FindMenuWindow(&menu.m_root); }, 3000));
    EXPECT_TRUE(owner.Messages().empty());

    EXPECT_EQ(0, menu.m_root.Track(kMenuX, kMenuY, owner, false, false));
    const POINT pt = ScreenPointOf(FindMenuWindow(&menu.m_root), kQuitEntry);
    input.MovePointerTo(pt.x, pt.y + 1);
    input.MovePointerTo(pt.x, pt.y);
    input.ClickAt(pt.x, pt.y);
    ASSERT_TRUE(owner.PumpUntil([&] { return !owner.Messages().empty(); }, 3000));
    EXPECT_EQ(static_cast<WPARAM>(kQuitId), owner.Messages()[0].wParam);
    EXPECT_EQ(0, owner.Messages()[0].lParam);
}

TEST_F(PopupMenuWindow, AnotherThreadsMenuWindowNeverTakesTheCapture)
{
    // A menu window of the same class that is not ours to follow: its user data means
    // nothing to this thread.
    std::atomic<bool> bDone(false);
    CPopupMenu foreign;
    std::thread other([&] {
        foreign.Create(::GetModuleHandleA(nullptr), -1);
        foreign.AddItem(0, "Autre", 1, -1);
        foreign.Track(600, kMenuY, nullptr, false, true);
        PumpUntil([&] { return bDone.load(); }, 20000);
        ::DestroyWindow(foreign.GetSafeHwnd());
    });
    ASSERT_TRUE(WaitForMenuWindow(&foreign));

    EXPECT_EQ(0, TrackWith([&] {
        POINT pt = {610, kMenuY + 11};
        m_input.MovePointerTo(pt.x, pt.y);
        m_input.MovePointerTo(pt.x + 1, pt.y);
        m_input.ClickAt(kOutside.x, kOutside.y);
    }));
    bDone = true;
    other.join();
}
