#include "support/MenuWindows.h"
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

HWND FindMenuWindow(const CPopupMenu* pMenu)
{
    HWND hWnd = nullptr;
    while ((hWnd = ::FindWindowExA(nullptr, hWnd, POPUPMENU_CLASS_NAME, nullptr)) != nullptr) {
        if (::GetWindowLongPtrA(hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(pMenu) && ::IsWindowVisible(hWnd))
            return hWnd;
    }
    return nullptr;
}

std::vector<HWND> FindMenuWindows(DWORD dwProcessId)
{
    std::vector<HWND> windows;
    HWND hWnd = nullptr;
    while ((hWnd = ::FindWindowExA(nullptr, hWnd, POPUPMENU_CLASS_NAME, nullptr)) != nullptr) {
        DWORD dwOwner = 0;
        ::GetWindowThreadProcessId(hWnd, &dwOwner);
        if (dwOwner == dwProcessId && ::IsWindowVisible(hWnd))
            windows.push_back(hWnd);
    }
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

void HoverOver(CInputDriver& input, DWORD dwThreadId, HWND hWndMenu, POINT ptClient)
{
    POINT pt = ScreenPointOf(hWndMenu, ptClient);
    input.MovePointerTo(pt.x, pt.y + 1);
    WaitForCapture(dwThreadId, hWndMenu);
    input.MovePointerTo(pt.x, pt.y);
}
