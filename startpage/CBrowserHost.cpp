#include "startpage/CBrowserHost.h"
#include "startpage/StartPageConstants.h"
#include "framework/docview/CFrameWnd.h"
#include "links/PageRules.h"
#include <exdispid.h>
#include <mshtml.h>
#include <algorithm>
#include <cctype>
#include <string>

namespace
{
// Longer addresses than any path or URL a page view navigates to are not read.
const size_t kMaxMessageURL = 32767;

BOOL IsReadable(const MEMORY_BASIC_INFORMATION& mbi)
{
    const DWORD dwReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                             PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return mbi.State == MEM_COMMIT && (mbi.Protect & dwReadable) && !(mbi.Protect & PAGE_GUARD);
}

// An address as the control reports it, for comparing: file: URLs as paths, slashes as
// backslashes, %xx escapes decoded.
CString ComparableAddress(const CString& strAddress)
{
    std::string str = strAddress.str();
    if (str.size() >= 5 && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, str.c_str(), 5, "file:", 5) == CSTR_EQUAL) {
        str.erase(0, 5);
        str.erase(0, std::min(str.find_first_not_of('/'), str.size()));
    }
    std::string strOut;
    for (size_t i = 0; i < str.size(); ++i) {
        if (str[i] == '%' && i + 2 < str.size() && std::isxdigit(static_cast<unsigned char>(str[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(str[i + 2]))) {
            strOut += static_cast<char>(std::stoi(str.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            strOut += str[i] == '/' ? '\\' : str[i];
        }
    }
    return CString(strOut.c_str());
}

// The NUL-terminated text at pch, if all of it lies in readable memory of this process.
BOOL ReadOwnString(const char* pch, CString& strText)
{
    for (size_t nLength = 0; nLength <= kMaxMessageURL;) {
        MEMORY_BASIC_INFORMATION mbi = {};
        if (!pch || !::VirtualQuery(pch + nLength, &mbi, sizeof(mbi)) || !IsReadable(mbi))
            return FALSE;
        const char* pchEnd = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
        for (const char* p = pch + nLength; p < pchEnd && nLength <= kMaxMessageURL; ++p, ++nLength) {
            if (*p == '\0') {
                strText = CString(pch, static_cast<int>(nLength));
                return TRUE;
            }
        }
    }
    return FALSE;
}
} // namespace

KELO_BEGIN_MESSAGE_MAP(CBrowserHost, CControlContainerWnd)
    OnWmSize<&CBrowserHost::OnSize>(),
    OnMessage<WM_BROWSER_NAVIGATE, &CBrowserHost::OnNavigateMessage>(),
    OnWmDestroy<&CBrowserHost::OnDestroy>(),
KELO_END_MESSAGE_MAP()

KELO_BEGIN_EVENTSINK_MAP(CBrowserHost, CControlContainerWnd)
    OnEvent<AFX_IDW_PANE_FIRST, DISPID_BEFORENAVIGATE2, &CBrowserHost::OnBeforeNavigate2>(),
    OnEvent<AFX_IDW_PANE_FIRST, DISPID_NEWWINDOW2, &CBrowserHost::OnNewWindow2>(),
    OnEvent<AFX_IDW_PANE_FIRST, DISPID_NEWWINDOW3, &CBrowserHost::OnNewWindow3>(),
    OnEvent<AFX_IDW_PANE_FIRST, DISPID_NAVIGATEERROR, &CBrowserHost::OnNavigateError>(),
    OnEvent<AFX_IDW_PANE_FIRST, DISPID_DOCUMENTCOMPLETE, &CBrowserHost::OnDocumentComplete>(),
KELO_END_EVENTSINK_MAP()

void CBrowserHost::PreSubclassWindow()
{
    CControlContainerWnd::PreSubclassWindow();
    AfxEnableControlContainer();
    CRect rc;
    GetClientRect(&rc);
    if (!m_wndBrowser.CreateControl(CLSID_WebBrowser, "", WS_CHILD | WS_VISIBLE, rc, this, AFX_IDW_PANE_FIRST)) {
        DestroyWindow();
        return;
    }
    if (FAILED(m_wndBrowser.GetControlUnknown()->QueryInterface(IID_IWebBrowser2, m_pBrowserApp.PutVoid()))) {
        m_wndBrowser.DestroyWindow();
        DestroyWindow();
        return;
    }
    // A file or link dropped on the page would navigate it anywhere; a script error would
    // open a dialog over the kiosk.
    m_pBrowserApp->put_RegisterAsDropTarget(VARIANT_FALSE);
    m_pBrowserApp->put_Silent(VARIANT_TRUE);
}

void CBrowserHost::Navigate(LPCSTR pszURL)
{
    if (!m_pBrowserApp)
        return;
    if (m_strFirstURL.IsEmpty())
        m_strFirstURL = pszURL;
    CCallScope call(this);
    ScopedBstr url(pszURL);
    ScopedVariant flags(0L), target{ScopedBstr()}, postData, headers{ScopedBstr()};
    m_pBrowserApp->Navigate(url.Get(), flags.Get(), target.Get(), postData.Get(), headers.Get());
}

void CBrowserHost::OnSize(UINT nType, int cx, int cy)
{
    Default();
    // The control's 2-pixel client edge lies outside the host.
    CRect rc;
    GetClientRect(&rc);
    rc.InflateRect(2, 2);
    m_wndBrowser.MoveWindow(&rc);
}

LRESULT CBrowserHost::OnNavigateMessage(WPARAM, LPARAM lParam)
{
    CString strURL;
    if (ReadOwnString(reinterpret_cast<const char*>(lParam), strURL))
        Navigate(strURL);
    return 0;
}

void CBrowserHost::OnDestroy()
{
    // Before the site window goes, which takes the control down with it.
    m_pBrowserApp.Reset();
    Default();
}

void CBrowserHost::OnBeforeNavigate2(IDispatch*, VARIANT* URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*, BOOL* Cancel)
{
    CCallScope call(this);
    CString strURL = V_VT(URL) == VT_BSTR ? CString::FromWide(V_BSTR(URL)) : CString();
    *Cancel = InterceptLink(strURL);
}

void CBrowserHost::OnNewWindow2(IDispatch**, BOOL* Cancel)
{
    *Cancel = TRUE;
}

void CBrowserHost::OnNewWindow3(IDispatch**, BOOL* Cancel, DWORD, BSTR, BSTR bstrUrl)
{
    CCallScope call(this);
    // A command link opened as a new window still runs; no address opens a window.
    InterceptLink(CString::FromWide(bstrUrl));
    *Cancel = TRUE;
}

void CBrowserHost::OnNavigateError(IDispatch* pDisp, VARIANT* URL, VARIANT*, VARIANT*, BOOL*)
{
    CCallScope call(this);
    CString strURL = URL && V_VT(URL) == VT_BSTR ? CString::FromWide(V_BSTR(URL)) : CString();
    if (IsTopLevel(pDisp) && ComparableAddress(strURL).CompareNoCase(ComparableAddress(m_strFirstURL)) == 0)
        SendPageState(FALSE);
}

void CBrowserHost::OnDocumentComplete(IDispatch* pDisp, VARIANT*)
{
    CCallScope call(this);
    if (!IsTopLevel(pDisp))
        return;
    ScopedComPtr<IDispatch> document;
    ScopedComPtr<IHTMLDocument2> html;
    ScopedComPtr<IHTMLElement> body;
    if (m_pBrowserApp && SUCCEEDED(m_pBrowserApp->get_Document(document.Put())) && document &&
        SUCCEEDED(document.QueryInterface(html)) && html)
        html->get_body(body.Put());
    SendPageState(body ? TRUE : FALSE);
}

BOOL CBrowserHost::IsTopLevel(IDispatch* pDisp) const
{
    ScopedComPtr<IUnknown> event, browser;
    return pDisp && m_pBrowserApp && SUCCEEDED(pDisp->QueryInterface(IID_IUnknown, event.PutVoid())) &&
           SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IUnknown, browser.PutVoid())) && event.Get() == browser.Get();
}

BOOL CBrowserHost::IsControlBusy() const
{
    HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOT);
    return m_nCallDepth > 0 || (hWndTop && !::IsWindowEnabled(hWndTop));
}

void CBrowserHost::SendPageState(BOOL bShown)
{
    if (m_bPageStateSent)
        return;
    m_bPageStateSent = TRUE;
    // Posted: the parent may destroy the host on it, which it must not do inside the
    // control's event.
    ::PostMessageA(GetParent(), WM_BROWSER_PAGESTATE, bShown, 0);
}

HRESULT CBrowserHost::OnShowControlContextMenu(UINT, DWORD, POINT*)
{
    return S_OK;
}

HRESULT CBrowserHost::OnTranslateControlAccelerator(UINT, LPMSG lpMsg)
{
    BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    return IsPageKey(lpMsg->message, static_cast<UINT>(lpMsg->wParam), bCtrl, bAlt) ? S_FALSE : S_OK;
}
