#pragma once
// Window classes of the test programs, registered once per process.
#include <windows.h>

// Registers the class pszName with the procedure pfnWndProc, unless this process already
// has it; returns the name, or null when it cannot be registered.
const char* RegisterTestWindowClass(const char* pszName, WNDPROC pfnWndProc);
// The plain class (DefWindowProcA) that test windows bound to a CWnd are made of.
const char* PlainTestWindowClass();
