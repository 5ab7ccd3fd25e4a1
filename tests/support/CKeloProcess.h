#pragma once
// The real Kelo.exe for end-to-end tests: copied into a temporary folder of its own (its
// program folder, where further files can be placed), started there, and ended with the
// object if it still runs.
#include "framework/ScopedWin.h"
#include "support/CTempFolder.h"

class CKeloProcess
{
public:
    explicit CKeloProcess(const char* pszPrefix = "kelo");
    ~CKeloProcess();
    CKeloProcess(const CKeloProcess&) = delete;
    CKeloProcess& operator=(const CKeloProcess&) = delete;

    // The program folder, with a trailing backslash.
    const CString& Folder() const { return m_folder.Path(); }
    bool Start();
    HANDLE Process() const { return m_process; }
    DWORD ProcessId() const { return m_dwProcessId; }
    // Its first visible top-level window of class pszClass (any class when null), waiting up
    // to nTimeoutMs; null when none appeared.
    HWND WaitForWindow(const char* pszClass, DWORD nTimeoutMs) const;

private:
    CTempFolder m_folder;
    ScopedHandle m_process;
    DWORD m_dwProcessId = 0;
};
