#include "app/StartupTrace.h"
#include <cstdio>

namespace
{
// The trace file's path, looked up once; empty when no trace is asked for.
const CString& TracePath()
{
    static const CString strPath = [] {
        char szPath[MAX_PATH] = {};
        const DWORD nLength = ::GetEnvironmentVariableA(KELO_STARTUP_TRACE_VARIABLE, szPath, MAX_PATH);
        return CString(nLength > 0 && nLength < MAX_PATH ? szPath : "");
    }();
    return strPath;
}
} // namespace

void StartupMark(const char* pszStage)
{
    const CString& strPath = TracePath();
    if (strPath.IsEmpty())
        return;
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    if (FILE* pFile = std::fopen(strPath, "a")) {
        std::fprintf(pFile, "%lld %s\n", static_cast<long long>(now.QuadPart), pszStage);
        std::fclose(pFile);
    }
}
