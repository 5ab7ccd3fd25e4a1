#include "support/ProcessResources.h"
#include "framework/core/ScopedWin.h"
#include <tlhelp32.h>

namespace
{
// Handle values are multiples of 4, handed out lowest first: a long run of unused values
// means that none follow.
const int kHandleStep = 4;
const int kUnusedRunLength = 4096;

BOOL CALLBACK CountChildProc(HWND hWnd, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountTopLevelProc(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(lParam);
        ::EnumChildWindows(hWnd, CountChildProc, lParam);
    }
    return TRUE;
}
} // namespace

int CountKernelHandles()
{
    int nCount = 0;
    for (ULONG_PTR nValue = kHandleStep, nUnused = 0; nUnused < kUnusedRunLength; nValue += kHandleStep) {
        DWORD dwFlags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(nValue), &dwFlags)) {
            ++nCount;
            nUnused = 0;
        } else {
            ++nUnused;
        }
    }
    return nCount;
}

int CountOwnWindows()
{
    int nCount = 0;
    ::EnumWindows(CountTopLevelProc, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

int CountOwnThreads()
{
    ScopedHandle hSnapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!hSnapshot.IsValid())
        return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int nCount = 0;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ++nCount;
    }
    return nCount;
}
