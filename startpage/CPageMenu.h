#pragma once
// The page frame's view: the form of dialog template 104, painted in the screen colour,
// whose placeholder control 1000 becomes the page view showing the start page. Each page
// view loads the start page (res\main.html below the program's folder) once, the first
// time it is sized into a non-empty area once it has its page view, and then fills the
// whole form with it.
//
// The page view is the browser control's host or the built-in page view, as Kelo.ini's
// Page key says. In automatic mode the browser control is tried first; when it cannot be
// made, reports an error for the start page, finishes it without a document body (no HTML
// engine) or says nothing of it within kBrowserTrialMs, the built-in view takes its place,
// once the control's own code (an event, a modal loop of a script's alert) has returned.
#include "framework/docview/CFormView.h"
#include "settings/PageViewChoice.h"
#include "startpage/CBrowserHost.h"
#include "pageengine/view/CPageView.h"

class CPageMenu : public CFormView
{
    KELO_DECLARE_DYNCREATE(CPageMenu)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CPageMenu();

    // What the form needs of the settings, given by its creator before the first update:
    // which view shows the page, the start page's path, the screen colour and the kiosk
    // folder, outside which the built-in view reads nothing.
    void SetStartPage(PageViewChoice nPageView, const CString& strStartPage, COLORREF crScreen,
                      const CString& strKioskFolder);
    // After nSeconds without keyboard or pointer input, and while no video plays, the page
    // view shows the start page again from its top; 0: never. Given likewise.
    void SetIdleReturn(UINT nSeconds) { m_nIdleReturnSeconds = nSeconds; }

    void DoDataExchange(CDataExchange* pDX) override;
    // Makes the built-in view when it is the one to use from the start.
    void OnInitialUpdate() override;
    // Navigates the page view to the start page and spreads it over the form.
    void LoadStartPage();
    // The window that shows the start page, or null when there is none (its control could
    // not be made): the one place where the form chooses how the page is shown.
    CWnd* GetPageView();

    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    // WM_BROWSER_PAGESTATE from the browser host: whether the control shows the page.
    LRESULT OnBrowserPageState(WPARAM wParam, LPARAM lParam);
    // The keyboard goes on to the built-in view, where it follows links.
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);

protected:
    CBrowserHost m_browserHost;         // bound to the placeholder IDC_BROWSER
    CPageView m_pageView;               // the built-in view, in the placeholder's place
    BOOL m_bStartPageLoaded = FALSE;
    PageViewChoice m_nPageView = PAGE_VIEW_AUTOMATIC;
    CString m_strStartPage;
    CString m_strKioskFolder;
    COLORREF m_crScreen = 0;
    UINT m_nIdleReturnSeconds = 0;
    // Whether the start page came back already, and after which last input (its time, as
    // GetLastInputInfo gives it): once per spell without input.
    BOOL m_bReturned = FALSE;
    DWORD m_dwReturnedAfterInput = 0;

private:
    bool IsAutomatic() const { return m_nPageView == PAGE_VIEW_AUTOMATIC; }
    // Puts the built-in view in the place of the placeholder or of the browser control,
    // showing the start page once it is loaded.
    void UseBuiltInView();
    // The same in place of the browser control, once the control's code has returned.
    void ReplaceBrowser();
    // The idle check: shows the start page again once the visitor has been away long enough.
    void CheckIdleReturn();
};
