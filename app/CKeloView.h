#pragma once
// The view of the registered template's hidden frame: the form of dialog template 101.
#include "framework/docview/CFormView.h"

class CKeloView : public CFormView
{
    KELO_DECLARE_DYNCREATE(CKeloView)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CKeloView();
    ~CKeloView() override;

    // Exchanges nothing: the form has no control to bind.
    void DoDataExchange(CDataExchange* pDX) override;

    void OnLButtonUp(UINT nFlags, CPoint point);
};
