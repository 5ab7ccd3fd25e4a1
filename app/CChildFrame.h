#pragma once
// The page frame: it holds the start page's view. It comes into being hidden, 1 x 1 pixel
// far outside the visible area, without caption or sizing border; the skin window moves
// it into the skin's inner rectangle, where it is the frame the user sees.
#include "framework/docview/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd
{
    KELO_DECLARE_DYNCREATE(CChildFrame)
    KELO_DECLARE_MESSAGE_MAP()

public:
    // No longer the application's page frame.
    ~CChildFrame() override;
    // Replaces the place, size and style asked for.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The view 2 pixels beyond every edge of the client area, so its border is not seen.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Always shown normally, whatever show command is asked for.
    void ActivateFrame(int nCmdShow = -1) override;

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    // Nothing to erase: the view paints everything.
    BOOL OnEraseBkgnd(CDC* pDC);
};
