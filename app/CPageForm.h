#pragma once
// The page frame's view: the form of dialog template 104, shown in the screen colour.
#include "framework/CFormView.h"

class CPageForm : public CFormView
{
    KELO_DECLARE_DYNCREATE(CPageForm)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CPageForm();
    ~CPageForm() override;

    // The screen colour of the current skin.
    BOOL OnEraseBkgnd(CDC* pDC);
};
