#include "framework/docview/CDocument.h"
#include "framework/file/CArchive.h"
#include "framework/docview/CDocTemplate.h"
#include "framework/docview/CFrameWnd.h"
#include "framework/docview/CView.h"
#include "framework/docview/CWinApp.h"
#include <algorithm>

KELO_IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = CFile::FullPathName(lpszPathName);
    m_strTitle = m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1);
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp)
        pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (pView->m_pDocument)
        pView->m_pDocument->RemoveView(pView);
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    if (m_views.empty() && m_bAutoDelete && !m_bClosing)
        OnCloseDocument();
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    m_bModified = FALSE;
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    DeleteContents();
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
    } catch (const CFileException&) {
        DeleteContents();
        return FALSE;
    }
    m_bModified = FALSE;
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    while (!m_views.empty()) {
        CView* pView = m_views.front();
        size_t nViews = m_views.size();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame)
            pFrame->DestroyWindow();
        else
            pView->DestroyWindow();
        // A view whose window would not go is left behind, not waited for.
        if (m_views.size() == nViews)
            RemoveView(pView);
    }
    DeleteContents();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    m_bClosing = FALSE;
    if (m_bAutoDelete)
        delete this;
}
