#pragma once
// The video programs Kelo started, and every process they start in turn (the player among
// them): one job object of Kelo's. Only a window of a process in the job is ever told to
// exit or has its process ended; a player that another program started is never touched.
// The job's processes end with it when Kelo ends, also when Kelo dies.
#include "framework/core/ScopedWin.h"

class CPlayerJob
{
public:
    CPlayerJob() = default;
    CPlayerJob(const CPlayerJob&) = delete;
    CPlayerJob& operator=(const CPlayerJob&) = delete;

    // Starts the command line in the job, without waiting for the program, with the show
    // command wShow. FALSE when it did not start, or could not be put in the job (it is
    // then ended before it ran).
    BOOL Start(const char* pszCommandLine, WORD wShow);
    // The process that owns hWnd, opened to be waited for and ended, when it is in the
    // job; invalid otherwise. The handle keeps the process's identifier from being reused.
    ScopedHandle OpenOwnerOf(HWND hWnd) const;

private:
    // Whether the process dwProcessId is in the job at this moment.
    BOOL Holds(DWORD dwProcessId) const;
    // Made at the first start; its processes are ended when it is closed.
    BOOL EnsureJob();

    ScopedHandle m_hJob;
};
