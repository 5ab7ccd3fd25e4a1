#pragma once
// The site of one ActiveX control, held by value in the window the control lives in (a
// CControlSiteWnd), the site window: the control activates in place as its child and fills
// its client area. The site answers the control as its client site, in-place site and
// frame, control site, ambient properties and document host; it connects an event sink to
// the control's default event interface and hands the events to the event sink map of the
// site window's parent, the container, when that is a CControlContainerWnd.
//
// The site is not heap-allocated: its reference count only tracks the control's hold on
// it. Destroying the control (or the site window) takes every reference back: events
// disconnected, in-place deactivation, Close, SetClientSite(NULL), every interface
// released.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <mshtmhst.h>
#include "framework/core/ScopedWin.h"

class CControlContainerWnd;
class CWnd;

class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IOleControlSite,
                        public IDispatch,
                        public IDocHostUIHandler
{
public:
    explicit COleControlSite(CWnd* pWnd) : m_pWnd(pWnd), m_sink(this) {}
    virtual ~COleControlSite() { DestroyControl(); }
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Creates the control of class clsid in the (existing) site window and activates it in
    // place there; FALSE, with nothing kept, when any step fails.
    BOOL CreateControl(REFCLSID clsid);
    // Takes every reference back from the control and releases it. Nothing when no
    // control is hosted.
    void DestroyControl();

    // The control, or null. Not AddRef'd: valid while the control is hosted.
    IUnknown* GetControlUnknown() const { return m_pObject.Get(); }
    // Gives the control the site window's client area (after the site window moved).
    void LayoutControl();
    // Offers a keyboard message to the active control; TRUE when the control used it.
    BOOL PreTranslateMessage(MSG* pMsg);
    // References the control holds on the site and its event sink (0 once it let go).
    ULONG GetRefCount() const { return m_nRef + m_sink.m_nRef; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRef; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRef; }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, through both the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override;

    // IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, tool space or status line to share.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*,
                        UINT*) override;

    // IDocHostUIHandler: the context menu and accelerators are the container's to judge;
    // the site shows no user interface of its own and exposes nothing to scripts.
    STDMETHODIMP ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown*, IDispatch*) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override { return S_OK; }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    // Also IOleInPlaceUIWindow's (a BORDERWIDTHS is a RECT): there are no borders to give.
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** ppDORet) override;

private:
    // The sink of the control's events: a COM object of its own (its IDispatch is not the
    // site's ambient one).
    class CEventSink : public IDispatch
    {
    public:
        explicit CEventSink(COleControlSite* pSite) : m_pSite(pSite) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRef; }
        STDMETHODIMP_(ULONG) Release() override { return --m_nRef; }
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
        STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*,
                            UINT*) override;

        COleControlSite* m_pSite;
        ULONG m_nRef = 0;
        IID m_iid = IID_NULL;   // the control's event interface
    };

    // The window that contains the site window, which handles the events and judges the
    // user interface; null when it is no control container.
    CControlContainerWnd* GetContainer() const;
    UINT GetCtrlId() const;
    // Connects the sink to the control's default event interface, when it has one.
    void ConnectEvents();
    RECT GetSiteRect() const;

    CWnd* m_pWnd;
    ULONG m_nRef = 0;
    CEventSink m_sink;
    ScopedComPtr<IOleObject> m_pObject;
    ScopedComPtr<IOleInPlaceObject> m_pInPlaceObject;
    ScopedComPtr<IOleInPlaceActiveObject> m_pActiveObject;   // set by the control while it is active
    ScopedComPtr<IConnectionPoint> m_pEventPoint;
    DWORD m_dwEventCookie = 0;
};

// Allows CControlSiteWnd::CreateControl in this process. Call once at start-up; COM must be
// initialised on each thread that creates controls.
void AfxEnableControlContainer();
BOOL AfxIsControlContainerEnabled();
