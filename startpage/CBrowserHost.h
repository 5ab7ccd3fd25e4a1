#pragma once
// The window that hosts the platform's web-browser control over the start page. It
// creates the control when it takes over its window, keeps the control's 2-pixel client
// edge outside its own area and navigates it. It sees every navigation the control is
// about to make and applies the page rules to it ("app://" links become commands), and
// keeps the control's doors out of the kiosk closed: no new windows, no context menu, no
// accelerators but those a page needs, no file drops, no script error dialogs.
#include "framework/control/CControlContainerWnd.h"
#include "framework/control/CControlSiteWnd.h"
#include <exdisp.h>

class CBrowserHost : public CControlContainerWnd
{
    KELO_DECLARE_MESSAGE_MAP()
    KELO_DECLARE_EVENTSINK_MAP()

public:
    // Navigates the control to a path or URL; nothing without a control.
    void Navigate(LPCSTR pszURL);

    void OnSize(UINT nType, int cx, int cy);
    // WM_BROWSER_NAVIGATE: lParam is the address of a path or URL. The address is only
    // read where this process's memory is readable, so an address from another process
    // navigates nowhere instead of ending the kiosk.
    LRESULT OnNavigateMessage(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    void OnBeforeNavigate2(IDispatch* pDisp, VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                           VARIANT* Headers, BOOL* Cancel);
    void OnNewWindow2(IDispatch** ppDisp, BOOL* Cancel);
    void OnNewWindow3(IDispatch** ppDisp, BOOL* Cancel, DWORD dwFlags, BSTR bstrUrlContext, BSTR bstrUrl);
    // Whether the control shows the first page: an error of the top-level navigation to it,
    // or its top-level document complete without a body (a control without an HTML
    // engine), tells the parent it does not. Errors and documents of frames inside the
    // page, and of other addresses, say nothing of it.
    void OnNavigateError(IDispatch* pDisp, VARIANT* URL, VARIANT* Frame, VARIANT* StatusCode, BOOL* Cancel);
    void OnDocumentComplete(IDispatch* pDisp, VARIANT* URL);

    // Whether the control's code may be on the stack: inside a call to it or one of its
    // events, or while a modal loop of its own (a script's alert) keeps the window it
    // lives in disabled. The host must not be destroyed then.
    BOOL IsControlBusy() const;

    HRESULT OnShowControlContextMenu(UINT nCtrlId, DWORD dwID, POINT* ppt) override;
    HRESULT OnTranslateControlAccelerator(UINT nCtrlId, LPMSG lpMsg) override;

protected:
    // Creates the control filling the host; without it (or without its IWebBrowser2) the
    // host destroys itself and leaves nothing behind.
    void PreSubclassWindow() override;

    CControlSiteWnd m_wndBrowser;               // the control's site window, AFX_IDW_PANE_FIRST
    ScopedComPtr<IWebBrowser2> m_pBrowserApp;   // null when the control is not there
    BOOL m_bPageStateSent = FALSE;               // WM_BROWSER_PAGESTATE went to the parent
    CString m_strFirstURL;                      // the first address the control was sent to
    int m_nCallDepth = 0;                       // calls into the control and its events under way

private:
    // Counts a call into the control, or one of its events, for its lifetime.
    class CCallScope
    {
    public:
        explicit CCallScope(CBrowserHost* pHost) : m_pHost(pHost) { ++m_pHost->m_nCallDepth; }
        ~CCallScope() { --m_pHost->m_nCallDepth; }
        CCallScope(const CCallScope&) = delete;
        CCallScope& operator=(const CCallScope&) = delete;

    private:
        CBrowserHost* m_pHost;
    };

    // Whether an event's pDisp is the control itself, not a frame inside its page.
    BOOL IsTopLevel(IDispatch* pDisp) const;
    void SendPageState(BOOL bShown);
};
