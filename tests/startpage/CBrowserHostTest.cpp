// The browser host with the platform's real web-browser control: which navigations become
// commands for the main window and which the control follows, where the control lies, and
// the doors out of the kiosk that stay closed (context menu, accelerators, new windows,
// drops, script dialogs).
#include "startpage/CBrowserHost.h"
#include "app/CKeloApp.h"
#include "startpage/StartPageConstants.h"
#include "framework/window/AfxRegisterWndClass.h"
#include "framework/docview/CFrameWnd.h"
#include "links/CLinkCommandRunner.h"
#include "support/CMessageRecorder.h"
#include "support/ComProbe.h"
#include "support/LinkOutcome.h"
#include "StartedKiosk.h"
#include "frame/CMainFrame.h"
#include <exdispid.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using Seq = std::vector<std::string>;

namespace
{
const DWORD kTimeoutMs = 5000;

// A page view in Kelo's real page frame; the main window is a recorder standing in for the
// main frame.
class BrowserHost : public StartedKiosk
{
protected:
    CMessageRecorder m_main{WM_APP_PLAYVIDEO, WM_APP_VIDEOCONTROL, WM_ENABLE, WM_APP_LINKDONE};
    CBrowserHost* m_pHost = nullptr;
    int m_nMarks = 0;

    void SetUp() override
    {
        StartedKiosk::SetUp();
        ASSERT_TRUE(m_main.Create());
        m_pHost = HostOf(PageFrame());
        ASSERT_NE(nullptr, m_pHost);
        ASSERT_TRUE(m_main.PumpUntil([&] { return Location() == StartPageURL(); }, kTimeoutMs));
        m_pSavedMainWnd = theApp.m_pMainWnd;
        theApp.m_pMainWnd = &m_main;
    }

    void TearDown() override
    {
        theApp.m_pMainWnd = m_pSavedMainWnd;
        StartedKiosk::TearDown();
    }

    CWnd* m_pSavedMainWnd = nullptr;

    CWnd* Site() const { return SiteOf(PageFrame()); }
    ScopedComPtr<IWebBrowser2> Browser() const { return BrowserOf(PageFrame()); }
    std::string Location() const { return LocationOf(PageFrame()); }

    // Navigates to an address the control follows and waits until it is there: every
    // navigation asked for before it has then been judged.
    void Settle()
    {
        std::string strMark = "app:/mark" + std::to_string(++m_nMarks);
        m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(strMark.c_str()));
        EXPECT_TRUE(m_main.PumpUntil([&] { return Location() == strMark; }, kTimeoutMs)) << strMark;
    }

    // What reached the main window, in order: "runner" when a link command runner
    // disabled it and reported its end, then "play NAME" and "control N".
    Seq Outcome()
    {
        const auto runnerDone = [&] {
            for (const RecordedMessage& m : m_main.Messages()) {
                if (m.nMessage == WM_APP_LINKDONE)
                    return true;
            }
            return false;
        };
        bool bRunner = !m_main.Messages().empty();
        if (bRunner) {
            EXPECT_TRUE(m_main.PumpUntil(runnerDone, kTimeoutMs));
        }
        LinkOutcome outcome = ReadLinkOutcome(m_main.Take());
        Seq seq = outcome.commands;
        if (bRunner) {
            EXPECT_EQ(std::vector<WPARAM>{FALSE}, outcome.enables);
            EXPECT_EQ(1u, outcome.nDone);
            seq.insert(seq.begin(), "runner");
            // The main frame enables itself on WM_APP_LINKDONE.
            m_main.EnableWindow(TRUE);
            m_main.Take();
        }
        return seq;
    }

    Seq NavigateMessage(const std::string& strURL)
    {
        m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(strURL.c_str()));
        Settle();
        return Outcome();
    }

    HRESULT Raise(DISPID dispid, std::vector<VARIANTARG> args)
    {
        return RaiseControlEvent(Site()->GetControlUnknown(), DIID_DWebBrowserEvents2, dispid, std::move(args));
    }

    // NewWindow3 for a window that would show pszURL; returns whether it was cancelled.
    bool NewWindow3(const char* pszURL)
    {
        IDispatch* pDisp = nullptr;
        VARIANT_BOOL bCancel = VARIANT_FALSE;
        ScopedBstr context("about:blank"), url(pszURL);
        EXPECT_EQ(S_OK, Raise(DISPID_NEWWINDOW3, {ArgByRef(&pDisp), ArgByRef(&bCancel), ArgValue(0x6L), ArgValue(context.Get()),
                                                  ArgValue(url.Get())}));
        return bCancel == VARIANT_TRUE;
    }

    ScopedComPtr<IDocHostUIHandler> UIHandler() const
    {
        ScopedComPtr<IOleObject> pObject;
        ScopedComPtr<IOleClientSite> pClientSite;
        ScopedComPtr<IDocHostUIHandler> pHandler;
        Site()->GetControlUnknown()->QueryInterface(IID_IOleObject, pObject.PutVoid());
        if (pObject && SUCCEEDED(pObject->GetClientSite(pClientSite.Put())) && pClientSite)
            pClientSite.QueryInterface(pHandler);
        return pHandler;
    }
};

