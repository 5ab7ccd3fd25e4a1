#pragma once
// The registered template's frame: 1 x 1 pixel at (-100, -100), never seen.
#include "framework/docview/CMDIChildWnd.h"

class CChildFrame0 : public CMDIChildWnd
{
    KELO_DECLARE_DYNCREATE(CChildFrame0)
    KELO_DECLARE_MESSAGE_MAP()

public:
    ~CChildFrame0() override;
    // Replaces the place, size and style asked for.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Nothing to erase: the views and the skin paint everything.
    BOOL OnEraseBkgnd(CDC* pDC);
};
