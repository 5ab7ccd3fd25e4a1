#pragma once
// A child window showing a document inside a frame. The frame makes it from its creation
// context, which also connects it to its document; it deletes itself with its window.
#include "framework/window/CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd
{
    KELO_DECLARE_DYNAMIC(CView)
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Leaves its document (which closes once its last view is gone).
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    // A class of its own when none is given; a border asked for becomes a client edge.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Commands go to the view, then to its document.
    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

    // Once the frame holding the view is complete, before it is first shown.
    virtual void OnInitialUpdate() {}
    // The nearest frame window among the parents, or null.
    CFrameWnd* GetParentFrame() const;

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);

protected:
    void PostNcDestroy() override;

    // The context of the creation under way, read by OnCreate.
    CCreateContext* m_pCreateContext = nullptr;

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