// Keys pressed with the given modifiers held, as the thread's keyboard state says.
class HeldKeys
{
public:
    HeldKeys(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int vk : keys)
            state[vk] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys()
    {
        BYTE state[256] = {};
        ::SetKeyboardState(state);
    }
};
} // namespace

TEST_F(BrowserHost, CommandLinksReachTheRunnerFromTheirSecondSlash)
{
    EXPECT_EQ((Seq{"runner", "play film1.exe"}), NavigateMessage("app://exec(film1.exe)"));
    EXPECT_EQ((Seq{"runner", "control 0"}), NavigateMessage("APP://fonc(0)"));
    EXPECT_EQ((Seq{"runner", "control 4"}), NavigateMessage("aPp://fonc(4)"));
    EXPECT_EQ(Seq{"runner"}, NavigateMessage("app://"));
}

TEST_F(BrowserHost, OtherAddressesAreLeftToTheControl)
{
    EXPECT_EQ(Seq{}, NavigateMessage("app:/x"));
    m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>("app:/x"));
    EXPECT_TRUE(m_main.PumpUntil([&] { return Location() == "app:/x"; }, kTimeoutMs));

    const char szPage[] = "Z:\\kelo\\res\\autre page.html";
    m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(szPage));
    EXPECT_TRUE(m_main.PumpUntil([&] { return Location() == std::string("file://") + szPage; }, kTimeoutMs))
        << Location();
    EXPECT_EQ(Seq{}, Outcome());
}

TEST_F(BrowserHost, ACommandTextLongerThanTheLinkBufferIsRefusedWhole)
{
    std::string strFits = "/fonc(1)" + std::string(LINK_COMMAND_MAX - 8, 'x');
    EXPECT_EQ((Seq{"runner", "control 1"}), NavigateMessage("app:/" + strFits));
    EXPECT_EQ(Seq{}, NavigateMessage("app:/" + strFits + "x"));
    EXPECT_EQ(Seq{}, NavigateMessage("app://exec(film1.exe)" + std::string(5000, ' ')));
    EXPECT_EQ(std::string::npos, Location().find("app://"));
}

TEST_F(BrowserHost, AnAddressOutsideReadableMemoryNavigatesNowhere)
{
    Settle();
    std::string strBefore = Location();
    // Two pages: the first full of text without a terminator, the second not readable.
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    char* pBlock = static_cast<char*>(::VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(nullptr, pBlock);
    ASSERT_NE(nullptr, ::VirtualAlloc(pBlock, si.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    std::memset(pBlock, 'a', si.dwPageSize);
    std::memcpy(pBlock, "app:/", 5);

    m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, 0x10);
    m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(pBlock + si.dwPageSize));
    m_pHost->SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(pBlock));
    PumpFor(200);
    EXPECT_EQ(strBefore, Location());
    ::VirtualFree(pBlock, 0, MEM_RELEASE);
}

TEST_F(BrowserHost, TheControlReachesTwoPixelsBeyondTheHostOnEachSide)
{
    m_pHost->MoveWindow(10, 20, 300, 200);
    CRect rcHost, rcBrowser;
    m_pHost->GetClientRect(&rcHost);
    m_pHost->ClientToScreen(reinterpret_cast<POINT*>(&rcHost.left));
    m_pHost->ClientToScreen(reinterpret_cast<POINT*>(&rcHost.right));
    Site()->GetWindowRect(&rcBrowser);
    EXPECT_EQ(CRect(rcHost.left - 2, rcHost.top - 2, rcHost.right + 2, rcHost.bottom + 2), rcBrowser);
    HWND hWndControl = ::GetWindow(Site()->m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hWndControl);
    CRect rcControl;
    ::GetWindowRect(hWndControl, &rcControl);
    EXPECT_EQ(rcBrowser, rcControl);
}

