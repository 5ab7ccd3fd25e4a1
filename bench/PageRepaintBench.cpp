// A repaint of the sample kiosk's start page in the view's back buffer and onto the
// window's surface, against the least any repaint does: filling the buffer and copying it.
#include "BenchMedian.h"
#include "framework/window/CMemDC.h"
#include "pageengine/view/CHtmlPage.h"
#include "support/TestPaths.h"
#include <cstdio>

int main()
{
    const int cx = 760, cy = 500;
    CHtmlPage page;
    if (!page.LoadFile(WindowsPathOf(KELO_SOURCE_DIR "/tools/kiosk/res/main.html").str())) {
        std::printf("the sample start page cannot be read\n");
        return 1;
    }
    page.Layout(cx);
    CRect rc(0, 0, cx, cy);
    CMemDC window(nullptr, rc);   // stands for the window's surface
    page.Paint(&window, rc, 0, -1);

    // Each repaint of the page is set against the floor's right before it: a load that comes
    // and goes on the machine weighs on both sides of a pair alike.
    std::vector<double> floor, repaint, ratios;
    for (int i = 0; i < 301; ++i) {
        floor.push_back(Milliseconds([&] {
            CMemDC back(&window, rc);
            back.FillSolidRect(rc, RGB(0, 0x20, 0x60));
            back.BlitToTarget();
        }));
        repaint.push_back(Milliseconds([&] {
            CMemDC back(&window, rc);
            page.Paint(&back, rc, 0, 0);
            back.BlitToTarget();
        }));
        ratios.push_back(repaint.back() / floor.back());
    }
    const double dFloor = Median(floor), dPage = Median(repaint);
    std::printf("repaint of %d x %d pixels, %zu boxes\n", cx, cy, page.GetLayout().m_boxes.size());
    std::printf("FillRect and BitBlt:           %8.3f ms\n", dFloor);
    std::printf("the start page and BitBlt:     %8.3f ms\n", dPage);
    std::printf("ratio, median of the pairs:    %8.1f  (of the medians %.1f)\n", Median(ratios), dPage / dFloor);
    std::fflush(stdout);
    return 0;
}
