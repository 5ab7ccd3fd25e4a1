#include "app/CKeloDoc.h"
#include "app/CKeloApp.h"
#include "framework/docview/CFrameWnd.h"
#include "framework/docview/CMultiDocTemplate.h"
#include "startpage/CPageMenu.h"

namespace
{
// The start page, below the program's folder whatever the application folder.
const char kStartPage[] = "res\\main.html";
} // namespace

KELO_IMPLEMENT_DYNCREATE(CKeloDoc, CDocument)

KELO_BEGIN_MESSAGE_MAP(CKeloDoc, CDocument)
KELO_END_MESSAGE_MAP()

CKeloDoc::~CKeloDoc() = default;

void CKeloDoc::Serialize(CArchive& ar)
{
}

BOOL CKeloDoc::OnNewDocument()
{
    CDocument::OnNewDocument();
    CMultiDocTemplate* pTemplate = theApp.GetPageTemplate();
    if (pTemplate) {
        theApp.m_pPageFrame = pTemplate->CreateNewFrame(this, nullptr);
        if (CFrameWnd* pFrame = theApp.m_pPageFrame) {
            // The form learns from the settings before its first update.
            HWND hWndView = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
            if (CPageMenu* pView = KELO_DYNAMIC_DOWNCAST(CPageMenu, CWnd::FromHandlePermanent(hWndView))) {
                const CSkinSettings& settings = theApp.m_settings;
                pView->SetStartPage(settings.m_nPageView, settings.m_strExeDir + kStartPage, settings.m_crEcran,
                                    settings.m_strExeDir);
                pView->SetIdleReturn(settings.m_nIdleReturnSeconds);
            }
            pTemplate->InitialUpdateFrame(pFrame, this, TRUE);
        }
    }
    return TRUE;
}
