// The message sequences a window sees through its message map, recorded in order and
// compared with tables, the way the platform's own conformance tests check them.
#include "framework/docview/CWinApp.h"
#include "framework/window/CWnd.h"
#include "support/TestWindowClass.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const UINT WM_TEST_BASE = WM_USER + 1;     // handled by the base class's map
const UINT WM_TEST_DERIVED = WM_USER + 2;  // handled by the derived class's map
const UINT WM_TEST_BOTH = WM_USER + 3;     // handled by both: the derived entry wins
const UINT_PTR kTimerId = 7;

struct Seen
{
    UINT nMessage;
    WPARAM wParam;
    bool operator==(const Seen& other) const { return nMessage == other.nMessage && wParam == other.wParam; }
};

// Expected sequences list only the messages of interest; recordings are filtered to them.
enum Flags { kExact = 0, kOptional = 1, kAnyWParam = 2 };
struct Expected
{
    UINT nMessage;
    WPARAM wParam;
    int nFlags;
};

std::string Describe(const std::vector<Seen>& seen)
{
    std::string text;
    char sz[40];
    for (const Seen& s : seen) {
        std::snprintf(sz, sizeof(sz), " %04x(%llu)", s.nMessage, static_cast<unsigned long long>(s.wParam));
        text += sz;
    }
    return text;
}

::testing::AssertionResult MatchesSequence(const std::vector<Seen>& seen, const std::vector<Expected>& expected)
{
    size_t i = 0;
    for (size_t j = 0; j < expected.size(); ++j) {
        const Expected& e = expected[j];
        bool bMatch = i < seen.size() && seen[i].nMessage == e.nMessage &&
                      ((e.nFlags & kAnyWParam) || seen[i].wParam == e.wParam);
        if (bMatch)
            ++i;
        else if (!(e.nFlags & kOptional))
            return ::testing::AssertionFailure() << "expected entry " << j << " missing at position " << i
                                                 << "; seen:" << Describe(seen);
    }
    if (i != seen.size())
        return ::testing::AssertionFailure() << "unexpected message at position " << i << "; seen:" << Describe(seen);
    return ::testing::AssertionSuccess();
}

class CRecordingWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    std::vector<Seen> m_seen;       // every message, as the window procedure got it
    std::vector<Seen> m_handled;    // the handlers that ran

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_seen.push_back({message, wParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Seen> SeenOf(std::initializer_list<UINT> interesting) const
    {
        std::vector<Seen> result;
        for (const Seen& s : m_seen)
            for (UINT nMessage : interesting)
                if (s.nMessage == nMessage)
                    result.push_back(s);
        return result;
    }

protected:
    LRESULT OnTestBase(WPARAM wParam, LPARAM) { m_handled.push_back({WM_TEST_BASE, wParam}); return 100; }
    LRESULT OnTestBoth(WPARAM wParam, LPARAM) { m_handled.push_back({WM_TEST_BOTH, 1}); return 1; }
};

KELO_BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    OnMessage<WM_TEST_BASE, &CRecordingWnd::OnTestBase>(),
    OnMessage<WM_TEST_BOTH, &CRecordingWnd::OnTestBoth>(),
KELO_END_MESSAGE_MAP()

class CTimerWnd : public CRecordingWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    int m_nTicks = 0;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs)
    {
        m_handled.push_back({WM_CREATE, 0});
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        SetTimer(kTimerId, 10);
        return 0;
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        m_handled.push_back({WM_TIMER, nIDEvent});
        if (++m_nTicks == 3) {
            KillTimer(kTimerId);
            PostMessage(WM_TEST_BASE, 42);
            PostMessage(WM_TEST_DERIVED, 43);
            PostMessage(WM_TEST_BOTH);
            PostMessage(WM_CLOSE);
        }
    }
    LRESULT OnTestDerived(WPARAM wParam, LPARAM) { m_handled.push_back({WM_TEST_DERIVED, wParam}); return 0; }
    LRESULT OnTestBoth(WPARAM wParam, LPARAM) { m_handled.push_back({WM_TEST_BOTH, 2}); return 2; }
    void OnDestroy()
    {
        m_handled.push_back({WM_DESTROY, 0});
        ::PostQuitMessage(5);
    }
};

KELO_BEGIN_MESSAGE_MAP(CTimerWnd, CRecordingWnd)
    OnWmCreate<&CTimerWnd::OnCreate>(),
    OnWmTimer<&CTimerWnd::OnTimer>(),
    OnMessage<WM_TEST_DERIVED, &CTimerWnd::OnTestDerived>(),
    OnMessage<WM_TEST_BOTH, &CTimerWnd::OnTestBoth>(),
    OnWmDestroy<&CTimerWnd::OnDestroy>(),
KELO_END_MESSAGE_MAP()

// Runs the thread's message loop until WM_QUIT; gives its exit code.
int RunLoop()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}
} // namespace

