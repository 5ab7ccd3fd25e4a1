#pragma once
// Registration of the program's own window classes. Their class procedure is
// DefWindowProcA: CWnd::CreateEx binds every window to its object as it is created.
#include <windows.h>

// Registers (once) a class with these attributes and returns its name, made from them.
// The name stays valid until the next call on the same thread; null when registration
// fails.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// The class of frames and views made without one: double clicks, the arrow cursor, the
// window colour, and hIcon (a frame's icon from its resources).
LPCSTR AfxRegisterDefaultWndClass(HICON hIcon = nullptr);
