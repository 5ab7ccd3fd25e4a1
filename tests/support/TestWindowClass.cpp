#include "support/TestWindowClass.h"

const char* RegisterTestWindowClass(const char* pszName, WNDPROC pfnWndProc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = pszName;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return pszName;
}

const char* PlainTestWindowClass()
{
    return RegisterTestWindowClass("KeloTestWnd", ::DefWindowProcA);
}
