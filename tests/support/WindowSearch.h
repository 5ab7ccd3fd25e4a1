#pragma once
// Finding other programs' (or other threads') top-level windows from a test. Dialogs of
// this process and their texts: support/DialogProbe.h.
#include "framework/core/CString.h"

// The first visible top-level window of class pszClass (any class when null) belonging to
// process dwProcessId (any process when 0), waiting up to nTimeoutMs; null when none appeared. Sent messages
// of the calling thread are processed while waiting.
HWND WaitForTopLevelWindow(DWORD dwProcessId, const char* pszClass, DWORD nTimeoutMs);
// The first visible window of class pszClass among the descendants of hWndParent (of any
// process), or null.
HWND FindVisibleDescendant(HWND hWndParent, const char* pszClass);
