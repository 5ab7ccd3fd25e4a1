#pragma once
// Registration of the program's own window classes. Their class procedure is
// DefWindowProcA: CWnd::CreateEx binds every window to its object as it is created.
#include <windows.h>

// Registers (once) a class with these attributes and returns its name, made from them.
// The name stays valid until the next call on the same thread; null when registration
// fails.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
