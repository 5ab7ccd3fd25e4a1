// A full repaint of the skinned client area (Kelo's start-up on a sample skin, the skin
// window repainted and updated) against the floor of any full repaint: one FillRect and
// one 800 x 600 BitBlt into a memory DC. Printed side by side with their ratio.
//
// A repaint on the screen also hands the window's pixels over to the display: under Wine,
// the bounding rectangle of what was drawn goes to the X server at the end of the paint
// (once per paint here, since the loop never waits for messages). For the skin's frame
// that rectangle is the whole window. What that alone costs is printed too: a bare
// 800 x 600 window at Kelo's place, repainted the same way by one BitBlt.
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
const int kRounds = 15;
const int kRepaintsPerRound = 200;
// The start-up's last work, and Wine's own processes started with the first program, are
// over before the measurement begins.
const DWORD kSettleMs = 1000;

// The mean time of one of nTimes runs of work, in milliseconds.
template <class F> double MillisecondsPer(F work, int nTimes)
{
    const LARGE_INTEGER start = BenchNow();
    for (int i = 0; i < nTimes; ++i)
        work();
    return MillisecondsSince(start) / nTimes;
}

// What the bare window paints its whole client area from.
HDC g_hBareSource = nullptr;

LRESULT CALLBACK BareWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        ::BitBlt(hDC, 0, 0, 800, 600, g_hBareSource, 0, 0, SRCCOPY);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

// The median time of one repaint of a bare window over hWndAt's window, painted from
// source, in milliseconds.
double BareWindowRepaint(HWND hWndAt, CDC& source)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeloBenchBareWindow";
    ::RegisterClassA(&wc);
    RECT rc = {};
    ::GetWindowRect(hWndAt, &rc);
    g_hBareSource = source;
    HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, rc.left, rc.top, 800, 600, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    PumpFor(200);
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round)
        times.push_back(MillisecondsPer(
            [&] { ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }, kRepaintsPerRound));
    ::DestroyWindow(hWnd);
    PumpFor(200);
    return Median(times);
}
} // namespace

int main()
{
    CTestKiosk kiosk;
    if (!StartKeloIn(kiosk.Path())) {
        std::printf("Kelo did not start\n");
        return 1;
    }
    PumpFor(kSettleMs);
    HWND hWndSkin = theApp.GetMainFrame()->m_wndSkinClient;

    CClientDC screen(nullptr);
    CMemDC target(&screen, 800, 600);
    CBrush brush(RGB(0, 128, 128));
    CMemDC source(&screen, 800, 600);
    const RECT rcAll = {0, 0, 800, 600};

    auto repaintSkin = [&] { ::RedrawWindow(hWndSkin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    auto repaintFloor = [&] {
        target.FillRect(rcAll, brush);
        target.BitBlt(0, 0, 800, 600, &source, 0, 0, SRCCOPY);
    };
    // One round of each first, not counted: the first of anything pays for caches.
    MillisecondsPer(repaintSkin, kRepaintsPerRound);
    MillisecondsPer(repaintFloor, kRepaintsPerRound);
    // Each round of the skin is set against the floor's round right after it: a load that
    // comes and goes on the machine weighs on both sides of a pair alike.
    std::vector<double> skin, floor, ratios;
    for (int round = 0; round < kRounds; ++round) {
        skin.push_back(MillisecondsPer(repaintSkin, kRepaintsPerRound));
        floor.push_back(MillisecondsPer(repaintFloor, kRepaintsPerRound));
        ratios.push_back(skin.back() / floor.back());
    }
    const double dSkin = Median(skin), dFloor = Median(floor);
    const double dBare = BareWindowRepaint(theApp.GetMainFrame()->m_hWnd, source);
    std::printf("Full skin repaint:            %8.3f ms\n", dSkin);
    std::printf("FillRect + 800x600 BitBlt:    %8.3f ms\n", dFloor);
    std::printf("Ratio skin / floor:           %8.2f  (median of the rounds; of the medians %.2f)\n",
                Median(ratios), dSkin / dFloor);
    std::printf("bare 800x600 window repaint:  %8.3f ms  (skin / bare window %.2f)\n", dBare, dSkin / dBare);
    std::fflush(stdout);

    EndKelo();
    return 0;
}
