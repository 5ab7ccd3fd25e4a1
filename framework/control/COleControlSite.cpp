#include "framework/control/COleControlSite.h"
#include "framework/control/CControlContainerWnd.h"
#include <olectl.h>
#include <utility>

namespace
{
bool g_bControlContainer = false;

template <class T>
HRESULT NoObject(T** pp, HRESULT hr)
{
    if (!pp)
        return E_POINTER;
    *pp = nullptr;
    return hr;
}
} // namespace

void AfxEnableControlContainer()
{
    g_bControlContainer = true;
}

BOOL AfxIsControlContainerEnabled()
{
    return g_bControlContainer;
}

BOOL COleControlSite::CreateControl(REFCLSID clsid)
{
    if (m_pObject || !m_pWnd->m_hWnd)
        return FALSE;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_pObject.PutVoid())))
        return FALSE;

    // The control reads its ambient properties and finds its document host through the
    // site while it initialises, so the site comes first.
    BOOL bOk = SUCCEEDED(m_pObject->SetClientSite(this));
    ScopedComPtr<IPersistStreamInit> pInit;
    if (bOk && SUCCEEDED(m_pObject.QueryInterface(pInit)))
        bOk = SUCCEEDED(pInit->InitNew());
    // A control without events is still a control; the events must be connected before
    // activation, which may already raise some.
    if (bOk)
        ConnectEvents();
    RECT rc = GetSiteRect();
    bOk = bOk && SUCCEEDED(m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_pWnd->m_hWnd, &rc)) &&
          SUCCEEDED(m_pObject.QueryInterface(m_pInPlaceObject));
    if (!bOk) {
        DestroyControl();
        return FALSE;
    }
    return TRUE;
}

void COleControlSite::ConnectEvents()
{
    ScopedComPtr<IProvideClassInfo2> pInfo;
    ScopedComPtr<IConnectionPointContainer> pPoints;
    if (FAILED(m_pObject.QueryInterface(pInfo)) ||
        FAILED(pInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &m_sink.m_iid)) ||
        FAILED(m_pObject.QueryInterface(pPoints)) ||
        FAILED(pPoints->FindConnectionPoint(m_sink.m_iid, m_pEventPoint.Put())))
        return;
    if (FAILED(m_pEventPoint->Advise(static_cast<IDispatch*>(&m_sink), &m_dwEventCookie)))
        m_pEventPoint.Reset();
}

void COleControlSite::DestroyControl()
{
    if (!m_pObject)
        return;
    // From here on the control counts as gone, also for whatever it calls back meanwhile.
    ScopedComPtr<IOleObject> pObject(m_pObject.Detach());
    if (m_pEventPoint) {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        m_pEventPoint.Reset();
        m_dwEventCookie = 0;
    }
    if (m_pInPlaceObject) {
        ScopedComPtr<IOleInPlaceObject> pInPlace(m_pInPlaceObject.Detach());
        pInPlace->InPlaceDeactivate();
    }
    m_pActiveObject.Reset();
    pObject->Close(OLECLOSE_NOSAVE);
    pObject->SetClientSite(nullptr);
}

void COleControlSite::LayoutControl()
{
    if (!m_pInPlaceObject)
        return;
    RECT rc = GetSiteRect();
    m_pInPlaceObject->SetObjectRects(&rc, &rc);
}

