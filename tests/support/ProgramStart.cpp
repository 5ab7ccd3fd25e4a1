#include "support/ProgramStart.h"

ScopedHandle StartProgram(const CString& strExe, const CString& strFolder, DWORD* pdwProcessId)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    CString strCommandLine = "\"" + strExe + "\"";
    if (!::CreateProcessA(strExe, strCommandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, strFolder, &si, &pi))
        return ScopedHandle();
    ::CloseHandle(pi.hThread);
    if (pdwProcessId)
        *pdwProcessId = pi.dwProcessId;
    return ScopedHandle(pi.hProcess);
}
