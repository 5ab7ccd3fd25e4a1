#pragma once
// A frame whose main pane is an MDI client window, the parent of its child frames.
// Default processing is the MDI frame's (DefFrameProcA), which lets the client and the
// active child take part.
#include "framework/docview/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    KELO_DECLARE_DYNAMIC(CMDIFrameWnd)
    KELO_DECLARE_MESSAGE_MAP()

public:
    // The MDI client window (a system-class window, bound to no object of its own).
    HWND m_hWndMDIClient = nullptr;

    // The MDI client's keys (Ctrl+F4, Ctrl+F6 between children), then the frame's.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The active child frame, or null.
    CMDIChildWnd* MDIGetActive() const;
    CFrameWnd* GetActiveFrame() override;

    // Creates the MDI client window with a client edge, as the pane AFX_IDW_PANE_FIRST.
    BOOL CreateClient();

    // No default processing: the MDI frame's would stretch the client over the whole
    // client area, undoing RecalcLayout.
    void OnSize(UINT nType, int cx, int cy);

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext) override;
};
