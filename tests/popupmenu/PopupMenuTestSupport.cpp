#include "PopupMenuTestSupport.h"
#include "popupmenu/PopupMenuConstants.h"
#include "support/MessagePump.h"
#include "support/CInputDriver.h"

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
} // namespace

CLauncherShapedMenu::CLauncherShapedMenu(std::function<void(CPopupMenu&)> setUp)
{
    if (setUp) {
        setUp(m_root);
        setUp(m_styles);
    }
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    m_root.Create(hInstance, -1);
    m_styles.Create(hInstance, -1);
    m_root.AddSubmenu(0, "Styles :", &m_styles, -1);
    m_styles.AddItem(0, "Classique", kFirstSkinId, -1);
    m_styles.AddItem(0, "Nuit", kFirstSkinId + 1, -1);
    m_root.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    m_root.AddItem(0, "&Quitter", kQuitId, -1);
}

HWND FindMenuWindow(const CPopupMenu* pMenu)
{
    HWND hWnd = nullptr;
    while ((hWnd = ::FindWindowExA(nullptr, hWnd, POPUPMENU_CLASS_NAME, nullptr)) != nullptr) {
        if (::GetWindowLongPtrA(hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(pMenu) && ::IsWindowVisible(hWnd))
            return hWnd;
    }
    return nullptr;
}

bool WaitForMenuWindow(const CPopupMenu* pMenu)
{
    return PumpUntil([pMenu] { return FindMenuWindow(pMenu) != nullptr; }, kWaitMs);
}

bool WaitForMenuClosed(const CPopupMenu* pMenu)
{
    return PumpUntil([pMenu] { return FindMenuWindow(pMenu) == nullptr; }, kWaitMs);
}

bool WaitForCapture(DWORD dwThreadId, HWND hWnd)
{
    return PumpUntil([=] { return ThreadInfo(dwThreadId).hwndCapture == hWnd; }, kWaitMs);
}

bool WaitForFocus(DWORD dwThreadId, HWND hWnd)
{
    return PumpUntil([=] { return ThreadInfo(dwThreadId).hwndFocus == hWnd; }, kWaitMs);
}

POINT ScreenPointOf(const CPopupMenu* pMenu, POINT ptClient)
{
    ::ClientToScreen(FindMenuWindow(pMenu), &ptClient);
    return ptClient;
}

void HoverOver(CInputDriver& input, DWORD dwThreadId, const CPopupMenu* pMenu, POINT ptClient)
{
    POINT pt = ScreenPointOf(pMenu, ptClient);
    input.MovePointerTo(pt.x, pt.y + 1);
    WaitForCapture(dwThreadId, FindMenuWindow(pMenu));
    input.MovePointerTo(pt.x, pt.y);
}
