// The ways out of the kiosk that stay closed, tried on the real Kelo.exe as a visitor
// would: every Ctrl, Ctrl+Shift and Alt letter, Alt+Space, the function keys, Shift+F10 and
// the menu key, pressed as real key events with the focus on the start page and on the
// skin, open no window, start no process and change neither the frames nor the page; with
// a backdrop, a click anywhere outside Kelo's window lands on the backdrop.
#include "pageengine/view/CPageView.h"
#include "support/CKeloProcess.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <functional>
#include <set>
#include <string>

namespace
{
using namespace TestSkin;

const DWORD kWaitMs = 8000;
const COLORREF kBackdrop = RGB(0x20, 0x40, 0x60);

bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = kWaitMs)
{
    return PumpUntil(condition, dwTimeoutMs);
}

BOOL CALLBACK AddVisibleWindow(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd))
        reinterpret_cast<std::set<HWND>*>(lParam)->insert(hWnd);
    return TRUE;
}

// The visible top-level windows of every process.
std::set<HWND> VisibleWindows()
{
    std::set<HWND> windows;
    ::EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

BOOL CALLBACK FindInputMethodWindow(HWND hWnd, LPARAM lParam)
{
    char szClass[8] = {};
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) && ::lstrcmpiA(szClass, "IME") == 0) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the thread of hWnd has an input method's window, which its keys could open.
bool HasInputMethodWindow(HWND hWnd)
{
    bool bFound = false;
    ::EnumThreadWindows(::GetWindowThreadProcessId(hWnd, nullptr), FindInputMethodWindow, reinterpret_cast<LPARAM>(&bFound));
    return bFound;
}

std::set<DWORD> Processes()
{
    std::set<DWORD> processes;
    ScopedHandle hSnapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
        processes.insert(entry.th32ProcessID);
    return processes;
}

template <class T> std::set<T> Added(const std::set<T>& before, const std::set<T>& after)
{
    std::set<T> added;
    for (const T& item : after) {
        if (!before.count(item))
            added.insert(item);
    }
    return added;
}

// The keys of the storm, as xdotool names them, in two rounds.
std::string CtrlLetters()
{
    std::string strKeys;
    for (char ch = 'a'; ch <= 'z'; ++ch)
        strKeys += std::string(" ctrl+") + ch + " ctrl+shift+" + ch;
    return strKeys;
}

std::string AltAndFunctionKeys()
{
    std::string strKeys = " alt+space shift+F10 Menu";
    for (char ch = 'a'; ch <= 'z'; ++ch)
        strKeys += std::string(" alt+") + ch;
    for (int n = 1; n <= 12; ++n)
        strKeys += " F" + std::to_string(n);
    return strKeys;
}

class KioskDoors : public ::testing::Test
{
protected:
    void Start(const char* pszMoreSettings = "")
    {
        for (const char* pszFile : {"main.html", "aide.html", "film.png"})
            ASSERT_TRUE(CopyFileTo(WindowsPathOf((std::string(KELO_SOURCE_DIR "/tools/kiosk/res/") + pszFile).c_str()),
                                   m_kiosk.Folder().MakeFolder("res") + "\\" + pszFile));
        m_kiosk.Folder().WriteFile("Kelo.ini", std::string("[Generalite]\r\nAppli=Demo\r\n") + pszMoreSettings);
        // The corner of the screen is outside the centred window: no button starts hovered.
        ASSERT_TRUE(MovePointerTo(0, 0));
        ASSERT_TRUE(m_kelo.Start());
        ASSERT_NE(nullptr, m_kelo.WaitForWindow(nullptr, 15000));
        // The main window is the one holding the MDI client (a backdrop is Kelo's too).
        ASSERT_TRUE(WaitFor([&] {
            for (HWND hWnd : VisibleWindows()) {
                DWORD dwProcessId = 0;
                ::GetWindowThreadProcessId(hWnd, &dwProcessId);
                if (dwProcessId == m_kelo.ProcessId() && ::FindWindowExA(hWnd, nullptr, "MDIClient", nullptr))
                    m_hWndMain = hWnd;
            }
            return m_hWndMain != nullptr;
        }));
        ASSERT_TRUE(WaitFor([&] { return Pixel(5, 300) == kLeft && Pixel(kMiniAt.x + 10, kMiniAt.y + 10) == kNormal; }))
            << "the skin was not painted";
        ASSERT_TRUE(WaitFor([&] { return (m_hWndView = FindVisibleDescendant(m_hWndMain, CPageView::s_pszClassName)) != nullptr; }))
            << "no built-in page view";
    }

    void TearDown() override { ReleaseLeftButton(); }

    POINT ScreenPoint(int x, int y) const
    {
        POINT pt = {x, y};
        ::ClientToScreen(m_hWndMain, &pt);
        return pt;
    }

    COLORREF Pixel(int x, int y) const
    {
        POINT pt = ScreenPoint(x, y);
        return ScreenPixel(pt.x, pt.y);
    }

