#include "startpage/CPageMenu.h"
#include "app/CKeloApp.h"
#include "app/KeloMessages.h"
#include "framework/CBrush.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "resources/resource.h"
#include "skin/SkinConstants.h"

namespace
{
// The start page, below the program's folder.
const char kStartPage[] = "res\\main.html";
} // namespace

KELO_IMPLEMENT_DYNCREATE(CPageMenu, CFormView)

KELO_BEGIN_MESSAGE_MAP(CPageMenu, CFormView)
    OnMessage<WM_SKINBTN_CLICK, &CPageMenu::OnSkinButtonClick>(),
    OnWmEraseBkgnd<&CPageMenu::OnEraseBkgnd>(),
    OnWmCreate<&CPageMenu::OnCreate>(),
    OnWmSize<&CPageMenu::OnSize>(),
    OnWmPaint<&CPageMenu::OnPaint>(),
KELO_END_MESSAGE_MAP()

CPageMenu::CPageMenu()
    : CFormView(IDD_PAGEMENU)
{
}

void CPageMenu::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSER, m_browserHost);
}

CWnd* CPageMenu::GetPageView()
{
    return m_browserHost.m_hWnd ? &m_browserHost : nullptr;
}

void CPageMenu::LoadStartPage()
{
    CWnd* pPageView = GetPageView();
    if (!pPageView)
        return;
    CString strPath = theApp.m_settings.m_strExeDir + kStartPage;
    pPageView->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(strPath.GetString()));
    m_bStartPageLoaded = TRUE;
    CRect rc;
    GetClientRect(&rc);
    pPageView->MoveWindow(&rc);
    pPageView->ShowWindow(SW_SHOW);
}

LRESULT CPageMenu::OnSkinButtonClick(WPARAM, LPARAM)
{
    return 0;
}

BOOL CPageMenu::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CBrush brush(theApp.m_settings.m_crEcran);
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
