#include "app/CBackdropWnd.h"
#include "framework/core/AfxGlobals.h"

namespace
{
const char kClassName[] = "KeloBackdrop";
} // namespace

KELO_BEGIN_MESSAGE_MAP(CBackdropWnd, CWnd)
    OnMessage<WM_MOUSEACTIVATE, &CBackdropWnd::OnMouseActivate>(),
    OnMessage<WM_ERASEBKGND, &CBackdropWnd::OnEraseBkgnd>(),
    OnMessage<WM_PAINT, &CBackdropWnd::OnPaint>(),
    OnMessage<WM_LBUTTONDOWN, &CBackdropWnd::OnButtonDown>(),
    OnMessage<WM_RBUTTONDOWN, &CBackdropWnd::OnButtonDown>(),
KELO_END_MESSAGE_MAP()

BOOL CBackdropWnd::Create(COLORREF crFill)
{
    m_crFill = crFill;
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(hInstance, kClassName, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        if (!::RegisterClassExA(&wc))
            return FALSE;
    }
    // Every monitor: the virtual screen.
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kClassName, "", WS_POPUP,
                    ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                    ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr);
}

void CBackdropWnd::Show()
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CBackdropWnd::OnMouseActivate(WPARAM wParam, LPARAM lParam)
{
    return MA_NOACTIVATE;
}

LRESULT CBackdropWnd::OnEraseBkgnd(WPARAM wParam, LPARAM lParam)
{
    // WM_PAINT fills the whole update region.
    return 1;
}

LRESULT CBackdropWnd::OnPaint(WPARAM wParam, LPARAM lParam)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    HBRUSH hBrush = ::CreateSolidBrush(m_crFill);
    ::FillRect(hDC, &ps.rcPaint, hBrush);
    ::DeleteObject(hBrush);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CBackdropWnd::OnButtonDown(WPARAM wParam, LPARAM lParam)
{
    // Minimised, Kelo's window would otherwise be out of reach: the taskbar is covered.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd && pMainWnd->m_hWnd && ::IsIconic(pMainWnd->m_hWnd))
        ::ShowWindow(pMainWnd->m_hWnd, SW_RESTORE);
    return 0;
}
