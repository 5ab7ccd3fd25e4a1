#pragma once
// The application's document templates and the file commands on them. Owns the templates
// it is given; deleting it closes their documents.
#include <windows.h>
#include <memory>
#include <vector>

class CDocTemplate;
class CDocument;

class CDocManager
{
public:
    CDocManager();
    ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetTemplates() const { return m_templates; }

    // A new document of the first template; null when there is none or it fails.
    CDocument* OnFileNew();
    // The file chosen in the open dialog, opened with the first template.
    void OnFileOpen();
    // The file opened with the first template; null on failure.
    CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount() const;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};
