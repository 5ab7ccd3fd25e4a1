#pragma once
// The page frame's view: the form of dialog template 104, painted in the screen colour,
// whose placeholder control 1000 becomes the page view showing the start page. Each page
// view loads the start page (res\main.html below the program's folder) once, the first
// time it is sized into a non-empty area once it has its page view, and then fills the
// whole form with it.
#include "framework/CFormView.h"
#include "startpage/CBrowserHost.h"

class CPageMenu : public CFormView
{
    KELO_DECLARE_DYNCREATE(CPageMenu)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CPageMenu();

    void DoDataExchange(CDataExchange* pDX) override;
    // Navigates the page view to the start page and spreads it over the form.
    void LoadStartPage();
    // The window that shows the start page, or null when there is none (its control could
    // not be made): the one place where the form chooses how the page is shown.
    CWnd* GetPageView();

    LRESULT OnSkinButtonClick(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();

protected:
    CBrowserHost m_browserHost;         // bound to the placeholder IDC_BROWSER
    BOOL m_bStartPageLoaded = FALSE;
};
