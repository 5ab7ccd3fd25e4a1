#pragma once
// Event sink maps: a window that contains ActiveX controls (a CControlContainerWnd) lists,
// in one small ordered table, the events it handles: a control identifier, a dispatch
// identifier and a handler. The handler's signature decides how the event's parameters
// are read; a parameter whose variant type does not match is refused, never
// reinterpreted. As in message maps, a handler must belong to the map's class or one of
// its bases.
//
//   KELO_BEGIN_EVENTSINK_MAP(CBrowserHost, CControlContainerWnd)
//       OnEvent<AFX_IDW_PANE_FIRST, DISPID_BEFORENAVIGATE2, &CBrowserHost::OnBeforeNavigate2>(),
//   KELO_END_EVENTSINK_MAP()
//
// Parameter types: IDispatch* (VT_DISPATCH), IDispatch** (VT_BYREF|VT_DISPATCH), VARIANT*
// (any variant, by reference or not), BOOL* (VT_BYREF|VT_BOOL, written back to the
// control after the handler), DWORD (VT_I4 or VT_UI4), BSTR (VT_BSTR).
#include "framework/core/HandlerMap.h"
#include <windows.h>
#include <oaidl.h>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

class CCmdTarget;

struct CEventSinkEntry
{
    UINT nCtrlId;
    DISPID dispid;
    HRESULT (*pfnThunk)(CCmdTarget* pTarget, DISPPARAMS* pParams);
};

using CEventSinkMap = CHandlerMap<CEventSinkEntry>;

namespace EventSinkDetail
{
// One event parameter read from its VARIANTARG.
template <class T> struct Arg;

template <> struct Arg<IDispatch*>
{
    IDispatch* p = nullptr;
    bool bOk;
    explicit Arg(const VARIANTARG& v) : bOk(V_VT(&v) == VT_DISPATCH)
    {
        if (bOk)
            p = V_DISPATCH(&v);
    }
    IDispatch* Get() const { return p; }
    void Commit() const {}
};

template <> struct Arg<IDispatch**>
{
    IDispatch** pp;
    bool bOk;
    explicit Arg(const VARIANTARG& v)
        : pp(V_VT(&v) == (VT_BYREF | VT_DISPATCH) ? V_DISPATCHREF(&v) : nullptr), bOk(pp != nullptr) {}
    IDispatch** Get() const { return pp; }
    void Commit() const {}
};

template <> struct Arg<VARIANT*>
{
    VARIANT* p;
    bool bOk = true;
    explicit Arg(VARIANTARG& v) : p(V_VT(&v) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&v) : &v) { bOk = p != nullptr; }
    VARIANT* Get() const { return p; }
    void Commit() const {}
};

// The control hands a VARIANT_BOOL*; the handler sees a BOOL, which goes back after it.
template <> struct Arg<BOOL*>
{
    VARIANT_BOOL* pControl;
    BOOL bValue;
    bool bOk;
    explicit Arg(const VARIANTARG& v)
        : pControl(V_VT(&v) == (VT_BYREF | VT_BOOL) ? V_BOOLREF(&v) : nullptr),
          bValue(pControl && *pControl != VARIANT_FALSE), bOk(pControl != nullptr) {}
    BOOL* Get() { return &bValue; }
    void Commit() const { *pControl = bValue ? VARIANT_TRUE : VARIANT_FALSE; }
};

template <> struct Arg<DWORD>
{
    DWORD n;
    bool bOk;
    explicit Arg(const VARIANTARG& v)
        : n(V_VT(&v) == VT_I4 ? static_cast<DWORD>(V_I4(&v)) : V_VT(&v) == VT_UI4 ? V_UI4(&v) : 0),
          bOk(V_VT(&v) == VT_I4 || V_VT(&v) == VT_UI4) {}
    DWORD Get() const { return n; }
    void Commit() const {}
};

template <> struct Arg<BSTR>
{
    BSTR bstr;
    bool bOk;
    explicit Arg(const VARIANTARG& v) : bstr(V_VT(&v) == VT_BSTR ? V_BSTR(&v) : nullptr), bOk(V_VT(&v) == VT_BSTR) {}
    BSTR Get() const { return bstr; }
    void Commit() const {}
};

template <class C, class... A, size_t... I>
HRESULT Call(C* pTarget, void (C::*pfn)(A...), DISPPARAMS* pParams, std::index_sequence<I...>)
{
    // The arguments come last to first in rgvarg.
    std::tuple<Arg<A>...> args{Arg<A>(pParams->rgvarg[sizeof...(A) - 1 - I])...};
    if (!(true && ... && std::get<I>(args).bOk))
        return DISP_E_TYPEMISMATCH;
    (pTarget->*pfn)(std::get<I>(args).Get()...);
    (std::get<I>(args).Commit(), ...);
    return S_OK;
}

template <class M> struct Traits;
template <class C, class... A> struct Traits<void (C::*)(A...)>
{
    using Class = C;
    static constexpr size_t nArgs = sizeof...(A);
    template <class F> static HRESULT Call(CCmdTarget* p, F pfn, DISPPARAMS* pParams)
    {
        return EventSinkDetail::Call(static_cast<C*>(p), pfn, pParams, std::index_sequence_for<A...>());
    }
};

template <auto H> HRESULT Thunk(CCmdTarget* p, DISPPARAMS* pParams)
{
    using T = Traits<decltype(H)>;
    if (!pParams || pParams->cArgs != T::nArgs || (T::nArgs && !pParams->rgvarg))
        return DISP_E_BADPARAMCOUNT;
    return T::Call(p, H, pParams);
}
} // namespace EventSinkDetail

// Event dispid of control nCtrlId: void OnX(params...).
template <UINT CtrlId, DISPID Dispid, auto H> constexpr auto OnEvent()
{
    using C = typename EventSinkDetail::Traits<decltype(H)>::Class;
    return HandlerMapDetail::TypedEntry<CEventSinkEntry, C>{{CtrlId, Dispid, &EventSinkDetail::Thunk<H>}};
}

// In the class declaration.
#define KELO_DECLARE_EVENTSINK_MAP() KELO_DECLARE_HANDLER_MAP(CEventSinkMap, GetThisEventSinkMap, GetEventSinkMap)

// In the source file: the class, its base, then the entries in order.
#define KELO_BEGIN_EVENTSINK_MAP(theClass, baseClass) \
    KELO_BEGIN_HANDLER_MAP(CEventSinkMap, CEventSinkEntry, GetThisEventSinkMap, GetEventSinkMap, theClass, baseClass)

#define KELO_END_EVENTSINK_MAP() KELO_END_HANDLER_MAP(CEventSinkMap, GetThisEventSinkMap)
