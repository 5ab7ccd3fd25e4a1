#pragma once
// "The next window of this class and parent created on this thread belongs to this object."
// While a guard lives, the thread's creation hook binds that window to its object as the
// window comes into being, before its first message; windows of other classes or parents
// created meanwhile (the system's own, or other code's) are left alone. Guards nest: a
// window created while another is being created has a guard of its own.
//
// Every way a CWnd comes into being (CreateEx, dialogs, MDI children) goes through
// CWnd::CreateBound, which holds one of these.
#include "framework/core/ScopedWin.h"

class CWnd;

class CWndCreateGuard
{
public:
    // Expects a window of class lpszClass (a name or an atom, as registered for hInstance or
    // by the system) whose parent (or owner) is hWndParent.
    CWndCreateGuard(CWnd* pWnd, HINSTANCE hInstance, LPCSTR lpszClass, HWND hWndParent);
    ~CWndCreateGuard();
    CWndCreateGuard(const CWndCreateGuard&) = delete;
    CWndCreateGuard& operator=(const CWndCreateGuard&) = delete;

    // FALSE when the creation hook could not be installed: no window can be bound.
    BOOL IsArmed() const;
    // The window bound to the object so far, or null.
    HWND GetBoundWindow() const { return m_hWndBound; }
    // TRUE once the bound window has ended and the object has had its PostNcDestroy.
    BOOL HasEnded() const { return m_bEnded; }

    // Called as a window of pWnd ends, just before its PostNcDestroy.
    static void NoteEnded(const CWnd* pWnd);

private:
    static LRESULT CALLBACK CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    BOOL Expects(HWND hWnd, const CREATESTRUCTA* lpcs) const;

    CWnd* m_pWnd;
    ATOM m_atomClass = 0;
    HWND m_hWndParent;
    HWND m_hWndBound = nullptr;
    BOOL m_bEnded = FALSE;
    CWndCreateGuard* m_pOuter;
    // Only the outermost guard of a thread installs the hook; inner ones share it.
    ScopedHook m_hook;
};
