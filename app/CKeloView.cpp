#include "app/CKeloView.h"
#include "resources/resource.h"

KELO_IMPLEMENT_DYNCREATE(CKeloView, CFormView)

KELO_BEGIN_MESSAGE_MAP(CKeloView, CFormView)
    OnWmMouse<WM_LBUTTONUP, &CKeloView::OnLButtonUp>(),
KELO_END_MESSAGE_MAP()

CKeloView::CKeloView()
    : CFormView(IDD_KELO_FORM)
{
}

CKeloView::~CKeloView() = default;

void CKeloView::DoDataExchange(CDataExchange* pDX)
{
}

void CKeloView::OnLButtonUp(UINT nFlags, CPoint point)
{
    Default();
}
