#pragma once
// The window an ActiveX control lives in: it owns the control's site, and the control
// activates in place as its child, filling its client area. Its parent, the container,
// handles the control's events (see CControlContainerWnd).
#include "framework/window/CWnd.h"
#include "framework/control/COleControlSite.h"

class CControlSiteWnd : public CWnd
{
public:
    // Creates this window with this style, rectangle and identifier in pParentWnd and an
    // ActiveX control of class clsid active in it, filling it. Moving the window lays the
    // control out again; destroying it destroys the control, which then holds nothing of
    // the site. FALSE, and no window, when the control cannot be created and activated
    // (also before AfxEnableControlContainer).
    BOOL CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID);
    IUnknown* GetControlUnknown() const override { return m_site.GetControlUnknown(); }
    const COleControlSite& GetControlSite() const { return m_site; }

    // Offers a keyboard message to the control first.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The control goes before this window's own WM_DESTROY handling, while its windows
    // (children of this one) still exist, and follows every WM_SIZE.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COleControlSite m_site{this};
};
