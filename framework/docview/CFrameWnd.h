#pragma once
// A frame window made from one set of resources: LoadFrame gives it the menu,
// accelerator table, icon and title of one resource identifier. Its client area holds
// one pane, laid out by RecalcLayout: the view made from the creation context, or what
// OnCreateClient puts there. Frames are made with new: each deletes itself once its
// window is destroyed, or when its creation fails.
#include "framework/window/CWnd.h"

// Frame style bit asking for the active document's name in the title (frames without
// documents keep their resource title). Window styles leave their low word to each class.
#define FWS_ADDTOTITLE 0x00008000L

// Control identifier of a frame's main pane (the MDI client of an MDI frame, the view of
// other frames).
#define AFX_IDW_PANE_FIRST 0xE900

// Style of the views frames make: a child with a client edge.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CDocument;
class CView;

class CFrameWnd : public CWnd
{
    KELO_DECLARE_DYNCREATE(CFrameWnd)
    KELO_DECLARE_MESSAGE_MAP()

public:
    enum RepositionFlags { reposDefault = 0, reposExtra = 2 };

    // Position and size left to the system.
    static const CRect rectDefault;

    // Creates the window with the menu, accelerators, icon and title of nIDResource. The
    // title is the resource's string up to its first line break or, without one, the
    // application's title. pContext, when given, names the view to make in it. On failure
    // the frame has deleted itself: the caller must not use it any more.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Keystrokes go through the frame's accelerator table.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to this frame, then to the active child frame (of an MDI frame), then to
    // that frame's active view and the view's document, then to the application.
    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

    // Makes the view of pContext as child nID, sized later by RecalcLayout; null on failure.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // After the frame and its view exist: the first view becomes the active view and, when
    // bMakeVisible, the views of pDoc (of any document when null) in this frame get their
    // OnInitialUpdate and the frame is shown and activated (with the application's show
    // command for the main window).
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (-1: as it was, or normally if hidden or minimised) and brings it forward.
    virtual void ActivateFrame(int nCmdShow = -1);

    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew);
    // The frame whose view is active: this one, or for an MDI frame its active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The document of the active frame's active view, or null.
    CDocument* GetActiveDocument();

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
    // The keyboard goes on to the active view, when there is one.
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);

protected:
    // Creates what fills the client area: the view of pContext when it names one. FALSE
    // fails the frame's creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpCreateStruct, CCreateContext* pContext);
    void PostNcDestroy() override;
    // Title and accelerators of nIDResource, and the window class with its icon; the class
    // name, or empty when it cannot be registered.
    CString LoadFrameResources(UINT nIDResource);
    // ActivateFrame's show command for nCmdShow -1: normal when hidden, restored when
    // minimised, else shown as it is.
    int ResolveShowCommand(int nCmdShow) const;

    HACCEL m_hAccelTable = nullptr;
    // The menu the frame had once created (none when it removed it during creation).
    HMENU m_hMenuDefault = nullptr;
    CString m_strTitle;
    // Space kept free around the main pane.
    CRect m_rectBorder;

private:
    // Kept as a handle: a destroyed view is then simply no view.
    HWND m_hWndViewActive = nullptr;
};
