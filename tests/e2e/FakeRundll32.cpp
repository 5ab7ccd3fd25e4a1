// Stands in for the system's rundll32.exe in a test: it writes its command line and the
// show command it was started with to rundll32.log beside itself.
#include <windows.h>
#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    ::GetStartupInfoA(&si);
    int nShow = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;

    char szLog[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(nullptr, szLog, MAX_PATH);
    char* pSlash = std::strrchr(szLog, '\\');
    if (nLength == 0 || nLength >= MAX_PATH || !pSlash || pSlash + 14 >= szLog + MAX_PATH)
        return 1;
    std::strcpy(pSlash + 1, "rundll32.log");
    FILE* pFile = std::fopen(szLog, "w");
    if (!pFile)
        return 1;
    std::fprintf(pFile, "%s\n%d\n", lpCmdLine, nShow);
    std::fclose(pFile);
    return 0;
}
