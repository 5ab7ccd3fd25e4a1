// KeloCheck [kiosk folder]: checks a kiosk folder (its own folder when none is given) and
// prints one line per finding, then their count. Exit code: 0 without error, 1 with
// errors, 2 when the folder is no kiosk.
#include "kelocheck/CKioskChecker.h"
#include <windows.h>
#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    std::string strFolder;
    if (argc > 1) {
        strFolder = argv[1];
        // "C:\Kiosque\" reaches the program as C:\Kiosque" (a backslash before a quote
        // escapes it).
        if (!strFolder.empty() && strFolder.back() == '"')
            strFolder.back() = '\\';
    } else {
        char szProgram[MAX_PATH] = {};
        DWORD nLength = ::GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
        strFolder.assign(szProgram, nLength);
        strFolder.resize(strFolder.rfind('\\') + 1);
    }
    // The texts are in the ANSI code page; a console shows the OEM one unless told.
    ::SetConsoleOutputCP(::GetACP());

    CKioskChecker checker;
    CKioskChecker::Result nResult = checker.Check(strFolder);
    for (const CKioskChecker::FINDING& finding : checker.Findings())
        std::printf("%s %s: %s\n", finding.bError ? "ERREUR" : "AVERTISSEMENT", finding.strFile.c_str(),
                    finding.strText.c_str());
    int nErrors = checker.Count(true), nWarnings = checker.Count(false);
    std::printf("%d erreur%s, %d avertissement%s.\n", nErrors, nErrors > 1 ? "s" : "", nWarnings,
                nWarnings > 1 ? "s" : "");
    std::fflush(stdout);
    return nResult;
}
