#include "app/StartupTrace.h"
#include <cstdio>
#include <cstring>

namespace
{
// The marks are kept in memory and written once, at the start-up's end: a file written at
// each mark would slow down the start-up it measures.
const int kMaxMarks = 64;

struct Mark
{
    long long nCounter;
    const char* pszStage;
};

Mark g_marks[kMaxMarks];
int g_nMarks = 0;

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

void WriteMarks(const CString& strPath)
{
    if (FILE* pFile = std::fopen(strPath, "a")) {
        for (int i = 0; i < g_nMarks; ++i)
            std::fprintf(pFile, "%lld %s\n", g_marks[i].nCounter, g_marks[i].pszStage);
        std::fclose(pFile);
    }
    g_nMarks = 0;
}
} // namespace

void StartupMark(const char* pszStage)
{
    const CString& strPath = TracePath();
    if (strPath.IsEmpty())
        return;
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    if (g_nMarks < kMaxMarks)
        g_marks[g_nMarks++] = {static_cast<long long>(now.QuadPart), pszStage};
    if (g_nMarks == kMaxMarks || std::strcmp(pszStage, KELO_STARTUP_DONE) == 0)
        WriteMarks(strPath);
}
