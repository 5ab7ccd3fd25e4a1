#include "support/HandleCounter.h"

namespace
{
// Handle values are multiples of 4; a test process stays far below this one.
const ULONG_PTR kLastHandleValue = 0x10000;

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    ::EnumChildWindows(hWnd, CountChild, lParam);
    return TRUE;
}
} // namespace

int CountThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

int CountKernelHandles()
{
    int nCount = 0;
    DWORD dwFlags = 0;
    for (ULONG_PTR nValue = 4; nValue < kLastHandleValue; nValue += 4) {
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(nValue), &dwFlags))
            ++nCount;
    }
    return nCount;
}
