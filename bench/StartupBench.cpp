// Kelo.exe's start to its first skinned paint against a bare popup program's start to its
// first paint, both started the same way and watched on the screen, several times in
// turn. Printed side by side with their ratio.
#include "BenchMedian.h"
#include "support/ProgramStart.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include <cstdio>
#include <vector>

namespace
{
const int kRuns = 5;
const DWORD kTimeoutMs = 20000;

// Milliseconds from the start of pszExe until the screen shows cr at (x, y), centred
// like an 800 x 600 window; -1 when it never does.
double StartToPaint(const CString& strExe, const CString& strFolder, int x, int y, COLORREF cr)
{
    const int xOrigin = (::GetSystemMetrics(SM_CXSCREEN) - 800) / 2, yOrigin = (::GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
    const LARGE_INTEGER start = BenchNow();
    ScopedHandle process = StartProgram(strExe, strFolder);
    if (!process.IsValid())
        return -1;
    double dMs = -1;
    for (;;) {
        const double dElapsed = MillisecondsSince(start);
        if (ScreenPixel(xOrigin + x, yOrigin + y) == cr) {
            dMs = dElapsed;
            break;
        }
        if (dElapsed > kTimeoutMs)
            break;
        ::Sleep(1);
    }
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 5000);
    // The screen is cleared of the window before the next start.
    ::Sleep(300);
    return dMs;
}

} // namespace

int main()
{
    CTestKiosk kiosk;
    const CString strKelo = kiosk.Path() + "Kelo.exe", strBare = kiosk.Path() + "BarePopup.exe";
    if (!CopyFileTo(WindowsPathOf(KELO_EXE), strKelo) || !CopyFileTo(WindowsPathOf(BARE_POPUP_EXE), strBare)) {
        std::printf("cannot copy the programs\n");
        return 1;
    }
    std::vector<double> kelo, bare;
    // Kelo's first skinned paint: its quit button's normal image over the top band.
    for (int run = 0; run < kRuns; ++run) {
        kelo.push_back(StartToPaint(strKelo, kiosk.Path(), TestSkin::kQuitAt.x + 10, TestSkin::kQuitAt.y + 10,
                                    TestSkin::kNormal));
        bare.push_back(StartToPaint(strBare, kiosk.Path(), 400, 300, RGB(0, 128, 128)));
    }
    const double dKelo = Median(kelo), dBare = Median(bare);
    std::printf("Kelo.exe start to first skinned paint:  %8.1f ms\n", dKelo);
    std::printf("Bare popup start to first paint:        %8.1f ms\n", dBare);
    std::printf("Ratio Kelo / bare:                      %8.2f\n", dKelo / dBare);
    std::fflush(stdout);
    return 0;
}
