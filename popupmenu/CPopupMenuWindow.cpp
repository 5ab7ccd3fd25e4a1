// CPopupMenu: the menu window, its modal loop and the pointer and keyboard handling.
// A menu and its open submenus form a chain of windows; a choice or a dismissal closes
// the whole chain by destroying the root's window, whose close handling closes the rest.
#include "popupmenu/CPopupMenu.h"
#include "framework/window/CClientDC.h"
#include "popupmenu/PopupMenuConstants.h"

// Messages the menu window handles, in this order. With bDefault the result is that of
// DefWindowProcA, called after the handler.
struct CPopupMenu::MessageEntry
{
    UINT nMessage;
    LRESULT (CPopupMenu::*pfnHandler)(WPARAM wParam, LPARAM lParam);
    bool bDefault;
};

const CPopupMenu::MessageEntry CPopupMenu::s_messageMap[] = {
    {WM_DESTROY, &CPopupMenu::OnDestroy, true},
    {WM_PAINT, &CPopupMenu::OnPaint, true},
    {WM_ERASEBKGND, &CPopupMenu::OnEraseBkgnd, false},
    {WM_CHAR, &CPopupMenu::OnChar, true},
    {WM_TIMER, &CPopupMenu::OnTimer, true},
    {WM_MOUSEMOVE, &CPopupMenu::OnMouseMove, true},
    {WM_LBUTTONDOWN, &CPopupMenu::OnButtonDown, true},
    {WM_RBUTTONDOWN, &CPopupMenu::OnButtonDown, true},
    {WM_LBUTTONUP, &CPopupMenu::OnLButtonUp, true},
    {WM_RBUTTONUP, &CPopupMenu::OnRButtonUp, true},
};

bool CPopupMenu::RegisterWindowClass(HINSTANCE hInstance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PopupMenuWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = POPUPMENU_CLASS_NAME;
    return ::RegisterClassA(&wc) != 0;
}

CPopupMenu* CPopupMenu::FromHandle(HWND hWnd)
{
    return reinterpret_cast<CPopupMenu*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

LRESULT CALLBACK CPopupMenu::PopupMenuWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        CPopupMenu* pMenu = static_cast<CPopupMenu*>(reinterpret_cast<LPCREATESTRUCTA>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pMenu));
        // Known from here on: showing the window at creation already paints it.
        if (pMenu)
            pMenu->m_hWnd = hWnd;
    }
    CPopupMenu* pMenu = FromHandle(hWnd);
    if (pMenu) {
        for (const MessageEntry& entry : s_messageMap) {
            if (entry.nMessage != message)
                continue;
            LRESULT lResult = (pMenu->*entry.pfnHandler)(wParam, lParam);
            if (!entry.bDefault)
                return lResult;
            break;
        }
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

int CPopupMenu::Track(int x, int y, HWND hWndOwner, bool bModal, bool bNoCapture)
{
    Layout();
    RECT rcWork = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const POINT pt = PlaceInWorkArea(x, y, m_nWidth, m_nHeight, rcWork);

    // On top, as menus are: also above a window kept on top of the desktop's.
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, POPUPMENU_CLASS_NAME, "", WS_POPUP | WS_VISIBLE, pt.x, pt.y,
                                  m_nWidth, m_nHeight, nullptr, nullptr, m_hInstance, this);
    if (!hWnd)
        return 0;
    m_hWnd = hWnd;

    if (bNoCapture) {
        m_bIgnoreLButtonUp = m_bIgnoreRButtonUp = false;
        m_nState = 1;
    } else {
        ::SetCapture(m_hWnd);
        m_nState = 2;
        // The release of a button held while the menu opens is not a click.
        m_bIgnoreLButtonUp = ::GetKeyState(VK_LBUTTON) < 0;
        m_bIgnoreRButtonUp = ::GetKeyState(VK_RBUTTON) < 0;
    }
    m_bModal = bModal;
    m_hWndOwner = hWndOwner;
    if (!bModal)
        return 0;

    RunModalLoop();
    return m_nResult;
}

