// Kelo.exe's start to its first skinned paint against a bare popup program's start to its
// first paint, both started the same way and watched on the screen, several times in
// turn. Printed side by side with their ratio, then where Kelo's time goes: the stages it
// marks in its start-up trace (KELO_STARTUP_TRACE), in milliseconds since the start.
#include "BenchMedian.h"
#include "app/StartupTrace.h"
#include "support/ProgramStart.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
const int kRuns = 25;
const DWORD kTimeoutMs = 20000;

// Each stage's times since the start, one per run, in the order of the first run.
using StageTimes = std::vector<std::pair<std::string, std::vector<double>>>;

double MillisecondsBetween(LONGLONG nFrom, LONGLONG nTo)
{
    LARGE_INTEGER frequency = {};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(nTo - nFrom) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from the start of pszExe until the screen shows cr at (x, y), centred
// like an 800 x 600 window; -1 when it never does. *pStart: the start's counter;
// afterPaint, when given, runs before the program is ended.
double StartToPaint(const CString& strExe, const CString& strFolder, int x, int y, COLORREF cr,
                    LARGE_INTEGER* pStart = nullptr, const std::function<void()>& afterPaint = nullptr)
{
    const int xOrigin = (::GetSystemMetrics(SM_CXSCREEN) - 800) / 2, yOrigin = (::GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
    const LARGE_INTEGER start = BenchNow();
    if (pStart)
        *pStart = start;
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
    if (afterPaint)
        afterPaint();
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 5000);
    // The screen is cleared of the window before the next start.
    ::Sleep(300);
    return dMs;
}

// Whether the trace file holds the start-up's last stage; waits for it up to 5 s.
void WaitForStartupDone(const CString& strTrace)
{
    for (int i = 0; i < 500; ++i) {
        std::ifstream trace(strTrace.str());
        std::string strLine;
        while (std::getline(trace, strLine)) {
            if (strLine.find(KELO_STARTUP_DONE) != std::string::npos)
                return;
        }
        ::Sleep(10);
    }
}

// Adds the stages of one run's trace file, then the paint the screen showed.
void AddRun(StageTimes& stages, const CString& strTrace, LONGLONG nStart, double dPaint)
{
    std::ifstream trace(strTrace.str());
    long long nCounter = 0;
    std::string strStage;
    size_t i = 0;
    while (trace >> nCounter && std::getline(trace >> std::ws, strStage)) {
        if (i == stages.size())
            stages.emplace_back(strStage, std::vector<double>());
        stages[i++].second.push_back(MillisecondsBetween(nStart, nCounter));
    }
    if (i == stages.size())
        stages.emplace_back("first skinned paint on the screen", std::vector<double>());
    stages[i].second.push_back(dPaint);
}

// The stages in the order of their medians, the paint seen on the screen among them.
void PrintStages(const StageTimes& stages)
{
    std::vector<std::pair<double, std::string>> medians;
    for (const auto& stage : stages)
        medians.emplace_back(Median(stage.second), stage.first);
    std::stable_sort(medians.begin(), medians.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::printf("Kelo.exe start-up, medians (ms):               since start     step\n");
    double dPrevious = 0;
    for (const auto& stage : medians) {
        std::printf("  %-44s %8.1f %8.1f\n", stage.second.c_str(), stage.first, stage.first - dPrevious);
        dPrevious = stage.first;
    }
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
    const CString strTrace = kiosk.Path() + "startup-trace.txt";
    std::vector<double> kelo, bare;
    StageTimes stages;
    // One start of each first, not counted: the first start of a program file pays for
    // reading it.
    StartToPaint(strKelo, kiosk.Path(), TestSkin::kQuitAt.x + 10, TestSkin::kQuitAt.y + 10, TestSkin::kNormal);
    StartToPaint(strBare, kiosk.Path(), 400, 300, RGB(0, 128, 128));
    // Kelo's first skinned paint: its quit button's normal image over the top band.
    for (int run = 0; run < kRuns; ++run) {
        ::DeleteFileA(strTrace);
        ::SetEnvironmentVariableA(KELO_STARTUP_TRACE_VARIABLE, strTrace);
        LARGE_INTEGER start = {};
        kelo.push_back(StartToPaint(strKelo, kiosk.Path(), TestSkin::kQuitAt.x + 10, TestSkin::kQuitAt.y + 10,
                                    TestSkin::kNormal, &start, [&] { WaitForStartupDone(strTrace); }));
        ::SetEnvironmentVariableA(KELO_STARTUP_TRACE_VARIABLE, nullptr);
        AddRun(stages, strTrace, start.QuadPart, kelo.back());
        bare.push_back(StartToPaint(strBare, kiosk.Path(), 400, 300, RGB(0, 128, 128)));
    }
    // Each Kelo start is set against the bare start right after it: a load that comes and
    // goes on the machine weighs on both sides of a pair alike.
    std::vector<double> ratios;
    for (size_t i = 0; i < kelo.size(); ++i) {
        if (kelo[i] > 0 && bare[i] > 0)
            ratios.push_back(kelo[i] / bare[i]);
    }
    if (ratios.empty()) {
        std::printf("neither program painted in time\n");
        return 1;
    }
    const double dKelo = Median(kelo), dBare = Median(bare);
    std::printf("Kelo.exe start to first skinned paint:  %8.1f ms\n", dKelo);
    std::printf("Bare popup start to first paint:        %8.1f ms\n", dBare);
    std::printf("Ratio Kelo / bare, median of the pairs: %8.2f  (of the medians %.2f)\n", Median(ratios), dKelo / dBare);
    PrintStages(stages);
    std::fflush(stdout);
    return 0;
}
