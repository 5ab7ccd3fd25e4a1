#include "framework/docview/CDocManager.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CDocTemplate.h"
#include "framework/file/CFileDialog.h"

namespace
{
const char kAllFilesFilter[] = "Tous les fichiers (*.*)|*.*||";
} // namespace

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    CloseAllDocuments(TRUE);
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.emplace_back(pTemplate);
}

CDocument* CDocManager::OnFileNew()
{
    return m_templates.empty() ? nullptr : m_templates.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kAllFilesFilter, AfxGetMainWnd());
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName());
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty() || !lpszFileName || !*lpszFileName)
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (const auto& pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() const
{
    size_t nCount = 0;
    for (const auto& pTemplate : m_templates)
        nCount += pTemplate->GetDocuments().size();
    return static_cast<int>(nCount);
}
