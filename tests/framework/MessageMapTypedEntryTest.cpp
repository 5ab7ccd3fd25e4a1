// Typed message map entries: each unpacks its message's parameters into the handler's
// arguments and hands the handler's result back to the sender.
#include "framework/window/CMemDC.h"
#include "framework/window/CWnd.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const COLORREF kErased = RGB(12, 34, 56);

class CTypedWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    std::vector<std::string> m_calls;

protected:
    void Record(const char* pszFormat, long long a, long long b, long long c)
    {
        char sz[80];
        std::snprintf(sz, sizeof(sz), pszFormat, a, b, c);
        m_calls.push_back(sz);
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        pDC->FillSolidRect(CRect(0, 0, 4, 4), kErased);
        Record("erase %lld %lld %lld", 0, 0, 0);
        return TRUE;
    }
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message)
    {
        Record("cursor %lld %lld %llx", hWnd == m_hWnd, nHitTest, message);
        return TRUE;
    }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Record("char %lld %lld %llx", nChar, nRepCnt, nFlags); }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Record("keydown %lld %lld %llx", nChar, nRepCnt, nFlags); }
    void OnCaptureChanged(HWND hWnd) { Record("capture %lld %lld %lld", hWnd == ::GetDesktopWindow(), 0, 0); }
    void OnLButtonDown(UINT nFlags, CPoint pt) { Record("lbuttondown %llx %lld %lld", nFlags, pt.x, pt.y); }
    void OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Record("wheel %llx %lld %lld", nFlags, zDelta, pt.x * 1000 + pt.y);
    }
};

KELO_BEGIN_MESSAGE_MAP(CTypedWnd, CWnd)
    OnWmEraseBkgnd<&CTypedWnd::OnEraseBkgnd>(),
    OnWmSetCursor<&CTypedWnd::OnSetCursor>(),
    OnWmChar<&CTypedWnd::OnChar>(),
    OnWmKeyDown<&CTypedWnd::OnKeyDown>(),
    OnWmCaptureChanged<&CTypedWnd::OnCaptureChanged>(),
    OnWmMouse<WM_LBUTTONDOWN, &CTypedWnd::OnLButtonDown>(),
    OnWmMouseWheel<&CTypedWnd::OnMouseWheel>(),
KELO_END_MESSAGE_MAP()

// The erase handler may take the bare handle instead.
class CHandleEraseWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

protected:
    BOOL OnEraseBkgnd(HDC hDC)
    {
        ::SetPixel(hDC, 1, 1, kErased);
        return 7;
    }
};

KELO_BEGIN_MESSAGE_MAP(CHandleEraseWnd, CWnd)
    OnWmEraseBkgnd<&CHandleEraseWnd::OnEraseBkgnd>(),
KELO_END_MESSAGE_MAP()

} // namespace

TEST(MessageMapTypedEntry, ParametersAreUnpackedAndResultsReturned)
{
    CTypedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    CMemDC surface(nullptr, 4, 4);

    EXPECT_EQ(TRUE, wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.m_hDC)));
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(0, wnd.SendMessage(WM_CHAR, 'a', MAKELPARAM(3, 0x1E)));
    EXPECT_EQ(0, wnd.SendMessage(WM_KEYDOWN, VK_ESCAPE, MAKELPARAM(1, 0x4001)));
    EXPECT_EQ(0, wnd.SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(::GetDesktopWindow())));
    EXPECT_EQ(0, wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 9)));
    EXPECT_EQ(0, wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(-5, 7)));

    EXPECT_EQ((std::vector<std::string>{"erase 0 0 0", "cursor 1 1 200", "char 97 3 1e", "keydown 27 1 4001",
                                        "capture 1 0 0", "lbuttondown 1 -3 9", "wheel 8 -120 -4993"}),
              wnd.m_calls);
    // The handler drew on the sender's DC, which is still the sender's.
    EXPECT_EQ(kErased, surface.GetPixel(3, 3));
    wnd.DestroyWindow();
}

TEST(MessageMapTypedEntry, EraseHandlerTakingTheHandle)
{
    CHandleEraseWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    CMemDC surface(nullptr, 4, 4);
    EXPECT_EQ(7, wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.m_hDC)));
    EXPECT_EQ(kErased, surface.GetPixel(1, 1));
    wnd.DestroyWindow();
}
