#include "framework/docview/CMultiDocTemplate.h"
#include "framework/docview/CDocument.h"
#include "framework/docview/CFrameWnd.h"

KELO_IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = CreateNewDocument();
    if (!pDoc)
        return nullptr;

    // A frame failing half-way must not take the document along with its view.
    BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (!pFrame) {
        delete pDoc;
        return nullptr;
    }

    HWND hWndFrame = pFrame->m_hWnd;
    BOOL bDone = lpszPathName ? pDoc->OnOpenDocument(lpszPathName) : pDoc->OnNewDocument();
    if (!bDone) {
        // Closing takes the frames of its views; a frame without a view goes by itself.
        pDoc->OnCloseDocument();
        if (!bAutoDelete)
            delete pDoc;
        if (::IsWindow(hWndFrame))
            pFrame->DestroyWindow();
        return nullptr;
    }
    if (lpszPathName)
        pDoc->SetPathName(lpszPathName);
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
