#include "support/ComProbe.h"
#include <ocidl.h>

BOOL DllHasLiveObjects(const char* pszDll)
{
    HMODULE hModule = ::GetModuleHandleA(pszDll);
    auto pfnCanUnload = hModule ? reinterpret_cast<HRESULT(WINAPI*)()>(::GetProcAddress(hModule, "DllCanUnloadNow"))
                                : nullptr;
    return pfnCanUnload && pfnCanUnload() != S_OK;
}

ScopedComPtr<IDispatch> FindConnectedSink(IUnknown* pControl, REFIID riid)
{
    ScopedComPtr<IDispatch> pSink;
    ScopedComPtr<IConnectionPointContainer> pPoints;
    ScopedComPtr<IConnectionPoint> pPoint;
    ScopedComPtr<IEnumConnections> pEnum;
    if (!pControl ||
        FAILED(pControl->QueryInterface(IID_IConnectionPointContainer, pPoints.PutVoid())) ||
        FAILED(pPoints->FindConnectionPoint(riid, pPoint.Put())) || FAILED(pPoint->EnumConnections(pEnum.Put())))
        return pSink;
    CONNECTDATA data = {};
    if (pEnum->Next(1, &data, nullptr) == S_OK && data.pUnk) {
        data.pUnk->QueryInterface(IID_IDispatch, pSink.PutVoid());
        data.pUnk->Release();
    }
    return pSink;
}
