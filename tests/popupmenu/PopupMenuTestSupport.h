#pragma once
// The launcher-shaped menu the window tests drive: "Styles :" opening a submenu of two
// skins, a separator and "&Quitter" (99), shown with its top-left at (kMenuX, kMenuY).
#include "popupmenu/CPopupMenu.h"
#include <functional>

class CInputDriver;

const int kMenuX = 100;
const int kMenuY = 100;
const int kQuitId = 99;
const int kFirstSkinId = 101;
// Client points inside the entries: "Styles :" / the first skin (top 3), the second skin
// (top 20), "&Quitter" (top 25).
const POINT kFirstEntry = {10, 11};
const POINT kSecondSkin = {10, 28};
const POINT kQuitEntry = {10, 33};
// Far from every menu window.
const POINT kOutside = {900, 700};

class CLauncherShapedMenu
{
public:
    // Declared in the launcher's order: the submenu goes first when both are destroyed.
    CPopupMenu m_root;
    CPopupMenu m_styles;

    explicit CLauncherShapedMenu(std::function<void(CPopupMenu&)> setUp = nullptr);
};

// The visible menu window of pMenu (any thread of this process), or null.
HWND FindMenuWindow(const CPopupMenu* pMenu);
// Waits (bounded) for pMenu's window to appear, or to be gone.
bool WaitForMenuWindow(const CPopupMenu* pMenu);
bool WaitForMenuClosed(const CPopupMenu* pMenu);
// Waits (bounded) until the thread's mouse capture (or keyboard focus) is on hWnd.
bool WaitForCapture(DWORD dwThreadId, HWND hWnd);
bool WaitForFocus(DWORD dwThreadId, HWND hWnd);
// The screen point of a client point of pMenu's window.
POINT ScreenPointOf(const CPopupMenu* pMenu, POINT ptClient);
// Moves the pointer onto the client point of pMenu's window in two steps, the second
// once the capture has reached that window, so the window itself sees the pointer.
void HoverOver(CInputDriver& input, DWORD dwThreadId, const CPopupMenu* pMenu, POINT ptClient);
