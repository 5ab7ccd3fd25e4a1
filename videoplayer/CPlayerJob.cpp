#include "videoplayer/CPlayerJob.h"
#include <cstring>
#include <vector>

namespace
{
const DWORD OWNER_ACCESS = PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;
// Room for this many processes in the first query of the job's list, grown up to the last.
const DWORD FIRST_LIST_SIZE = 16;
const DWORD LAST_LIST_SIZE = 4096;
} // namespace

BOOL CPlayerJob::EnsureJob()
{
    if (m_hJob.IsValid())
        return TRUE;
    ScopedHandle hJob(::CreateJobObjectA(nullptr, nullptr));
    if (!hJob.IsValid())
        return FALSE;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!::SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        return FALSE;
    m_hJob = std::move(hJob);
    return TRUE;
}

BOOL CPlayerJob::Start(const char* pszCommandLine, WORD wShow)
{
    if (!EnsureJob())
        return FALSE;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = wShow;
    PROCESS_INFORMATION pi = {};
    // CreateProcessA may write into the command line it is given.
    std::vector<char> commandLine(pszCommandLine, pszCommandLine + std::strlen(pszCommandLine) + 1);
    // Suspended until it is in the job, so that whatever it starts is in the job too.
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &si, &pi))
        return FALSE;
    ScopedHandle hProcess(pi.hProcess);
    ScopedHandle hThread(pi.hThread);
    if (!::AssignProcessToJobObject(m_hJob, hProcess)) {
        // A program Kelo could not supervise or end does not run.
        ::TerminateProcess(hProcess, 1);
        return FALSE;
    }
    ::ResumeThread(hThread);
    return TRUE;
}

BOOL CPlayerJob::Holds(DWORD dwProcessId) const
{
    if (!m_hJob.IsValid() || !dwProcessId)
        return FALSE;
    for (DWORD nRoom = FIRST_LIST_SIZE; nRoom <= LAST_LIST_SIZE; nRoom *= 2) {
        std::vector<BYTE> buffer(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + nRoom * sizeof(ULONG_PTR));
        auto* pList = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
        if (!::QueryInformationJobObject(m_hJob, JobObjectBasicProcessIdList, pList, static_cast<DWORD>(buffer.size()),
                                         nullptr) &&
            ::GetLastError() != ERROR_MORE_DATA)
            return FALSE;
        for (DWORD i = 0; i < pList->NumberOfProcessIdsInList; ++i) {
            if (pList->ProcessIdList[i] == dwProcessId)
                return TRUE;
        }
        if (pList->NumberOfProcessIdsInList >= pList->NumberOfAssignedProcesses)
            return FALSE;
    }
    return FALSE;
}

ScopedHandle CPlayerJob::OpenOwnerOf(HWND hWnd) const
{
    DWORD dwProcessId = 0;
    if (!::GetWindowThreadProcessId(hWnd, &dwProcessId) || !Holds(dwProcessId))
        return ScopedHandle();
    ScopedHandle hProcess(::OpenProcess(OWNER_ACCESS, FALSE, dwProcessId));
    // The identifier may have passed to another process before it was opened: once open it
    // cannot, so the window and the job are asked again.
    DWORD dwOwnerNow = 0;
    if (!hProcess.IsValid() || !::GetWindowThreadProcessId(hWnd, &dwOwnerNow) || dwOwnerNow != dwProcessId ||
        !Holds(dwProcessId))
        return ScopedHandle();
    return hProcess;
}
