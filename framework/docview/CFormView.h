#pragma once
// A view made from a dialog template of the program's resources: a child dialog whose
// controls are bound to members by DoDataExchange when the view is first updated.
#include "framework/docview/CScrollView.h"

class CFormView : public CScrollView
{
    KELO_DECLARE_DYNAMIC(CFormView)
    KELO_DECLARE_MESSAGE_MAP()

public:
    explicit CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)) {}

    // The template's style and controls; from the caller and PreCreateWindow the
    // identifier, the extended style, the place and whether it shows. On failure the view
    // has deleted itself.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    // Fills the controls: UpdateData(FALSE).
    void OnInitialUpdate() override;

    // The focus stays where it is while the form is made.
    BOOL OnInitDialog();

protected:
    LPCSTR m_lpszTemplateName;
};
