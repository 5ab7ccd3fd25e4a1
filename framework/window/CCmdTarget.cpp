#include "framework/window/CCmdTarget.h"

KELO_IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const CMessageMap* CCmdTarget::GetThisMessageMap()
{
    static const CMessageEntry s_end = {0, 0, 0, 0, nullptr};
    static const CMessageMap s_map = {nullptr, &s_end, 0};
    return &s_map;
}

const CMessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode)
{
    const CMessageEntry* pEntry = FindMessageEntry(WM_COMMAND, nID, nCode);
    if (!pEntry)
        return FALSE;
    pEntry->pfnThunk(this, 0, 0);
    return TRUE;
}

const CMessageEntry* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nID, UINT nCode) const
{
    return GetMessageMap()->Find([=](const CMessageEntry& entry) {
        return entry.nMessage == nMessage &&
               (nMessage != WM_COMMAND || (entry.nCode == nCode && nID >= entry.nIdFirst && nID <= entry.nIdLast));
    });
}
