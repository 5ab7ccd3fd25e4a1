#include "startpage/CPageMenu.h"
#include "startpage/StartPageConstants.h"
#include "framework/core/AfxGlobals.h"
#include "framework/gdi/CBrush.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CPaintDC.h"
#include "resources/resource.h"
#include "links/PageRules.h"
#include "videoplayer/CVideoPlayer.h"

namespace
{
const UINT_PTR kBrowserTrialTimer = 1;
const UINT_PTR kBrowserRetryTimer = 2;
const UINT_PTR kIdleTimer = 3;
} // namespace

KELO_IMPLEMENT_DYNCREATE(CPageMenu, CFormView)

KELO_BEGIN_MESSAGE_MAP(CPageMenu, CFormView)
    OnWmEraseBkgnd<&CPageMenu::OnEraseBkgnd>(),
    OnWmCreate<&CPageMenu::OnCreate>(),
    OnWmSize<&CPageMenu::OnSize>(),
    OnWmPaint<&CPageMenu::OnPaint>(),
    OnWmTimer<&CPageMenu::OnTimer>(),
    OnMessage<WM_BROWSER_PAGESTATE, &CPageMenu::OnBrowserPageState>(),
    OnMessage<WM_SETFOCUS, &CPageMenu::OnSetFocus>(),
KELO_END_MESSAGE_MAP()

CPageMenu::CPageMenu()
    : CFormView(IDD_PAGEMENU)
{
}

void CPageMenu::SetStartPage(PageViewChoice nPageView, const CString& strStartPage, COLORREF crScreen,
                             const CString& strKioskFolder)
{
    m_nPageView = nPageView;
    m_strStartPage = strStartPage;
    m_strKioskFolder = strKioskFolder;
    m_crScreen = crScreen;
}

void CPageMenu::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    // Only a view that may show the browser control makes one.
    if (m_nPageView != PAGE_VIEW_BUILTIN)
        DDX_Control(pDX, IDC_BROWSER, m_browserHost);
}

void CPageMenu::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (m_nPageView == PAGE_VIEW_BUILTIN || (IsAutomatic() && !m_browserHost.m_hWnd))
        UseBuiltInView();
    if (m_nIdleReturnSeconds)
        SetTimer(kIdleTimer, kIdleCheckMs);
}

CWnd* CPageMenu::GetPageView()
{
    if (m_pageView.m_hWnd)
        return &m_pageView;
    return m_browserHost.m_hWnd ? &m_browserHost : nullptr;
}

void CPageMenu::ReplaceBrowser()
{
    KillTimer(kBrowserTrialTimer);
    // Destroying the control while its code runs (inside one of its calls, or a modal loop
    // of its own, such as a script's alert) would pull the window from under it: later.
    if (m_browserHost.m_hWnd && m_browserHost.IsControlBusy()) {
        SetTimer(kBrowserRetryTimer, kBrowserRetryMs);
        return;
    }
    KillTimer(kBrowserRetryTimer);
    UseBuiltInView();
}

void CPageMenu::UseBuiltInView()
{
    KillTimer(kBrowserTrialTimer);
    if (m_pageView.m_hWnd)
        return;
    HWND hWndFocus = ::GetFocus();
    BOOL bHadFocus = hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus);
    CRect rc;
    if (HWND hWndPlaceholder = ::GetDlgItem(m_hWnd, IDC_BROWSER)) {
        ::GetWindowRect(hWndPlaceholder, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        ::DestroyWindow(hWndPlaceholder);
    }
    if (m_bStartPageLoaded)
        GetClientRect(&rc);
    if (!m_pageView.Create(m_hWnd, rc, IDC_BROWSER))
        return;
    m_pageView.SetBackgroundColor(m_crScreen);
    if (!m_strKioskFolder.IsEmpty())
        m_pageView.SetKioskFolder(m_strKioskFolder.str());
    m_pageView.SetLinkHandOff(&InterceptLink);
    m_pageView.SetLinkCursor(::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_HANDCURSOR)));
    if (m_bStartPageLoaded)
        m_pageView.ShowStartPage(m_strStartPage.str());
    if (bHadFocus)
        m_pageView.SetFocus();
}

void CPageMenu::LoadStartPage()
{
    CWnd* pPageView = GetPageView();
    if (!pPageView)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (pPageView == &m_pageView) {
        // Laid out once, at the size it is shown at.
        m_pageView.MoveWindow(&rc);
        m_pageView.ShowStartPage(m_strStartPage.str());
    } else {
        if (IsAutomatic())
            SetTimer(kBrowserTrialTimer, kBrowserTrialMs);
        m_browserHost.Navigate(m_strStartPage);
    }
    m_bStartPageLoaded = TRUE;
    pPageView->MoveWindow(&rc);
    pPageView->ShowWindow(SW_SHOW);
}

BOOL CPageMenu::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CBrush brush(m_crScreen);
    pDC->FillRect(rc, brush);
    return TRUE;
}

int CPageMenu::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return CFormView::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CPageMenu::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    // Every view loads the page once, also one made after a skin change; the hidden
    // start-up frame, never sized after its view is made, loads nothing.
    if (!m_bStartPageLoaded && cx > 0 && cy > 0 && GetPageView())
        LoadStartPage();
}

void CPageMenu::OnPaint()
{
    CPaintDC dc(this);
}

void CPageMenu::OnTimer(UINT_PTR nIDEvent)
{
    // The control has not said in time that it shows the page, or could not be replaced yet.
    if ((nIDEvent == kBrowserTrialTimer || nIDEvent == kBrowserRetryTimer) && IsAutomatic())
        ReplaceBrowser();
    else if (nIDEvent == kIdleTimer)
        CheckIdleReturn();
}

void CPageMenu::CheckIdleReturn()
{
    LASTINPUTINFO lii = {};
    lii.cbSize = sizeof(lii);
    if (!m_bStartPageLoaded || !::GetLastInputInfo(&lii) || (m_bReturned && lii.dwTime == m_dwReturnedAfterInput))
        return;
    // Tick counts wrap after 49 days; their difference does not.
    DWORD dwIdleMs = ::GetTickCount() - lii.dwTime;
    if (static_cast<ULONGLONG>(dwIdleMs) < static_cast<ULONGLONG>(m_nIdleReturnSeconds) * 1000 || g_videoPlayer.IsPlaying())
        return;
    m_bReturned = TRUE;
    m_dwReturnedAfterInput = lii.dwTime;
    if (m_pageView.m_hWnd)
        m_pageView.ShowStartPage(m_strStartPage.str());
    else if (m_browserHost.m_hWnd)
        m_browserHost.Navigate(m_strStartPage);
}

LRESULT CPageMenu::OnBrowserPageState(WPARAM wParam, LPARAM)
{
    if (!IsAutomatic())
        return 0;
    if (wParam)
        KillTimer(kBrowserTrialTimer);
    else
        ReplaceBrowser();
    return 0;
}

LRESULT CPageMenu::OnSetFocus(WPARAM, LPARAM)
{
    if (m_pageView.m_hWnd) {
        m_pageView.SetFocus();
        return 0;
    }
    return Default();
}
