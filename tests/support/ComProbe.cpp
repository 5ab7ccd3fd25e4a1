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

HRESULT RaiseControlEvent(IUnknown* pControl, REFIID riid, DISPID dispid, std::vector<VARIANTARG> args)
{
    ScopedComPtr<IDispatch> pSink = FindConnectedSink(pControl, riid);
    if (!pSink)
        return E_NOINTERFACE;
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return pSink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

VARIANTARG ArgByRef(IDispatch** ppDisp)
{
    VARIANTARG v;
    V_VT(&v) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&v) = ppDisp;
    return v;
}

VARIANTARG ArgByRef(VARIANT_BOOL* pb)
{
    VARIANTARG v;
    V_VT(&v) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&v) = pb;
    return v;
}

VARIANTARG ArgByRef(VARIANT* pvar)
{
    VARIANTARG v;
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = pvar;
    return v;
}

VARIANTARG ArgValue(long n)
{
    VARIANTARG v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

VARIANTARG ArgValue(BSTR bstr)
{
    VARIANTARG v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = bstr;
    return v;
}

VARIANTARG ArgValue(IDispatch* pDisp)
{
    VARIANTARG v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = pDisp;
    return v;
}
