#pragma once
// Finding the popup menu's windows ("fpmMenuClass") from a test, and pointing into them.
#include <windows.h>
#include <vector>

class CInputDriver;
class CPopupMenu;

// The visible menu window of pMenu (any thread of this process), or null.
HWND FindMenuWindow(const CPopupMenu* pMenu);
// The visible menu windows of a process, left to right: a menu before its submenu.
std::vector<HWND> FindMenuWindows(DWORD dwProcessId);
// Each waits (bounded) for its condition and tells whether it came.
bool WaitForMenuWindow(const CPopupMenu* pMenu);
bool WaitForMenuClosed(const CPopupMenu* pMenu);
bool WaitForMenuCount(DWORD dwProcessId, size_t nCount);
// The nCount menu windows of the process once there are that many (as FindMenuWindows),
// or none.
std::vector<HWND> WaitForMenuWindows(DWORD dwProcessId, size_t nCount);
// The thread's mouse capture (or keyboard focus) on hWnd.
bool WaitForCapture(DWORD dwThreadId, HWND hWnd);
bool WaitForFocus(DWORD dwThreadId, HWND hWnd);
// The screen point of a client point of a window.
POINT ScreenPointOf(HWND hWnd, POINT ptClient);
// Moves the pointer onto the client point of a menu window of this process in two steps,
// the second once the capture has reached that window (dwThreadId's), so the window itself
// sees it; tells whether the entry there was then drawn highlighted.
bool HoverOver(CInputDriver& input, DWORD dwThreadId, HWND hWndMenu, POINT ptClient);
