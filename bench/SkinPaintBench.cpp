// A full repaint of the skinned client area (Kelo's start-up on a sample skin, the skin
// window repainted and updated) against the floor of any full repaint: one FillRect and
// one 800 x 600 BitBlt into a memory DC. Printed side by side with their ratio.
#include "BenchMedian.h"
#include "app/CKeloApp.h"
#include "frame/CMainFrame.h"
#include "framework/gdi/CBrush.h"
#include "framework/window/CClientDC.h"
#include "framework/window/CMemDC.h"
#include "support/KeloStart.h"
#include "support/MessagePump.h"
#include "support/TestKiosk.h"
#include <cstdio>
#include <vector>

namespace
{
const int kRounds = 7;
const int kRepaintsPerRound = 200;

// The mean time of one of nTimes runs of work, in milliseconds.
template <class F> double MillisecondsPer(F work, int nTimes)
{
    const LARGE_INTEGER start = BenchNow();
    for (int i = 0; i < nTimes; ++i)
        work();
    return MillisecondsSince(start) / nTimes;
}
} // namespace

int main()
{
    CTestKiosk kiosk;
    if (!StartKeloIn(kiosk.Path())) {
        std::printf("Kelo did not start\n");
        return 1;
    }
    PumpUntil([] { return false; }, 200);
    HWND hWndSkin = theApp.GetMainFrame()->m_wndSkinClient;

    CClientDC screen(nullptr);
    CMemDC target(&screen, 800, 600);
    CBrush brush(RGB(0, 128, 128));
    CMemDC source(&screen, 800, 600);
    const RECT rcAll = {0, 0, 800, 600};

    std::vector<double> skin, floor;
    for (int round = 0; round < kRounds; ++round) {
        skin.push_back(MillisecondsPer(
            [&] { ::RedrawWindow(hWndSkin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }, kRepaintsPerRound));
        floor.push_back(MillisecondsPer(
            [&] {
                target.FillRect(rcAll, brush);
                target.BitBlt(0, 0, 800, 600, &source, 0, 0, SRCCOPY);
            },
            kRepaintsPerRound));
    }
    const double dSkin = Median(skin), dFloor = Median(floor);
    std::printf("Full skin repaint:            %8.3f ms\n", dSkin);
    std::printf("FillRect + 800x600 BitBlt:    %8.3f ms\n", dFloor);
    std::printf("Ratio skin / floor:           %8.2f\n", dSkin / dFloor);
    std::fflush(stdout);

    EndKelo();
    return 0;
}
