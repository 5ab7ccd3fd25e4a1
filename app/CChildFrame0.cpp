#include "app/CChildFrame0.h"

namespace
{
// Outside the visible area, the smallest size a window has.
const int kHiddenX = -100;
const int kHiddenY = -100;
} // namespace

KELO_IMPLEMENT_DYNCREATE(CChildFrame0, CMDIChildWnd)

KELO_BEGIN_MESSAGE_MAP(CChildFrame0, CMDIChildWnd)
    OnWmEraseBkgnd<&CChildFrame0::OnEraseBkgnd>(),
KELO_END_MESSAGE_MAP()

CChildFrame0::~CChildFrame0() = default;

BOOL CChildFrame0::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.x = kHiddenX;
    cs.y = kHiddenY;
    cs.cx = 1;
    cs.cy = 1;
    cs.style = WS_CHILD | WS_SYSMENU;
    return CMDIChildWnd::PreCreateWindow(cs);
}

BOOL CChildFrame0::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}
