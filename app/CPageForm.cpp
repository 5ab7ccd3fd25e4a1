#include "app/CPageForm.h"
#include "app/CKeloApp.h"
#include "framework/CBrush.h"
#include "resources/resource.h"

KELO_IMPLEMENT_DYNCREATE(CPageForm, CFormView)

KELO_BEGIN_MESSAGE_MAP(CPageForm, CFormView)
    OnWmEraseBkgnd<&CPageForm::OnEraseBkgnd>(),
KELO_END_MESSAGE_MAP()

CPageForm::CPageForm()
    : CFormView(IDD_PAGEMENU)
{
}

CPageForm::~CPageForm() = default;

BOOL CPageForm::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CBrush brush(theApp.m_settings.m_crEcran);
    pDC->FillRect(rc, brush);
    return TRUE;
}
