#pragma once
// A frame inside an MDI frame's client window. The MDI client makes it (WM_MDICREATE),
// its default processing is the MDI child's (DefMDIChildProcA), and it is destroyed and
// activated through the client, which keeps track of the active child.
#include "framework/docview/CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd
{
    KELO_DECLARE_DYNCREATE(CMDIChildWnd)

public:
    // Creates the child in pParentWnd's client (the main window's when null), after
    // PreCreateWindow. It comes into being without its maximised and visible bits and is
    // shown afterwards only when WS_VISIBLE was asked for. pContext reaches OnCreateClient.
    // On failure the frame has deleted itself.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The frame's resources, then Create in the main window's client.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // Destroyed through the client, which then activates the next child.
    BOOL DestroyWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shows the child (-1: as it was, or normally if hidden or minimised) and, unless
    // hidden, makes it the client's active child.
    void ActivateFrame(int nCmdShow = -1) override;

    void MDIActivate();
    CMDIFrameWnd* GetMDIFrame() const;

private:
    HWND GetMDIClient() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }
};
