#pragma once
// A top-level frame window made from one set of resources: LoadFrame gives it the menu,
// accelerator table, icon and title of one resource identifier. Its client area holds
// one pane, laid out by RecalcLayout. Frames are made with new: each deletes itself once
// its window is destroyed.
#include "framework/CWnd.h"

// Frame style bit asking for the active document's name in the title (frames without
// documents keep their resource title). Window styles leave their low word to each class.
#define FWS_ADDTOTITLE 0x00008000L

// Control identifier of a frame's main pane (the MDI client of an MDI frame).
#define AFX_IDW_PANE_FIRST 0xE900

struct CCreateContext;

class CFrameWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    enum RepositionFlags { reposDefault = 0, reposExtra = 2 };

    // Creates the window with the menu, accelerators, icon and title of nIDResource. The
    // title is the resource's string up to its first line break or, without one, the
    // application's title. On failure the object has deleted itself if its window was
    // made; either way the caller must not use it any more.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Keystrokes go through the frame's accelerator table.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the frame, then to the application object.
    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

    // Lays the main pane out over the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Moves the pane nIDLeftOver over lpRectClient (the client area when null), less
    // lpRectParam's margins when nFlags is reposExtra. Kelo's frames have no control
    // bars, so no identifier of [nIDFirst, nIDLast] takes space and bStretch has no bar
    // to stretch.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPCRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    const CString& GetTitle() const { return m_strTitle; }

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);

protected:
    // Creates what fills the client area; FALSE fails the frame's creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext);
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;
    // The menu the frame had once created (none when it removed it during creation).
    HMENU m_hMenuDefault = nullptr;
    CString m_strTitle;
    // Space kept free around the main pane.
    CRect m_rectBorder;
};
