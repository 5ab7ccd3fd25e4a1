#include "support/CKeloProcess.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"

#ifndef KELO_EXE
#error "KELO_EXE must name Kelo.exe"
#endif

CKeloProcess::CKeloProcess(const char* pszPrefix)
    : m_folder(pszPrefix)
{
    CopyFileTo(WindowsPathOf(KELO_EXE), m_folder.Path() + "Kelo.exe");
}

CKeloProcess::~CKeloProcess()
{
    if (m_process.IsValid() && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, 5000);
    }
}

bool CKeloProcess::Start()
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    CString strExe = m_folder.Path() + "Kelo.exe";
    CString strCommandLine = "\"" + strExe + "\"";
    if (!::CreateProcessA(strExe, strCommandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, m_folder.Path(),
                          &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    m_process.Reset(pi.hProcess);
    m_dwProcessId = pi.dwProcessId;
    return true;
}

HWND CKeloProcess::WaitForWindow(const char* pszClass, DWORD nTimeoutMs) const
{
    return WaitForTopLevelWindow(m_dwProcessId, pszClass, nTimeoutMs);
}
