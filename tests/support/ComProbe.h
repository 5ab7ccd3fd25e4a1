#pragma once
// Looking at COM objects from outside: whether a DLL still serves live objects, and the
// sinks a control's connection point holds.
#include "framework/ScopedWin.h"

// TRUE while the loaded DLL (by file name) reports objects alive (DllCanUnloadNow is not
// S_OK); FALSE when it reports none or is not loaded.
BOOL DllHasLiveObjects(const char* pszDll);
// The first sink connected to the control's connection point for riid (null when none).
ScopedComPtr<IDispatch> FindConnectedSink(IUnknown* pControl, REFIID riid);
