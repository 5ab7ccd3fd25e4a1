#pragma once
// The program's only top-level window: an 800 x 600 MDI frame without caption, menu or
// border, centred once on the screen and dragged from anywhere on its surface. It is the
// receiver of the link commands and owns the video player's supervision timer.
#include "framework/docview/CMDIFrameWnd.h"
#include "skin/CSkinClientWnd.h"

class CMainFrame : public CMDIFrameWnd
{
    KELO_DECLARE_DYNAMIC(CMainFrame)
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Leaves no pointer to itself behind in the video player or the application.
    ~CMainFrame() override;

    // The skin window: the MDI client, subclassed once it exists.
    CSkinClientWnd m_wndSkinClient;

    // TRUE until the first main frame has been laid out (and centred).
    static BOOL s_bFirstLayout;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // The running program's file, full path.
    static CString GetProgramFile();

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnReservedCommand();
    void OnStopVideo();
    // lParam: the name's copy handed out for this message, released here; any other
    // lParam is ignored.
    LRESULT OnPlayVideo(WPARAM wParam, LPARAM lParam);
    LRESULT OnVideoControl(WPARAM wParam, LPARAM lParam);
    // No menu for a right click, on the skin or anywhere else in the frame.
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    // A link has been carried out: the window, disabled meanwhile, is enabled again, and
    // the focus goes back to wParam, the window of this frame that had it.
    LRESULT OnLinkDone(WPARAM wParam, LPARAM lParam);

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext) override;
};
