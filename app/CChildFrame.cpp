#include "app/CChildFrame.h"
#include "app/CKeloApp.h"

namespace
{
// Far outside the visible area until the skin window places it.
const int kParkedX = 10000;
const int kParkedY = 10000;
// The view reaches this far beyond every edge, which hides its border.
const int kViewOverhang = 2;
} // namespace

KELO_IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

KELO_BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    OnWmCreate<&CChildFrame::OnCreate>(),
    OnWmEraseBkgnd<&CChildFrame::OnEraseBkgnd>(),
KELO_END_MESSAGE_MAP()

CChildFrame::~CChildFrame()
{
    // The application names no frame that is gone.
    if (theApp.m_pPageFrame == this)
        theApp.m_pPageFrame = nullptr;
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.x = kParkedX;
    cs.y = kParkedY;
    cs.cx = 1;
    cs.cy = 1;
    cs.style = WS_CHILD | WS_MAXIMIZE;
    return CMDIChildWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}

void CChildFrame::RecalcLayout(BOOL bNotify)
{
    CRect rc;
    GetClientRect(&rc);
    rc.InflateRect(kViewOverhang, kViewOverhang);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rc, FALSE);
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    CMDIChildWnd::ActivateFrame(SW_SHOW);
}

int CChildFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return CMDIChildWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

BOOL CChildFrame::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}
