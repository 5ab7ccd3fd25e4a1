#include "framework/window/CWnd.h"
#include "framework/core/AfxGlobals.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWndCreateGuard.h"

namespace
{
const char kWndProperty[] = "Kelo.CWnd";

// The message being dispatched on this thread, for Default().
thread_local MSG t_currentMsg = {};

CWnd::EndHook g_pfnEndHook = nullptr;
} // namespace

KELO_IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

KELO_BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
KELO_END_MESSAGE_MAP()

CWnd::~CWnd()
{
    // A window must not outlive its object: its messages would reach freed memory.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        if (!::DestroyWindow(m_hWnd))
            UnsubclassWindow();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kWndProperty)) : nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (m_hWnd)
        return FALSE;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return CreateBound(cs.hInstance, cs.lpszClass, cs.hwndParent, [&cs] {
        return ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    });
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance)
{
    if (m_hWnd)
        return FALSE;
    HWND hWndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    return CreateBound(hInstance, WC_DIALOG, hWndParent, [&] {
        return ::CreateDialogIndirectParamA(hInstance, lpDialogTemplate, hWndParent, DlgProc, 0);
    });
}

INT_PTR CALLBACK CWnd::DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Everything reaches the object through its window procedure first; what it leaves to
    // the dialog's default processing arrives here and is the dialog manager's, except
    // that the first control gets the focus when no handler decided otherwise.
    return message == WM_INITDIALOG;
}

BOOL CWnd::CreateBound(HINSTANCE hInstance, LPCSTR lpszClass, HWND hWndParent, const std::function<HWND()>& fnCreate)
{
    CWndCreateGuard guard(this, hInstance, lpszClass, hWndParent);
    HWND hWnd = guard.IsArmed() ? fnCreate() : nullptr;
    if (hWnd && hWnd == guard.GetBoundWindow())
        return TRUE;
    // A window made without being bound here is not this object's.
    if (hWnd)
        ::DestroyWindow(hWnd);
    if (!guard.HasEnded()) {
        // Nothing ended the object yet: no window was bound, or another hook refused the
        // bound one, which then never saw its last message.
        m_hWnd = nullptr;
        m_pfnSuper = nullptr;
        PostNcDestroy();
    }
    return FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::BindHandle(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kWndProperty, this);
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    // A window whose class procedure is already ours sees its own end through it.
    bool bRoutedAlready = pfnOld == &CWnd::WndProc;
    PreSubclassWindow();
    if (!::IsWindow(hWnd)) {
        if (!bRoutedAlready) {
            m_hWnd = nullptr;
            CWndCreateGuard::NoteEnded(this);
            PostNcDestroy();
        }
        return FALSE;
    }
    if (!bRoutedAlready)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc));
    m_pfnSuper = bRoutedAlready ? nullptr : pfnOld;
    return TRUE;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    return ::SetPropA(hWnd, kWndProperty, this);
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        ::RemovePropA(hWnd, kWndProperty);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd))
        return FALSE;
    return BindHandle(hWnd);
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return hWndControl && SubclassWindow(hWndControl);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd && m_pfnSuper &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &CWnd::WndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG outer = t_currentMsg;
    t_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    t_currentMsg = outer;
    if (message == WM_NCDESTROY)
        pWnd->OnNcDestroyed();
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam) ? 0 : DefWindowProc(message, wParam, lParam);
    if (const CMessageEntry* pEntry = FindMessageEntry(message))
        return pEntry->pfnThunk(this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators have no control window; their code counts as 0.
    UINT nCode = lParam ? HIWORD(wParam) : 0;
    return OnCmdMsg(LOWORD(wParam), nCode);
}

LRESULT CWnd::Default()
{
    if (t_currentMsg.hwnd != m_hWnd)
        return 0;
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

void CWnd::SetEndHook(EndHook pfnHook)
{
    g_pfnEndHook = pfnHook;
}

void CWnd::OnNcDestroyed()
{
    UnsubclassWindow();
    if (g_pfnEndHook)
        g_pfnEndHook(this);
    CWndCreateGuard::NoteEnded(this);
    PostNcDestroy();
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CString CWnd::GetWindowText() const
{
    CString str;
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, str.GetBuffer(nLength), nLength + 1);
    str.ReleaseBuffer();
    return str;
}

void CWnd::CenterWindow(HWND hWndAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = hWndAlternateOwner;
    if (!hWndCenter)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    CRect rcDlg, rcArea, rcCenter;
    GetWindowRect(&rcDlg);
    if (dwStyle & WS_CHILD) {
        ::GetClientRect(hWndCenter, &rcArea);
        rcCenter = rcArea;
        ::MapWindowPoints(hWndCenter, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rcCenter), 2);
        rcArea = rcCenter;
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoA(::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
        rcArea = mi.rcWork;
        if (hWndCenter && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    // Keep the window inside the area, its top-left corner first.
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return static_cast<int>(Default());
}

void CWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR nIDEvent)
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnDestroy()
{
    Default();
}
