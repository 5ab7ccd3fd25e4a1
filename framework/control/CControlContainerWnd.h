#pragma once
// A window that contains ActiveX controls, each in a child CControlSiteWnd: the controls'
// events run through its event sink map, and it judges what their user interface may do.
#include "framework/window/CWnd.h"
#include "framework/control/EventSinkMap.h"

class CControlContainerWnd : public CWnd
{
    KELO_DECLARE_DYNAMIC(CControlContainerWnd)

public:
    // An event of the control in child window nCtrlId, run through this window's event
    // sink map. S_OK also when no entry handles it.
    HRESULT OnControlEvent(UINT nCtrlId, DISPID dispid, DISPPARAMS* pParams);
    static const CEventSinkMap* GetThisEventSinkMap();
    virtual const CEventSinkMap* GetEventSinkMap() const;

    // A document-type control in child nCtrlId asks whether it may show its context menu
    // (S_FALSE: it may; S_OK: the container handled it) and whether the container takes a
    // key before the control's own accelerators see it (S_OK: taken).
    virtual HRESULT OnShowControlContextMenu(UINT nCtrlId, DWORD dwID, POINT* ppt) { return S_FALSE; }
    virtual HRESULT OnTranslateControlAccelerator(UINT nCtrlId, LPMSG lpMsg) { return S_FALSE; }
};
