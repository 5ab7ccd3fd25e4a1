#include "app/CKeloDoc.h"
#include "app/CKeloApp.h"
#include "framework/docview/CFrameWnd.h"
#include "framework/docview/CMultiDocTemplate.h"

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
        if (theApp.m_pPageFrame)
            pTemplate->InitialUpdateFrame(theApp.m_pPageFrame, this, TRUE);
    }
    return TRUE;
}
