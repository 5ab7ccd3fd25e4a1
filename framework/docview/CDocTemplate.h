#pragma once
// What makes a kind of document: the resource identifier of its frames and the run-time
// classes of its document, frame and view. A template keeps the documents it made and
// closes those still open when it is deleted.
#include "framework/window/CCmdTarget.h"
#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    KELO_DECLARE_DYNAMIC(CDocTemplate)

public:
    ~CDocTemplate() override;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // A new document kept by this template; null when the class cannot make one.
    virtual CDocument* CreateNewDocument();
    // A new frame (with its view) for pDoc, made from the frame resources; pOther, when
    // given, is the frame it follows. Null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Initial update and activation of a frame made by CreateNewFrame.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document with its frame: read from lpszPathName, or new when it is null. Null
    // when any step fails; what was made for it is gone again.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

    void AddDocument(CDocument* pDoc);
    void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }
    // Closes every document with its frames (bEndSession changes nothing: Kelo's documents
    // never ask to be saved).
    void CloseAllDocuments(BOOL bEndSession);

    UINT GetResourceId() const { return m_nIDResource; }

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

private:
    std::vector<CDocument*> m_docList;
};
