#include "app/CKeyPolicy.h"
#include "links/PageRules.h"

namespace
{
BOOL IsDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}
} // namespace

BOOL CKeyPolicy::Drops(const MSG& msg)
{
    BOOL bCtrl = IsDown(VK_CONTROL);
    BOOL bAlt = IsDown(VK_MENU);
    switch (msg.message) {
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the main window: the system's default handling of the key does it.
        return !(msg.wParam == VK_F4 && bAlt && !bCtrl);
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
        // Their default handling opens the system menu (Alt alone, Alt+Space, F10).
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // A release goes where its press went: the default handling of some releases
        // (the menu key) opens a menu.
        return !IsPageKey(WM_KEYDOWN, static_cast<UINT>(msg.wParam), bCtrl, bAlt);
    default:
        // Characters come only from the keys let through: the page's typing.
        return FALSE;
    }
}
