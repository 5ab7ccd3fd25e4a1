#include "support/MenuWindows.h"
#include "framework/window/CClientDC.h"
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include "support/CInputDriver.h"
#include "support/MessagePump.h"
#include <algorithm>

namespace
{
const DWORD kWaitMs = 3000;

GUITHREADINFO ThreadInfo(DWORD dwThreadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(dwThreadId, &info);
    return info;
}

LONG LeftOf(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc.left;
}
} // namespace

namespace
{
// The visible menu windows whose owning process passes the test. EnumWindows works on a
// snapshot of the window list; walking it with FindWindowEx while menus open and close can
// skip a window whose place in the z-order changes meanwhile.
template <typename Test> std::vector<HWND> VisibleMenuWindows(Test test)
{
    struct Search
    {
        Test test;
        std::vector<HWND> windows;
    } search = {test, {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            Search& s = *reinterpret_cast<Search*>(lParam);
            char szClass[POPUPMENU_CLASS_NAME_SIZE] = "";
            ::GetClassNameA(hWnd, szClass, POPUPMENU_CLASS_NAME_SIZE);
            if (::lstrcmpA(szClass, POPUPMENU_CLASS_NAME) == 0 && ::IsWindowVisible(hWnd) && s.test(hWnd))
                s.windows.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}
} // namespace

HWND FindMenuWindow(const CPopupMenu* pMenu)
{
    const std::vector<HWND> windows = VisibleMenuWindows(
        [pMenu](HWND hWnd) { return ::GetWindowLongPtrA(hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(pMenu); });
    return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> FindMenuWindows(DWORD dwProcessId)
{
    std::vector<HWND> windows = VisibleMenuWindows([dwProcessId](HWND hWnd) {
        DWORD dwOwner = 0;
        ::GetWindowThreadProcessId(hWnd, &dwOwner);
        return dwOwner == dwProcessId;
    });
    std::sort(windows.begin(), windows.end(), [](HWND a, HWND b) { return LeftOf(a) < LeftOf(b); });
    return windows;
}

bool WaitForMenuWindow(const CPopupMenu* pMenu)
{
    return PumpUntil([pMenu] { return FindMenuWindow(pMenu) != nullptr; }, kWaitMs);
}

bool WaitForMenuClosed(const CPopupMenu* pMenu)
{
    return PumpUntil([pMenu] { return FindMenuWindow(pMenu) == nullptr; }, kWaitMs);
}

std::vector<HWND> WaitForMenuWindows(DWORD dwProcessId, size_t nCount)
{
    std::vector<HWND> windows;
    PumpUntil(
        [&] {
            windows = FindMenuWindows(dwProcessId);
            return windows.size() == nCount;
        },
        kWaitMs);
    return windows.size() == nCount ? windows : std::vector<HWND>();
}

bool WaitForMenuCount(DWORD dwProcessId, size_t nCount)
{
    return PumpUntil([=] { return FindMenuWindows(dwProcessId).size() == nCount; }, kWaitMs);
}

bool WaitForCapture(DWORD dwThreadId, HWND hWnd)
{
    return PumpUntil([=] { return ThreadInfo(dwThreadId).hwndCapture == hWnd; }, kWaitMs);
}

bool WaitForFocus(DWORD dwThreadId, HWND hWnd)
{
    return PumpUntil([=] { return ThreadInfo(dwThreadId).hwndFocus == hWnd; }, kWaitMs);
}

POINT ScreenPointOf(HWND hWnd, POINT ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

bool HoverOver(CInputDriver& input, DWORD dwThreadId, HWND hWndMenu, POINT ptClient)
{
    POINT pt = ScreenPointOf(hWndMenu, ptClient);
    input.MovePointerTo(pt.x, pt.y + 1);
    WaitForCapture(dwThreadId, hWndMenu);
    input.MovePointerTo(pt.x, pt.y);
    // The menu has taken the movement once the entry's bar is drawn, near its right end.
    const CPopupMenu* pMenu = reinterpret_cast<const CPopupMenu*>(::GetWindowLongPtrA(hWndMenu, GWLP_USERDATA));
    RECT rc = {};
    ::GetClientRect(hWndMenu, &rc);
    return pMenu && PumpUntil(
                        [&] {
                            CClientDC dc(hWndMenu);
                            return dc.GetPixel(rc.right - 4, ptClient.y) == pMenu->m_crHighlight;
                        },
                        kWaitMs);
}
