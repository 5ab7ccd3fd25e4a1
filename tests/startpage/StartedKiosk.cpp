#include "StartedKiosk.h"
#include "frame/CMainFrame.h"
#include "resources/resource.h"
#include "support/KeloStart.h"

void StartedKiosk::SetUp()
{
    // These tests are about the browser control: it shows the start page whatever it does.
    Start("[Generalite]\r\nAppli=Demo\r\nPage=navigateur\r\n");
    ASSERT_TRUE(BrowserOf(PageFrame()));
}

void StartedKiosk::Start(const char* pszKeloIni)
{
    m_kiosk.Folder().WriteFile("Kelo.ini", pszKeloIni);
    ASSERT_TRUE(StartKeloIn(m_kiosk.Path()));
    ASSERT_NE(nullptr, PageFrame());
}

void StartedKiosk::TearDown()
{
    EndKelo();
}

CSkinClientWnd& StartedKiosk::Skin() const
{
    return theApp.GetMainFrame()->m_wndSkinClient;
}

CPageMenu* StartedKiosk::PageMenuOf(const CFrameWnd* pFrame)
{
    return pFrame ? dynamic_cast<CPageMenu*>(CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST)))
                  : nullptr;
}

CBrowserHost* StartedKiosk::HostOf(const CFrameWnd* pFrame)
{
    CPageMenu* pView = PageMenuOf(pFrame);
    return pView ? dynamic_cast<CBrowserHost*>(CWnd::FromHandlePermanent(::GetDlgItem(pView->m_hWnd, IDC_BROWSER)))
                 : nullptr;
}

CWnd* StartedKiosk::SiteOf(const CFrameWnd* pFrame)
{
    CBrowserHost* pHost = HostOf(pFrame);
    return pHost ? CWnd::FromHandlePermanent(::GetDlgItem(pHost->m_hWnd, AFX_IDW_PANE_FIRST)) : nullptr;
}

ScopedComPtr<IWebBrowser2> StartedKiosk::BrowserOf(const CFrameWnd* pFrame)
{
    ScopedComPtr<IWebBrowser2> pBrowser;
    CWnd* pSite = SiteOf(pFrame);
    if (pSite && pSite->GetControlUnknown())
        pSite->GetControlUnknown()->QueryInterface(IID_IWebBrowser2, pBrowser.PutVoid());
    return pBrowser;
}

std::string StartedKiosk::LocationOf(const CFrameWnd* pFrame)
{
    ScopedComPtr<IWebBrowser2> pBrowser = BrowserOf(pFrame);
    BSTR bstr = nullptr;
    if (!pBrowser || FAILED(pBrowser->get_LocationURL(&bstr)) || !bstr)
        return std::string();
    ScopedBstr location(bstr);
    return CString::FromWide(location.Get()).GetString();
}

std::string StartedKiosk::StartPageURL() const
{
    return "file://" + m_kiosk.Path().str() + "res\\main.html";
}