BOOL COleControlSite::PreTranslateMessage(MSG* pMsg)
{
    if (!m_pActiveObject || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The control may let go of its active object while it handles the key.
    IOleInPlaceActiveObject* pActive = m_pActiveObject.Get();
    pActive->AddRef();
    HRESULT hr = pActive->TranslateAccelerator(pMsg);
    pActive->Release();
    return hr == S_OK;
}

CControlContainerWnd* COleControlSite::GetContainer() const
{
    if (!m_pWnd->m_hWnd)
        return nullptr;
    return KELO_DYNAMIC_DOWNCAST(CControlContainerWnd, CWnd::FromHandlePermanent(::GetParent(m_pWnd->m_hWnd)));
}

UINT COleControlSite::GetCtrlId() const
{
    return static_cast<UINT>(::GetDlgCtrlID(m_pWnd->m_hWnd));
}

RECT COleControlSite::GetSiteRect() const
{
    RECT rc = {};
    ::GetClientRect(m_pWnd->m_hWnd, &rc);
    return rc;
}

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IOleControlSite)
        *ppv = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch)
        *ppv = static_cast<IDispatch*>(this);
    else if (riid == IID_IDocHostUIHandler)
        *ppv = static_cast<IDocHostUIHandler*>(this);
    else
        return NoObject(ppv, E_NOINTERFACE);
    AddRef();
    return S_OK;
}

STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    return NoObject(ppmk, E_NOTIMPL);
}

STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer)
{
    return NoObject(ppContainer, E_NOINTERFACE);
}

STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_pWnd->m_hWnd;
    return *phwnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = nullptr;
    *lprcPosRect = *lprcClipRect = GetSiteRect();
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = ::GetAncestor(m_pWnd->m_hWnd, GA_ROOT);
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT)
{
    // The control fills the site window, whatever size it asks for.
    LayoutControl();
    return S_OK;
}

STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR)
{
    if (pActiveObject)
        pActiveObject->AddRef();
    m_pActiveObject.Reset(pActiveObject);
    return S_OK;
}

STDMETHODIMP COleControlSite::GetExtendedControl(IDispatch** ppDisp)
{
    return NoObject(ppDisp, E_NOTIMPL);
}

STDMETHODIMP COleControlSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pResult,
                                     EXCEPINFO*, UINT*)
{
    if (!(wFlags & DISPATCH_PROPERTYGET) || !pResult)
        return DISP_E_MEMBERNOTFOUND;
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        V_VT(pResult) = VT_BOOL;
        V_BOOL(pResult) = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
        V_VT(pResult) = VT_BOOL;
        V_BOOL(pResult) = VARIANT_FALSE;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP COleControlSite::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown*, IDispatch*)
{
    CControlContainerWnd* pContainer = GetContainer();
    return pContainer ? pContainer->OnShowControlContextMenu(GetCtrlId(), dwID, ppt) : S_FALSE;
}

STDMETHODIMP COleControlSite::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (!pInfo)
        return E_POINTER;
    pInfo->dwFlags = 0;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    pInfo->pchHostCss = nullptr;
    pInfo->pchHostNS = nullptr;
    return S_OK;
}

STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD)
{
    CControlContainerWnd* pContainer = GetContainer();
    return pContainer && lpMsg ? pContainer->OnTranslateControlAccelerator(GetCtrlId(), lpMsg) : S_FALSE;
}

STDMETHODIMP COleControlSite::GetOptionKeyPath(LPOLESTR* pchKey, DWORD)
{
    return NoObject(pchKey, E_NOTIMPL);
}

STDMETHODIMP COleControlSite::GetExternal(IDispatch** ppDispatch)
{
    return NoObject(ppDispatch, S_FALSE);
}

STDMETHODIMP COleControlSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut)
{
    return NoObject(ppchURLOut, S_FALSE);
}

STDMETHODIMP COleControlSite::FilterDataObject(IDataObject*, IDataObject** ppDORet)
{
    return NoObject(ppDORet, S_FALSE);
}

STDMETHODIMP COleControlSite::CEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != m_iid)
        return NoObject(ppv, E_NOINTERFACE);
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP COleControlSite::CEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    return m_pSite->GetTypeInfoCount(pctinfo);
}

STDMETHODIMP COleControlSite::CEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*,
                                                 EXCEPINFO*, UINT*)
{
    CControlContainerWnd* pContainer = m_pSite->GetContainer();
    return pContainer ? pContainer->OnControlEvent(m_pSite->GetCtrlId(), dispid, pParams) : S_OK;
}
