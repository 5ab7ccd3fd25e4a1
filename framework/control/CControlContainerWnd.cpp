#include "framework/control/CControlContainerWnd.h"

KELO_IMPLEMENT_DYNAMIC(CControlContainerWnd, CWnd)

const CEventSinkMap* CControlContainerWnd::GetThisEventSinkMap()
{
    static const CEventSinkEntry s_end = {0, 0, nullptr};
    static const CEventSinkMap s_map = {nullptr, &s_end, 0};
    return &s_map;
}

const CEventSinkMap* CControlContainerWnd::GetEventSinkMap() const
{
    return GetThisEventSinkMap();
}

HRESULT CControlContainerWnd::OnControlEvent(UINT nCtrlId, DISPID dispid, DISPPARAMS* pParams)
{
    const CEventSinkEntry* pEntry = GetEventSinkMap()->Find(
        [=](const CEventSinkEntry& entry) { return entry.nCtrlId == nCtrlId && entry.dispid == dispid; });
    return pEntry ? pEntry->pfnThunk(this, pParams) : S_OK;
}
