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
    // Whether the control shows the first page: an error for it, or its document complete
    // without a body (a control without an HTML engine), tells the parent it does not.
    void OnNavigateError(IDispatch* pDisp, VARIANT* URL, VARIANT* Frame, VARIANT* StatusCode, BOOL* Cancel);
    void OnDocumentComplete(IDispatch* pDisp, VARIANT* URL);

    HRESULT OnShowControlContextMenu(UINT nCtrlId, DWORD dwID, POINT* ppt) override;
    HRESULT OnTranslateControlAccelerator(UINT nCtrlId, LPMSG lpMsg) override;

protected:
    // Creates the control filling the host; without it (or without its IWebBrowser2) the
    // host destroys itself and leaves nothing behind.
    void PreSubclassWindow() override;

    CControlSiteWnd m_wndBrowser;               // the control's site window, AFX_IDW_PANE_FIRST
    ScopedComPtr<IWebBrowser2> m_pBrowserApp;   // null when the control is not there
    BOOL m_bPageStateSent = FALSE;               // WM_BROWSER_PAGESTATE went to the parent

private:
    void SendPageState(BOOL bShown);
};