TEST_F(BrowserHost, ThePageGetsNoContextMenuAndOnlyTheKeysItNeeds)
{
    ScopedComPtr<IDocHostUIHandler> pHandler = UIHandler();
    ASSERT_TRUE(pHandler);
    POINT pt = {50, 40};
    EXPECT_EQ(S_OK, pHandler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &pt, nullptr, nullptr));
    EXPECT_EQ(S_OK, pHandler->ShowContextMenu(CONTEXT_MENU_ANCHOR, &pt, nullptr, nullptr));

    const auto translate = [&](UINT nMessage, int nVirtKey) {
        MSG msg = {::GetWindow(Site()->m_hWnd, GW_CHILD), nMessage, static_cast<WPARAM>(nVirtKey), 0, 0, {0, 0}};
        return pHandler->TranslateAccelerator(&msg, nullptr, 0);
    };
    {
        HeldKeys ctrl{VK_CONTROL};
        for (int vk : {int('N'), int('O'), int('P'), int('F'), VK_TAB})
            EXPECT_EQ(S_OK, translate(WM_KEYDOWN, vk)) << "Ctrl+" << vk;
    }
    {
        HeldKeys alt{VK_MENU};
        EXPECT_EQ(S_OK, translate(WM_SYSKEYDOWN, VK_LEFT));
    }
    for (int vk : {VK_F5, VK_F11, VK_BACK, VK_BROWSER_BACK, VK_APPS})
        EXPECT_EQ(S_OK, translate(WM_KEYDOWN, vk)) << vk;
    for (int vk : {VK_TAB, VK_RETURN, VK_LEFT, VK_DOWN, VK_NEXT, VK_HOME, VK_SPACE, int('A')})
        EXPECT_EQ(S_FALSE, translate(WM_KEYDOWN, vk)) << vk;
    HeldKeys shift{VK_SHIFT};
    EXPECT_EQ(S_FALSE, translate(WM_KEYDOWN, VK_TAB));
}

TEST_F(BrowserHost, NewWindowsAreCancelledAndACommandLinkInOneStillRuns)
{
    IDispatch* pDisp = nullptr;
    VARIANT_BOOL bCancel = VARIANT_FALSE;
    EXPECT_EQ(S_OK, Raise(DISPID_NEWWINDOW2, {ArgByRef(&pDisp), ArgByRef(&bCancel)}));
    EXPECT_EQ(VARIANT_TRUE, bCancel);

    EXPECT_TRUE(NewWindow3("http://example.com/"));
    EXPECT_TRUE(NewWindow3("Z:\\kelo\\res\\main.html"));
    EXPECT_EQ(Seq{}, Outcome());
    EXPECT_TRUE(NewWindow3("app://fonc(3)"));
    EXPECT_EQ((Seq{"runner", "control 3"}), Outcome());
}

TEST_F(BrowserHost, TheControlTakesNoDropsAndShowsNoScriptErrors)
{
    ScopedComPtr<IWebBrowser2> pBrowser = Browser();
    VARIANT_BOOL bDropTarget = VARIANT_TRUE, bSilent = VARIANT_FALSE;
    EXPECT_EQ(S_OK, pBrowser->get_RegisterAsDropTarget(&bDropTarget));
    EXPECT_EQ(S_OK, pBrowser->get_Silent(&bSilent));
    EXPECT_EQ(VARIANT_FALSE, bDropTarget);
    EXPECT_EQ(VARIANT_TRUE, bSilent);
}

namespace
{
// An ActiveX control that is no web browser, registered in this process under the
// browser's class identifier: it activates in place, and has no IWebBrowser2.
class CNotABrowser : public IOleObject, public IOleInPlaceObject
{
public:
    static int s_nLive, s_nMade;
    CNotABrowser() { ++s_nLive, ++s_nMade; }
    virtual ~CNotABrowser() { --s_nLive; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else
            return *ppv = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRef; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG nRef = --m_nRef;
        if (!nRef)
            delete this;
        return nRef;
    }
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override
    {
        if (pSite)
            pSite->AddRef();
        if (m_pSite)
            m_pSite->Release();
        m_pSite = pSite;
        return S_OK;
    }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    STDMETHODIMP InPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT, LPCRECT) override { return S_OK; }

    STDMETHODIMP GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return E_NOTIMPL; }
    STDMETHODIMP IsUpToDate() override { return E_NOTIMPL; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIDeactivate() override { return E_NOTIMPL; }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

private:
    ULONG m_nRef = 0;
    IOleClientSite* m_pSite = nullptr;
};
int CNotABrowser::s_nLive = 0;
int CNotABrowser::s_nMade = 0;

class CNotABrowserFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return *ppv = nullptr, E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        CNotABrowser* pObject = new CNotABrowser;
        pObject->AddRef();
        HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
} // namespace

TEST(BrowserHostWithoutBrowser, AControlWithoutIWebBrowser2LeavesNoWindowAndNoInterface)
{
    ScopedComInitialize com;
    ASSERT_TRUE(SUCCEEDED(com.Initialize()));
    CNotABrowserFactory factory;
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_WebBrowser, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                            &dwCookie));
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    HWND hWndStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 60, parent.m_hWnd,
                                        reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    {
        CBrowserHost host;
        host.SubclassWindow(hWndStatic);
        EXPECT_EQ(nullptr, host.m_hWnd);
        EXPECT_FALSE(::IsWindow(hWndStatic));
        EXPECT_EQ(nullptr, ::GetWindow(parent.m_hWnd, GW_CHILD));
        EXPECT_EQ(1, CNotABrowser::s_nMade);
        EXPECT_EQ(0, CNotABrowser::s_nLive);
    }
    ::CoRevokeClassObject(dwCookie);
}
