#include "support/CKeloProcess.h"
#include "support/ProgramStart.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"

#ifndef KELO_EXE
#error "KELO_EXE must name Kelo.exe"
#endif

CKeloProcess::CKeloProcess(const char* pszPrefix)
    : m_ownFolder(std::in_place, pszPrefix)
    , m_strFolder(m_ownFolder->Path())
{
    m_bCopied = CopyFileTo(WindowsPathOf(KELO_EXE), m_strFolder + "Kelo.exe") != FALSE;
}

CKeloProcess::CKeloProcess(const CString& strFolder)
    : m_strFolder(strFolder)
{
    m_bCopied = CopyFileTo(WindowsPathOf(KELO_EXE), m_strFolder + "Kelo.exe") != FALSE;
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
    if (!m_bCopied)
        return false;
    m_process = StartProgram(m_strFolder + "Kelo.exe", m_strFolder, &m_dwProcessId);
    return m_process.IsValid();
}

HWND CKeloProcess::WaitForWindow(const char* pszClass, DWORD nTimeoutMs) const
{
    return WaitForTopLevelWindow(m_dwProcessId, pszClass, nTimeoutMs);
}
