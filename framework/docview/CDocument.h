#pragma once
// A document: what its views show, kept by its template. It knows its views; when the
// last of them goes away (its frame closed), the document closes and deletes itself.
#include "framework/window/CCmdTarget.h"
#include "framework/core/CString.h"
#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget
{
    KELO_DECLARE_DYNAMIC(CDocument)

public:
    CDocument() = default;
    // Leaves its template and its views.
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    // The full path; the title becomes the file's name. With bAddToMRU the path goes to
    // the application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    const std::vector<CView*>& GetViews() const { return m_views; }
    void AddView(CView* pView);
    // The last view leaving closes a document that deletes itself.
    void RemoveView(CView* pView);

    // A new, empty document: contents, path and modified flag cleared.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; FALSE when it cannot be opened or read.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Destroys the frames of every view, then the contents, then (when m_bAutoDelete)
    // the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}

    // Documents delete themselves when closed; templates turn this off while they build one.
    BOOL m_bAutoDelete = TRUE;

private:
    friend class CDocTemplate;
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bClosing = FALSE;
    std::vector<CView*> m_views;
};
