// Window creation: the guard binds the window it was armed for, PreSubclassWindow runs
// before the object's procedure and may destroy the window, and a creation that fails
// anywhere frees an object that deletes itself.
#include "framework/window/CWnd.h"
#include "framework/window/CWndCreateGuard.h"
#include "support/HeapUsage.h"
#include "support/TestWindowClass.h"
#include <gtest/gtest.h>
#include <vector>

namespace
{
// An object that deletes itself at its window's end, big enough to show in the heap.
class CSelfDeletingWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    enum Failure { kNone, kPreCreate, kOnCreate, kPreSubclassDestroys };
    explicit CSelfDeletingWnd(Failure failure) : m_failure(failure), m_payload(1 << 20) {}
    ~CSelfDeletingWnd() override { ++s_nDeleted; }

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override { return m_failure != kPreCreate; }
    void PreSubclassWindow() override
    {
        // Mapped already, but no message has come through the object yet.
        bool bRouted = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WndProc);
        s_seenFirst.push_back(FromHandlePermanent(m_hWnd) == this && !bRouted && m_seen.empty());
        if (m_failure == kPreSubclassDestroys)
            DestroyWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int OnCreate(LPCREATESTRUCTA lpcs) { return m_failure == kOnCreate ? -1 : CWnd::OnCreate(lpcs); }

    static int s_nDeleted;
    static std::vector<bool> s_seenFirst; // PreSubclassWindow came after mapping, before any message

protected:
    void PostNcDestroy() override { delete this; }

private:
    Failure m_failure;
    std::vector<char> m_payload;
    std::vector<UINT> m_seen;
};

int CSelfDeletingWnd::s_nDeleted = 0;
std::vector<bool> CSelfDeletingWnd::s_seenFirst;

KELO_BEGIN_MESSAGE_MAP(CSelfDeletingWnd, CWnd)
    OnWmCreate<&CSelfDeletingWnd::OnCreate>(),
KELO_END_MESSAGE_MAP()

// Another hook on the thread that refuses every window being created.
LRESULT CALLBACK RefusingHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    return nCode == HCBT_CREATEWND ? 1 : ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CreateSelfDeleting(CSelfDeletingWnd::Failure failure)
{
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(failure);
    return pWnd->CreateEx(0, PlainTestWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
}
} // namespace

TEST(CWndCreate, FailedCreationFreesASelfDeletingObjectOnce)
{
    ASSERT_NE(nullptr, PlainTestWindowClass());
    // Warm up: the first creation on a thread allocates for good (hooks, the IME window).
    CreateSelfDeleting(CSelfDeletingWnd::kPreCreate);
    CreateSelfDeleting(CSelfDeletingWnd::kOnCreate);

    struct Case
    {
        const char* pszName;
        CSelfDeletingWnd::Failure failure;
        bool bRefusingHook;
    };
    const Case cases[] = {
        {"PreCreateWindow refuses", CSelfDeletingWnd::kPreCreate, false},
        {"WM_CREATE answers -1", CSelfDeletingWnd::kOnCreate, false},
        {"PreSubclassWindow destroys the window", CSelfDeletingWnd::kPreSubclassDestroys, false},
        {"another hook refuses the window", CSelfDeletingWnd::kNone, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ScopedHook refusing(c.bRefusingHook ? ::SetWindowsHookExA(WH_CBT, RefusingHook, nullptr, ::GetCurrentThreadId())
                                            : nullptr);
        CSelfDeletingWnd::s_nDeleted = 0;
        SIZE_T nBefore = CountHeapBytesInUse();
        EXPECT_FALSE(CreateSelfDeleting(c.failure));
        SIZE_T nAfter = CountHeapBytesInUse();
        EXPECT_EQ(1, CSelfDeletingWnd::s_nDeleted);
        EXPECT_LT(nAfter, nBefore + (1 << 19)) << "the 1 MB object is still allocated";
    }
}

TEST(CWndCreate, PreSubclassWindowComesBeforeTheFirstMessage)
{
    CSelfDeletingWnd::s_seenFirst.clear();
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(CSelfDeletingWnd::kNone);
    ASSERT_TRUE(pWnd->CreateEx(0, PlainTestWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(std::vector<bool>{true}, CSelfDeletingWnd::s_seenFirst);
    pWnd->DestroyWindow();
}

TEST(CWndCreateGuard, BindsTheWindowOfItsClassAndParentNotTheFirstOneCreated)
{
    CWnd wnd;
    HWND hWndOtherClass = nullptr;
    HWND hWndOtherParent = nullptr;
    HWND hWndMine = nullptr;
    {
        CWndCreateGuard guard(&wnd, ::GetModuleHandleA(nullptr), PlainTestWindowClass(), nullptr);
        ASSERT_TRUE(guard.IsArmed());
        hWndOtherClass = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        hWndOtherParent = ::CreateWindowExA(0, PlainTestWindowClass(), "", WS_CHILD, 0, 0, 5, 5, hWndOtherClass,
                                            nullptr, ::GetModuleHandleA(nullptr), nullptr);
        hWndMine = ::CreateWindowExA(0, PlainTestWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
        EXPECT_EQ(hWndMine, guard.GetBoundWindow());
    }
    ASSERT_NE(nullptr, hWndMine);
    EXPECT_EQ(hWndMine, wnd.m_hWnd);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWndMine));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndOtherClass));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndOtherParent));
    // Bound from its first message: the object's procedure handles it.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&CWnd::WndProc), ::GetWindowLongPtrA(hWndMine, GWLP_WNDPROC));
    ::DestroyWindow(hWndOtherClass);
}
