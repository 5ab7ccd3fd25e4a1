#include "framework/window/CWndCreateGuard.h"
#include "framework/window/CWnd.h"

namespace
{
// The innermost guard of this thread.
thread_local CWndCreateGuard* t_pCurrent = nullptr;
} // namespace

CWndCreateGuard::CWndCreateGuard(CWnd* pWnd, HINSTANCE hInstance, LPCSTR lpszClass, HWND hWndParent)
    : m_pWnd(pWnd), m_hWndParent(hWndParent), m_pOuter(t_pCurrent)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (lpszClass)
        m_atomClass = static_cast<ATOM>(::GetClassInfoExA(hInstance, lpszClass, &wc));
    if (!m_pOuter)
        m_hook.Reset(::SetWindowsHookExA(WH_CBT, CbtHookProc, nullptr, ::GetCurrentThreadId()));
    t_pCurrent = this;
}

CWndCreateGuard::~CWndCreateGuard()
{
    t_pCurrent = m_pOuter;
}

BOOL CWndCreateGuard::IsArmed() const
{
    const CWndCreateGuard* pOutermost = this;
    while (pOutermost->m_pOuter)
        pOutermost = pOutermost->m_pOuter;
    return pOutermost->m_hook.IsValid();
}

void CWndCreateGuard::NoteEnded(const CWnd* pWnd)
{
    for (CWndCreateGuard* pGuard = t_pCurrent; pGuard; pGuard = pGuard->m_pOuter) {
        if (pGuard->m_pWnd == pWnd)
            pGuard->m_bEnded = TRUE;
    }
}

BOOL CWndCreateGuard::Expects(HWND hWnd, const CREATESTRUCTA* lpcs) const
{
    return !m_hWndBound && m_atomClass && lpcs->hwndParent == m_hWndParent &&
           static_cast<ATOM>(::GetClassLongPtrA(hWnd, GCW_ATOM)) == m_atomClass;
}

LRESULT CALLBACK CWndCreateGuard::CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CWndCreateGuard* pGuard = t_pCurrent;
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_CREATEWND && pGuard &&
        pGuard->Expects(hWnd, reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs)) {
        pGuard->m_hWndBound = hWnd;
        // A window that PreSubclassWindow destroyed is not created at all.
        if (!pGuard->m_pWnd->BindHandle(hWnd))
            return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
