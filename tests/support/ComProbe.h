#pragma once
// Looking at COM objects from outside: whether a DLL still serves live objects, the sinks
// a control's connection point holds, and events raised through them.
#include "framework/core/ScopedWin.h"
#include <vector>

// TRUE while the loaded DLL (by file name) reports objects alive (DllCanUnloadNow is not
// S_OK); FALSE when it reports none or is not loaded.
BOOL DllHasLiveObjects(const char* pszDll);
// The first sink connected to the control's connection point for riid (null when none).
ScopedComPtr<IDispatch> FindConnectedSink(IUnknown* pControl, REFIID riid);

// Raises an event of the control's connection point riid, as the control does: the
// arguments are given first to last.
HRESULT RaiseControlEvent(IUnknown* pControl, REFIID riid, DISPID dispid, std::vector<VARIANTARG> args);
// Event arguments.
VARIANTARG ArgByRef(IDispatch** ppDisp);
VARIANTARG ArgByRef(VARIANT_BOOL* pb);
VARIANTARG ArgByRef(VARIANT* pvar);
VARIANTARG ArgValue(long n);
VARIANTARG ArgValue(BSTR bstr);
VARIANTARG ArgValue(IDispatch* pDisp);
