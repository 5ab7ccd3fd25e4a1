#include "support/HandleCounter.h"

int CountKernelHandles()
{
    // Handle values are multiples of 4; the process's handles lie far below this bound.
    const ULONG_PTR kLastProbed = 0x20000;
    int nCount = 0;
    DWORD dwFlags = 0;
    for (ULONG_PTR n = 4; n <= kLastProbed; n += 4) {
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(n), &dwFlags))
            ++nCount;
    }
    return nCount;
}