    BOOL PointAt(int x, int y) const
    {
        POINT pt = ScreenPoint(x, y);
        return MovePointerTo(pt.x, pt.y);
    }

    // Real input reaches Kelo's windows in order, keys and pointer alike: once the minimise
    // button shows its hover image, every key before it was handled.
    bool HandledAllInput() const
    {
        auto shows = [&](COLORREF cr) { return WaitFor([&] { return Pixel(kMiniAt.x + 10, kMiniAt.y + 10) == cr; }); };
        return PointAt(kMiniAt.x + 12, kMiniAt.y + 12) && shows(kHover) && PointAt(400, 300) && shows(kNormal);
    }

    // The MDI children: each document's two frames.
    std::set<HWND> MdiChildren() const
    {
        std::set<HWND> children;
        HWND hWndClient = ::FindWindowExA(m_hWndMain, nullptr, "MDIClient", nullptr);
        for (HWND hWnd = ::FindWindowExA(hWndClient, nullptr, nullptr, nullptr); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            if (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
                children.insert(hWnd);
        }
        return children;
    }

    std::string PageTitle() const
    {
        char szText[256] = {};
        ::GetWindowTextA(m_hWndView, szText, sizeof(szText));
        return szText;
    }

    // Types the keys, then checks that nothing came of them.
    void ExpectNothingFrom(const std::string& strKeys, const char* pszWhere)
    {
        std::set<HWND> windowsBefore = VisibleWindows();
        std::set<DWORD> processesBefore = Processes();
        std::set<HWND> childrenBefore = MdiChildren();
        std::string strTitle = PageTitle();
        ASSERT_EQ(2u, childrenBefore.size());

        ASSERT_TRUE(PressKeys(strKeys.c_str()));
        ASSERT_TRUE(HandledAllInput()) << "Kelo did not take the input, " << pszWhere;

        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(m_kelo.Process(), 0)) << "Kelo ended, " << pszWhere;
        EXPECT_TRUE(Added(windowsBefore, VisibleWindows()).empty()) << "a window came up, " << pszWhere;
        EXPECT_TRUE(Added(processesBefore, Processes()).empty()) << "a process started, " << pszWhere;
        EXPECT_EQ(childrenBefore, MdiChildren()) << "the frames changed, " << pszWhere;
        EXPECT_TRUE(::IsWindow(m_hWndView)) << pszWhere;
        EXPECT_EQ(strTitle, PageTitle()) << "the page changed, " << pszWhere;
    }

    CTestKiosk m_kiosk;
    CKeloProcess m_kelo{m_kiosk.Path()};
    HWND m_hWndMain = nullptr;
    HWND m_hWndView = nullptr;
};
} // namespace

TEST_F(KioskDoors, NoKeyOpensAWindowStartsAProcessOrChangesFramesOrPageWhereverTheFocusIs)
{
    Start();
    // A click where the page has no link gives it the keyboard, as a visitor's would.
    CRect rcView;
    ::GetClientRect(m_hWndView, &rcView);
    POINT ptBlank = {10, rcView.bottom - 10};
    ::ClientToScreen(m_hWndView, &ptBlank);
    ASSERT_TRUE(ClickAt(ptBlank));
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == m_hWndMain; })) << "Kelo did not take the focus";
    EXPECT_FALSE(HasInputMethodWindow(m_hWndMain));
    ExpectNothingFrom(CtrlLetters(), "page focused, Ctrl");
    ExpectNothingFrom(AltAndFunctionKeys(), "page focused, Alt and function keys");

    // The skin's bottom band.
    ASSERT_TRUE(ClickAt(ScreenPoint(400, 600 - kBottomHeight / 2)));
    ExpectNothingFrom(CtrlLetters() + AltAndFunctionKeys(), "skin focused");
}

TEST_F(KioskDoors, WithABackdropAClickOutsideKelosWindowLandsOnIt)
{
    Start("Fond=#204060\r\n");
    RECT rcMain = {};
    ::GetWindowRect(m_hWndMain, &rcMain);
    const POINT outside[] = {{2, 2}, {rcMain.right + 10, rcMain.bottom + 10}, {rcMain.left - 10, rcMain.top + 300}};
    std::set<HWND> windowsBefore = VisibleWindows();
    for (const POINT& pt : outside) {
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(pt.x, pt.y) == kBackdrop; })) << pt.x << "," << pt.y;
        ASSERT_TRUE(ClickAt(pt));
    }
    ASSERT_TRUE(HandledAllInput());
    for (const POINT& pt : outside)
        EXPECT_EQ(kBackdrop, ScreenPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // Kelo's window stays above it, and nothing else comes up.
    EXPECT_EQ(kLeft, Pixel(5, 300));
    EXPECT_TRUE(Added(windowsBefore, VisibleWindows()).empty());
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(m_kelo.Process(), 0));
}
