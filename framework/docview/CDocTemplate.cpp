#include "framework/docview/CDocTemplate.h"
#include "framework/docview/CCreateContext.h"
#include "framework/docview/CDocument.h"
#include "framework/docview/CFrameWnd.h"
#include <algorithm>

KELO_IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    CloseAllDocuments(TRUE);
    // Documents that do not delete themselves stay, without their template.
    for (CDocument* pDoc : m_docList)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject(KELO_RUNTIME_CLASS(CDocument)) : nullptr;
    auto* pDoc = static_cast<CDocument*>(pObject);
    if (!pDoc)
        return nullptr;
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject(KELO_RUNTIME_CLASS(CFrameWnd)) : nullptr;
    auto* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails has deleted itself.
    if (!pFrame || !pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate)
        pDoc->m_pDocTemplate->RemoveDocument(pDoc);
    m_docList.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    auto it = std::find(m_docList.begin(), m_docList.end(), pDoc);
    if (it == m_docList.end())
        return;
    m_docList.erase(it);
    pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    // Each closing document leaves the list; one that stays open is not waited for.
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* pDoc : docs) {
        if (std::find(m_docList.begin(), m_docList.end(), pDoc) != m_docList.end())
            pDoc->OnCloseDocument();
    }
}
