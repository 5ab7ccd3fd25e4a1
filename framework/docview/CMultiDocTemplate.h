#pragma once
// A template whose every opening makes one more document with its own frame, the MDI
// child frames of the main window.
#include "framework/docview/CDocTemplate.h"

class CMultiDocTemplate : public CDocTemplate
{
    KELO_DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass)
        : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
    {
    }

    // Document, then its frame and view, then OnNewDocument or OnOpenDocument, then the
    // frame's initial update.
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
};
