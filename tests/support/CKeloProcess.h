#pragma once
// The real Kelo.exe for end-to-end tests: copied into its program folder (a temporary
// folder of its own, or a kiosk folder the test has laid out), started there, and ended
// with the object if it still runs.
#include "framework/core/ScopedWin.h"
#include "support/CTempFolder.h"
#include <optional>

class CKeloProcess
{
public:
    explicit CKeloProcess(const char* pszPrefix = "kelo");
    // In the folder strFolder (with a trailing backslash), which must outlive the object.
    explicit CKeloProcess(const CString& strFolder);
    ~CKeloProcess();
    CKeloProcess(const CKeloProcess&) = delete;
    CKeloProcess& operator=(const CKeloProcess&) = delete;

    // The program folder, with a trailing backslash.
    const CString& Folder() const { return m_strFolder; }
    // FALSE when Kelo.exe could not be copied or started.
    bool Start();
    HANDLE Process() const { return m_process; }
    DWORD ProcessId() const { return m_dwProcessId; }
    // Its first visible top-level window of class pszClass (any class when null), waiting up
    // to nTimeoutMs; null when none appeared.
    HWND WaitForWindow(const char* pszClass, DWORD nTimeoutMs) const;

private:
    std::optional<CTempFolder> m_ownFolder;
    CString m_strFolder;
    bool m_bCopied = false;
    ScopedHandle m_process;
    DWORD m_dwProcessId = 0;
};
