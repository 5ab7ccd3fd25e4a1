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

    double dFloor = MedianMilliseconds(301, [&] {
        CMemDC back(&window, rc);
        back.FillSolidRect(rc, RGB(0, 0x20, 0x60));
        back.BlitToTarget();
    });
    double dPage = MedianMilliseconds(301, [&] {
        CMemDC back(&window, rc);
        page.Paint(&back, rc, 0, 0);
        back.BlitToTarget();
    });
    std::printf("repaint of %d x %d pixels, %zu boxes\n", cx, cy, page.GetLayout().m_boxes.size());
    std::printf("FillRect and BitBlt:           %8.3f ms\n", dFloor);
    std::printf("the start page and BitBlt:     %8.3f ms\n", dPage);
    std::printf("ratio:                         %8.1f\n", dPage / dFloor);
    std::fflush(stdout);
    return 0;
}
