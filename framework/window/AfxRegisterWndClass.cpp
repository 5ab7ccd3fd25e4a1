#include "framework/window/AfxRegisterWndClass.h"
#include "framework/core/AfxGlobals.h"
#include <cstdio>

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    thread_local char t_szName[96];
    std::snprintf(t_szName, sizeof(t_szName), "Kelo:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));

    WNDCLASSA wc = {};
    if (::GetClassInfoA(AfxGetInstanceHandle(), t_szName, &wc))
        return t_szName;
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = t_szName;
    return ::RegisterClassA(&wc) ? t_szName : nullptr;
}

LPCSTR AfxRegisterDefaultWndClass(HICON hIcon)
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                               hIcon);
}
