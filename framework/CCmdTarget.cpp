#include "framework/CCmdTarget.h"

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
    for (const CMessageMap* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (size_t i = 0; i < pMap->nCount; ++i) {
            const CMessageEntry& entry = pMap->pEntries[i];
            if (entry.nMessage != nMessage)
                continue;
            if (nMessage != WM_COMMAND || (entry.nCode == nCode && nID >= entry.nIdFirst && nID <= entry.nIdLast))
                return &entry;
        }
    }
    return nullptr;
}
