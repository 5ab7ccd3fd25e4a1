// The control container with the platform's real web-browser control: the control fills
// its site window, its events reach the container's event sink map with Cancel going back,
// and nothing of it remains once its window goes. (Navigations through the real control,
// and page views destroyed with their frames: tests/startpage.)
#include "framework/control/CControlContainerWnd.h"
#include "framework/control/CControlSiteWnd.h"
#include "framework/window/AfxRegisterWndClass.h"
#include "support/ComProbe.h"
#include <exdisp.h>
#include <exdispid.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const UINT kCtrlId = 0xE900;

std::string Ansi(const VARIANT* pvar)
{
    if (!pvar || V_VT(pvar) != VT_BSTR || !V_BSTR(pvar))
        return std::string();
    return CString::FromWide(V_BSTR(pvar)).GetString();
}

class CContainer : public CControlContainerWnd
{
    KELO_DECLARE_EVENTSINK_MAP()

public:
    std::vector<std::string> m_urls;
    BOOL m_bCancel = FALSE;

    void OnBeforeNavigate2(IDispatch*, VARIANT* pURL, VARIANT*, VARIANT*, VARIANT*, VARIANT*, BOOL* pCancel)
    {
        m_urls.push_back(Ansi(pURL));
        *pCancel = m_bCancel;
    }
};

KELO_BEGIN_EVENTSINK_MAP(CContainer, CControlContainerWnd)
    OnEvent<kCtrlId, DISPID_BEFORENAVIGATE2, &CContainer::OnBeforeNavigate2>(),
KELO_END_EVENTSINK_MAP()

class ControlSite : public ::testing::Test
{
protected:
    ScopedComInitialize m_com;
    CContainer m_container;
    CControlSiteWnd m_site;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(m_com.Initialize()));
        AfxEnableControlContainer();
        ASSERT_TRUE(m_container.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    }

    void CreateBrowser(const RECT& rc)
    {
        ASSERT_TRUE(m_site.CreateControl(CLSID_WebBrowser, "", WS_CHILD | WS_VISIBLE, rc, &m_container, kCtrlId));
    }

    static CRect RectIn(HWND hWnd, HWND hWndParent)
    {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    static CRect WindowRect(HWND hWnd)
    {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }

    // Raises BeforeNavigate2 through the sink the container connected, as the control does.
    HRESULT RaiseBeforeNavigate(const char* pszURL, VARIANTARG cancel)
    {
        ScopedBstr url(pszURL);
        VARIANT varURL, varEmpty;
        V_VT(&varURL) = VT_BSTR;
        V_BSTR(&varURL) = url.Get();
        ::VariantInit(&varEmpty);
        return RaiseControlEvent(m_site.GetControlUnknown(), DIID_DWebBrowserEvents2, DISPID_BEFORENAVIGATE2,
                                 {ArgValue(static_cast<IDispatch*>(nullptr)), ArgByRef(&varURL), ArgByRef(&varEmpty),
                                  ArgByRef(&varEmpty), ArgByRef(&varEmpty), ArgByRef(&varEmpty), cancel});
    }

    void ExpectNothingLeft()
    {
        EXPECT_EQ(nullptr, ::GetWindow(m_container.m_hWnd, GW_CHILD));
        EXPECT_EQ(nullptr, m_site.GetControlUnknown());
        EXPECT_EQ(0u, m_site.GetControlSite().GetRefCount());
        EXPECT_FALSE(DllHasLiveObjects("ieframe.dll"));
    }
};
} // namespace

TEST_F(ControlSite, ControlFillsItsSiteWindowAndFollowsItsMoves)
{
    CreateBrowser({5, 6, 105, 86});
    EXPECT_EQ(static_cast<int>(kCtrlId), m_site.GetDlgCtrlID());
    EXPECT_EQ(CRect(5, 6, 105, 86), RectIn(m_site.m_hWnd, m_container.m_hWnd));
    HWND hWndControl = ::GetWindow(m_site.m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hWndControl);
    EXPECT_EQ(nullptr, ::GetWindow(hWndControl, GW_HWNDNEXT));
    EXPECT_EQ(WindowRect(m_site.m_hWnd), WindowRect(hWndControl));

    m_site.MoveWindow(20, 10, 220, 160);
    EXPECT_EQ(CRect(20, 10, 240, 170), RectIn(hWndControl, m_container.m_hWnd));
}

TEST_F(ControlSite, CancelGoesBackToTheControlAsItsVariantBool)
{
    CreateBrowser({0, 0, 200, 100});
    VARIANT_BOOL bCancel = VARIANT_FALSE;
    VARIANTARG cancel = ArgByRef(&bCancel);

    m_container.m_bCancel = TRUE;
    EXPECT_EQ(S_OK, RaiseBeforeNavigate("app://a", cancel));
    EXPECT_EQ(VARIANT_TRUE, bCancel);
    m_container.m_bCancel = FALSE;
    EXPECT_EQ(S_OK, RaiseBeforeNavigate("app://b", cancel));
    EXPECT_EQ(VARIANT_FALSE, bCancel);
    EXPECT_EQ((std::vector<std::string>{"app://a", "app://b"}), m_container.m_urls);

    // A Cancel not passed by reference is refused, and the handler never sees it.
    V_VT(&cancel) = VT_BOOL;
    V_BOOL(&cancel) = VARIANT_FALSE;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, RaiseBeforeNavigate("app://c", cancel));
    EXPECT_EQ(2u, m_container.m_urls.size());
}

TEST_F(ControlSite, DestroyingTheSiteWindowReleasesTheControl)
{
    CreateBrowser({0, 0, 200, 100});
    EXPECT_TRUE(DllHasLiveObjects("ieframe.dll"));
    EXPECT_LT(0u, m_site.GetControlSite().GetRefCount());
    m_site.DestroyWindow();
    ExpectNothingLeft();
}

TEST_F(ControlSite, AnObjectThatIsNoControlLeavesNoWindow)
{
    EXPECT_FALSE(m_site.CreateControl(CLSID_StdGlobalInterfaceTable, "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50},
                                      &m_container, kCtrlId));
    EXPECT_EQ(nullptr, m_site.m_hWnd);
    ExpectNothingLeft();
}
