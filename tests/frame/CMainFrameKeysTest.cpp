// Keys a visitor may press while the start page's frame, an MDI child of the main frame,
// has the focus: real key events, through the application's message loop.
#include "frame/CMainFrame.h"
#include "app/CKeloApp.h"
#include "framework/core/ScopedWin.h"
#include "resources/resource.h"
#include "support/CInputDriver.h"
#include "support/MessagePump.h"
#include "support/TestWindowClass.h"
#include <gtest/gtest.h>
#include <vector>

namespace
{
const DWORD kKeyTimeoutMs = 3000;
// Pressed after each combination: once it has come through, so has the combination.
const WORD kSentinelKey = VK_F24;

struct SYSCOMMAND
{
    HWND hWnd;
    WPARAM nCommand;
};
std::vector<SYSCOMMAND> g_sysCommands;

// Every system command sent to a window of this thread.
LRESULT CALLBACK RecordSysCommandProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_SYSCOMMAND)
        g_sysCommands.push_back({pMsg->hwnd, pMsg->wParam & 0xFFF0});
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// A menu opened by a key would hold the test in its modal loop: this closes it.
void CALLBACK EndMenuProc(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

class CMainFrameKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME));
        m_hWndFrame = m_pFrame->m_hWnd;
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        const char* pszClass = RegisterTestWindowClass("KeloTestMdiChild", ::DefMDIChildProcA);
        ASSERT_NE(nullptr, pszClass);
        for (HWND& hChild : m_hChildren) {
            MDICREATESTRUCTA mcs = {pszClass, "page", ::GetModuleHandleA(nullptr), 0, 0, 300, 200,
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0};
            hChild = reinterpret_cast<HWND>(::SendMessageA(m_pFrame->m_hWndMDIClient, WM_MDICREATE, 0,
                                                           reinterpret_cast<LPARAM>(&mcs)));
            ASSERT_NE(nullptr, hChild);
        }
        ::SendMessageA(m_pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hChildren[0]), 0);
        ::SetForegroundWindow(m_hWndFrame);
        ::SetFocus(m_hChildren[0]);
        ASSERT_EQ(m_hChildren[0], ::GetFocus());
        g_sysCommands.clear();
        m_hook.Reset(::SetWindowsHookExA(WH_CALLWNDPROC, RecordSysCommandProc, nullptr, ::GetCurrentThreadId()));
        m_nMenuGuard = ::SetTimer(nullptr, 0, kKeyTimeoutMs / 2, EndMenuProc);
    }

    void TearDown() override
    {
        ::KillTimer(nullptr, m_nMenuGuard);
        m_hook.Reset();
        if (theApp.m_pMainWnd == m_pFrame)
            theApp.m_pMainWnd = nullptr;
        if (::IsWindow(m_hWndFrame))
            ::DestroyWindow(m_hWndFrame);
    }

    // Types the keys, then the sentinel key; waits until the application's loop has taken them.
    bool Press(std::initializer_list<WORD> keys)
    {
        return m_input.TypeKeys(keys) && m_input.TypeKeys({kSentinelKey}) &&
               RunApplicationMessagesUntil(
                   [](const MSG& msg) { return msg.message == WM_KEYUP && msg.wParam == kSentinelKey; }, kKeyTimeoutMs);
    }

    HWND ActiveChild() const
    {
        return reinterpret_cast<HWND>(::SendMessageA(m_pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    }

    CMainFrame* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
    HWND m_hChildren[2] = {};
    ScopedHook m_hook;
    UINT_PTR m_nMenuGuard = 0;
    CInputDriver m_input;
};
} // namespace

TEST_F(CMainFrameKeys, CtrlF4CtrlF6AndCtrlTabNeitherCloseNorSwitchTheChild)
{
    const std::initializer_list<WORD> combinations[] = {
        {VK_CONTROL, VK_F4}, {VK_CONTROL, VK_F6}, {VK_CONTROL, VK_SHIFT, VK_F6}, {VK_CONTROL, VK_TAB}};
    for (const auto& keys : combinations) {
        ASSERT_TRUE(Press(keys)) << "the keys did not come through";
        EXPECT_TRUE(::IsWindow(m_hChildren[0]));
        EXPECT_TRUE(::IsWindow(m_hChildren[1]));
        EXPECT_EQ(m_hChildren[0], ActiveChild());
    }
    EXPECT_TRUE(g_sysCommands.empty()) << "system command " << std::hex << g_sysCommands[0].nCommand;
}

TEST_F(CMainFrameKeys, AltMinusAltSpaceAltAndF10OpenNoSystemMenu)
{
    ASSERT_TRUE(Press({VK_MENU, VK_OEM_MINUS})) << "a menu took the keys";
    ASSERT_TRUE(Press({VK_MENU, VK_SUBTRACT})) << "a menu took the keys";
    ASSERT_TRUE(Press({VK_MENU, VK_SPACE})) << "a menu took the keys";
    ASSERT_TRUE(Press({VK_MENU})) << "a menu took the keys";
    ASSERT_TRUE(Press({VK_F10})) << "a menu took the keys";
    EXPECT_TRUE(g_sysCommands.empty()) << "system command " << std::hex << g_sysCommands[0].nCommand;
    EXPECT_TRUE(::IsWindow(m_hChildren[0]));
}

TEST_F(CMainFrameKeys, AltF4StillClosesTheMainWindow)
{
    ASSERT_TRUE(m_input.TypeKeys({VK_MENU, VK_F4}));
    EXPECT_TRUE(RunApplicationMessagesUntil(
        [](const MSG& msg) { return msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE; }, kKeyTimeoutMs));
    EXPECT_FALSE(::IsWindow(m_hWndFrame));
}