void CPopupMenu::RunModalLoop()
{
    // The window is checked before each wait, so a closed menu neither waits for one more
    // message nor swallows it: whatever comes next is left to the caller's loop.
    MSG msg;
    while (::IsWindow(m_hWnd)) {
        const BOOL bResult = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bResult == 0) {
            // The quit request belongs to the application's own loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (bResult == -1)
            return;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CPopupMenu* CPopupMenu::GetRootMenu()
{
    CPopupMenu* pRoot = this;
    while (pRoot->m_pParent)
        pRoot = pRoot->m_pParent;
    return pRoot;
}

void CPopupMenu::EndMenu(int nId)
{
    CPopupMenu* pRoot = GetRootMenu();
    pRoot->m_nResult = nId;
    if (pRoot->m_hWnd)
        ::DestroyWindow(pRoot->m_hWnd);
}

bool CPopupMenu::CloseIfOutside(int x, int y, const RECT& rcClient)
{
    if (InEntryArea(x, y, rcClient))
        return false;
    m_nSelected = -1;
    m_nResult = 0;
    CPopupMenu* pRoot = GetRootMenu();
    if (pRoot->m_hWnd)
        ::DestroyWindow(pRoot->m_hWnd);
    return true;
}

void CPopupMenu::OpenSubmenu(UINT_PTR nTimerId)
{
    ::KillTimer(m_hWnd, nTimerId);
    if (m_nSelected == -1 || !m_items[m_nSelected].m_pSubmenu)
        return;
    const PopupMenuItem& item = m_items[m_nSelected];
    POINT pt = {m_nWidth - POPUPMENU_SUBMENU_OVERLAP_X, item.m_nTop - POPUPMENU_SUBMENU_OFFSET_Y};
    ::ClientToScreen(m_hWnd, &pt);
    // Runs until the submenu's window is gone; the capture stays here until the pointer
    // moves onto the submenu.
    item.m_pSubmenu->Track(pt.x, pt.y, nullptr, true, true);
}

CPopupMenu* CPopupMenu::OtherMenuAt(POINT ptScreen) const
{
    HWND hWnd = ::WindowFromPoint(ptScreen);
    if (!hWnd || hWnd == m_hWnd)
        return nullptr;
    char szClass[POPUPMENU_CLASS_NAME_SIZE] = "";
    ::GetClassNameA(hWnd, szClass, POPUPMENU_CLASS_NAME_SIZE);
    if (::lstrcmpA(szClass, POPUPMENU_CLASS_NAME) != 0)
        return nullptr;
    // Only this thread's menu windows hold a menu object of ours: the user data of any
    // other window of that class is not a pointer we may follow.
    if (::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    CPopupMenu* pOther = FromHandle(hWnd);
    return pOther != this ? pOther : nullptr;
}

LRESULT CPopupMenu::OnDestroy(WPARAM, LPARAM)
{
    for (const PopupMenuItem& item : m_items) {
        if (item.m_pSubmenu && item.m_pSubmenu->m_nState != 0 && item.m_pSubmenu->m_hWnd)
            ::DestroyWindow(item.m_pSubmenu->m_hWnd);
    }
    if (m_nState == 2)
        ::ReleaseCapture();
    m_nState = 0;
    m_hWnd = nullptr;
    if (!m_bModal && m_nResult != 0 && !m_bIsSubmenu)
        ::PostMessageA(m_hWndOwner, WM_COMMAND, static_cast<WPARAM>(m_nResult), 0);
    return 0;
}

LRESULT CPopupMenu::OnChar(WPARAM wParam, LPARAM)
{
    // A submenu entry's mnemonic closes the chain with nothing chosen (its id is 0).
    const int nIndex = FindMnemonicItem(static_cast<char>(wParam));
    if (nIndex != -1)
        EndMenu(m_items[nIndex].m_nId);
    return 0;
}

LRESULT CPopupMenu::OnTimer(WPARAM wParam, LPARAM)
{
    OpenSubmenu(static_cast<UINT_PTR>(wParam));
    return 0;
}

LRESULT CPopupMenu::OnMouseMove(WPARAM, LPARAM lParam)
{
    const POINT ptClient = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT ptScreen = ptClient;
    ::ClientToScreen(m_hWnd, &ptScreen);
    // The capture follows the pointer between the menus of the chain, so the entry that
    // opened a submenu stays highlighted while the pointer is in the submenu.
    if (CPopupMenu* pOther = OtherMenuAt(ptScreen)) {
        ::ReleaseCapture();
        m_nState = 1;
        ::SetCapture(pOther->m_hWnd);
        pOther->m_nState = 2;
        return 0;
    }

    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const int nIndex = HitTest(ptClient.x, ptClient.y, rcClient);
    CClientDC dc(m_hWnd);
    if (m_nSelected != -1 && nIndex != m_nSelected) {
        ::KillTimer(m_hWnd, IDT_SUBMENU);
        CPopupMenu* pSubmenu = m_items[m_nSelected].m_pSubmenu;
        if (pSubmenu && pSubmenu->m_nState != 0 && pSubmenu->m_hWnd)
            ::DestroyWindow(pSubmenu->m_hWnd);
        const int nOld = m_nSelected;
        m_nSelected = -1;
        DrawItem(&dc, nOld, m_items[nOld]);
    }
    if (nIndex != -1 && nIndex != m_nSelected) {
        m_nSelected = nIndex;
        DrawItem(&dc, nIndex, m_items[nIndex]);
        if (m_items[nIndex].m_pSubmenu)
            ::SetTimer(m_hWnd, IDT_SUBMENU, static_cast<UINT>(m_nSubmenuDelay), nullptr);
    }
    return 0;
}

LRESULT CPopupMenu::OnButtonDown(WPARAM, LPARAM lParam)
{
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (CloseIfOutside(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), rcClient))
        return 0;
    // A press on a submenu entry opens it at once; on a command entry the choice waits for
    // the release.
    if (m_nSelected != -1) {
        CPopupMenu* pSubmenu = m_items[m_nSelected].m_pSubmenu;
        if (pSubmenu && pSubmenu->m_nState == 0)
            OpenSubmenu(IDT_SUBMENU);
    }
    return 0;
}

LRESULT CPopupMenu::OnLButtonUp(WPARAM, LPARAM lParam)
{
    OnButtonUp(m_bIgnoreLButtonUp, lParam);
    return 0;
}

LRESULT CPopupMenu::OnRButtonUp(WPARAM, LPARAM lParam)
{
    OnButtonUp(m_bIgnoreRButtonUp, lParam);
    return 0;
}

void CPopupMenu::OnButtonUp(bool& bIgnore, LPARAM lParam)
{
    if (bIgnore) {
        bIgnore = false;
        return;
    }
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (CloseIfOutside(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), rcClient))
        return;
    // The entry taken is the highlighted one, as the last pointer movement left it.
    if (m_nSelected != -1 && m_items[m_nSelected].m_nId != 0)
        EndMenu(m_items[m_nSelected].m_nId);
}
