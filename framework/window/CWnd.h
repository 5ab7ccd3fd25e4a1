#pragma once
// A window object bound to one HWND. Every window of the program, whether of a class we
// register or of a system class (MDICLIENT, controls), reaches its CWnd through one window
// procedure, which dispatches through the object's message map and falls back to the
// window's previous procedure (for subclassed windows) or DefWindowProcA.
#include "framework/window/CCmdTarget.h"
#include "framework/core/CRect.h"
#include "framework/core/CString.h"
#include <unknwn.h>
#include <functional>

class CDataExchange;
struct CCreateContext;

class CWnd : public CCmdTarget
{
    KELO_DECLARE_DYNAMIC(CWnd)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    // The object bound to hWnd, or null for windows without one.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creation: fills a CREATESTRUCTA, lets PreCreateWindow change it, then creates the
    // window bound to this object from its first message on. Any window class works.
    // A creation that fails, wherever it fails, ends with PostNcDestroy, so an object that
    // deletes itself there is gone; only asking an object that has a window fails without.
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    // A child window with control identifier nID; views take pContext, their document.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    // A child dialog from an in-memory template of the system's dialog class, bound like
    // CreateEx; its WM_INITDIALOG goes through the message map.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL DestroyWindow();

    // The ActiveX control hosted in this window, or null (windows that host none). Not
    // AddRef'd: valid while the control window exists.
    virtual IUnknown* GetControlUnknown() const { return nullptr; }

    // Binds an existing window: Attach only maps it; SubclassWindow also routes its messages
    // through this object (the previous procedure then handles what the map does not).
    BOOL Attach(HWND hWnd);
    HWND Detach();
    // FALSE also when PreSubclassWindow destroyed the window.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    // Called once the window is bound to this object and before its messages come through
    // the object; it may destroy the window (the binding then fails, and PostNcDestroy runs).
    virtual void PreSubclassWindow() {}

    // Data exchange with the child controls: DoDataExchange is called with bSaveAndValidate
    // (FALSE: fill the controls; TRUE: read them back).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) {}

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A message of this window or a child, before it is translated and dispatched; TRUE
    // when taken. Frames (accelerators) and control sites (the control's keys) take some.
    virtual BOOL PreTranslateMessage(MSG* pMsg) { return FALSE; }
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Called after the window's last message (WM_NCDESTROY); objects that own themselves
    // delete themselves here.
    virtual void PostNcDestroy() {}

    // Default processing of the message being handled.
    LRESULT Default();

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) { return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    BOOL MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        return MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) { return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    CString GetWindowText() const;
    // Centres the window over its owner (or hWndAlternateOwner), or over the screen's
    // work area for a window without one, keeping it inside the work area.
    void CenterWindow(HWND hWndAlternateOwner = nullptr);

    // Handlers of the base class: each does the default processing.
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    void OnDestroy();

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Told of every window object's end, after its last message and before its
    // PostNcDestroy: the application object installs one to end the program with its main
    // window. One at a time; null removes it.
    using EndHook = void (*)(CWnd* pWnd);
    static void SetEndHook(EndHook pfnHook);

protected:
    // The one way a window comes into being for this object: fnCreate makes it (a window of
    // class lpszClass and parent hWndParent), bound to this object from its first message.
    // On failure the object has had its PostNcDestroy.
    BOOL CreateBound(HINSTANCE hInstance, LPCSTR lpszClass, HWND hWndParent, const std::function<HWND()>& fnCreate);

    WNDPROC m_pfnSuper = nullptr;   // previous procedure of a subclassed window

private:
    friend class CWndCreateGuard;
    static INT_PTR CALLBACK DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Maps the window, runs PreSubclassWindow and routes its messages here; FALSE when
    // PreSubclassWindow destroyed it.
    BOOL BindHandle(HWND hWnd);
    void OnNcDestroyed();
};