TEST(CWndMessageSequence, CreationTimerPostedMessagesAndDestruction)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainTestWindowClass(), "test", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    HWND hWnd = wnd.m_hWnd;
    wnd.ShowWindow(SW_SHOWNOACTIVATE);

    EXPECT_EQ(5, RunLoop());

    // The window procedure saw creation from its very first message, then the loop's work.
    EXPECT_TRUE(MatchesSequence(
        wnd.SeenOf({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW, WM_SIZE, WM_MOVE, WM_TIMER,
                    WM_TEST_BASE, WM_TEST_DERIVED, WM_TEST_BOTH, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
        {
            {WM_GETMINMAXINFO, 0, kOptional},
            {WM_NCCREATE, 0, kExact},
            {WM_NCCALCSIZE, 0, kExact},
            {WM_CREATE, 0, kExact},
            // A window created hidden gets its first size and position when first shown.
            {WM_SHOWWINDOW, TRUE, kExact},
            {WM_SIZE, SIZE_RESTORED, kExact},
            {WM_MOVE, 0, kExact},
            {WM_TIMER, kTimerId, kExact},
            {WM_TIMER, kTimerId, kExact},
            {WM_TIMER, kTimerId, kExact},
            {WM_TEST_BASE, 42, kExact},
            {WM_TEST_DERIVED, 43, kExact},
            {WM_TEST_BOTH, 0, kExact},
            {WM_CLOSE, 0, kExact},
            {WM_DESTROY, 0, kExact},
            {WM_NCDESTROY, 0, kExact},
        }));

    // Handlers came from the right tables: base entries are found through the chain, and a
    // derived entry hides the base entry for the same message.
    EXPECT_EQ((std::vector<Seen>{{WM_CREATE, 0}, {WM_TIMER, kTimerId}, {WM_TIMER, kTimerId}, {WM_TIMER, kTimerId},
                                 {WM_TEST_BASE, 42}, {WM_TEST_DERIVED, 43}, {WM_TEST_BOTH, 2}, {WM_DESTROY, 0}}),
              wnd.m_handled);

    // After its last message the object lets go of the window.
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(CWndMessageSequence, HandlerResultsReachTheSender)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainTestWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(100, wnd.SendMessage(WM_TEST_BASE, 1));
    EXPECT_EQ(2, wnd.SendMessage(WM_TEST_BOTH));
    wnd.DestroyWindow();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
}

namespace
{
// A subclassed system control: its own procedure still does what the map leaves alone.
class CUpperEdit : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    int m_nSetTextCount = 0;

protected:
    LRESULT OnSetText(WPARAM, LPARAM lParam)
    {
        ++m_nSetTextCount;
        CString strText(reinterpret_cast<const char*>(lParam));
        strText.MakeUpper();
        return DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.GetString()));
    }
};

KELO_BEGIN_MESSAGE_MAP(CUpperEdit, CWnd)
    OnMessage<WM_SETTEXT, &CUpperEdit::OnSetText>(),
KELO_END_MESSAGE_MAP()
} // namespace

TEST(CWndSubclass, MapFirstThenThePreviousProcedure)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    WNDPROC pfnEdit = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    {
        CUpperEdit edit;
        ASSERT_TRUE(edit.SubclassWindow(hEdit));
        EXPECT_FALSE(CUpperEdit().SubclassWindow(hEdit)) << "a window has one object at most";

        ::SetWindowTextA(hEdit, "abc");
        EXPECT_EQ(1, edit.m_nSetTextCount);
        char szText[16] = {};
        ::GetWindowTextA(hEdit, szText, sizeof(szText));
        EXPECT_STREQ("ABC", szText) << "the edit control's own procedure stored the text";

        EXPECT_EQ(hEdit, edit.UnsubclassWindow());
        EXPECT_EQ(pfnEdit, reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hEdit, GWLP_WNDPROC)));
        ::SetWindowTextA(hEdit, "def");
        EXPECT_EQ(1, edit.m_nSetTextCount);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    }
    EXPECT_TRUE(::IsWindow(hEdit)) << "an unsubclassed window outlives the object";
    ::DestroyWindow(hEdit);
}

TEST(CWndSubclass, ObjectGoingAwayTakesItsWindowWithIt)
{
    HWND hWnd = nullptr;
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, PlainTestWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

namespace
{
class CRefusingWnd : public CRecordingWnd
{
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override { return FALSE; }
};

class CStyledWnd : public CRecordingWnd
{
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        cs.style = WS_POPUP;
        cs.cx = 321;
        cs.cy = 123;
        return TRUE;
    }
};
} // namespace

TEST(CWndCreate, PreCreateWindowDecidesStyleAndSizeOrRefuses)
{
    CRefusingWnd refusing;
    EXPECT_FALSE(refusing.CreateEx(0, PlainTestWindowClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, refusing.m_hWnd);
    EXPECT_TRUE(refusing.m_seen.empty());

    CStyledWnd styled;
    ASSERT_TRUE(styled.CreateEx(0, PlainTestWindowClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP), styled.GetStyle() & (WS_POPUP | WS_CAPTION | WS_THICKFRAME));
    CRect rc;
    styled.GetWindowRect(&rc);
    EXPECT_EQ(CSize(321, 123), rc.Size());
}

namespace
{
// Creates a child window while handling its own WM_CREATE: nested creations bind each
// window to its own object.
class CParentWnd : public CRecordingWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CRecordingWnd m_child;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs)
    {
        return m_child.CreateEx(0, PlainTestWindowClass(), "child", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, m_hWnd, nullptr) ? 0 : -1;
    }
};

KELO_BEGIN_MESSAGE_MAP(CParentWnd, CRecordingWnd)
    OnWmCreate<&CParentWnd::OnCreate>(),
KELO_END_MESSAGE_MAP()
} // namespace

TEST(CWndCreate, NestedCreationBindsEachObject)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainTestWindowClass(), "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_NE(nullptr, parent.m_child.m_hWnd);
    EXPECT_EQ(parent.m_hWnd, ::GetParent(parent.m_child.m_hWnd));
    EXPECT_EQ(&parent.m_child, CWnd::FromHandlePermanent(parent.m_child.m_hWnd));
    EXPECT_EQ(WM_NCCREATE, parent.m_child.SeenOf({WM_NCCREATE, WM_CREATE}).front().nMessage);
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, parent.m_child.m_hWnd);
}
