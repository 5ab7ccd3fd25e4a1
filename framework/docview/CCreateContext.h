#pragma once
// What a frame needs to build its contents while it is being created: the class of the
// view to make and the document the view shows. Document templates fill it in; frames
// receive it as their creation parameter (inside the MDICREATESTRUCT for MDI children).
#include "framework/core/CRuntimeClass.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext
{
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
