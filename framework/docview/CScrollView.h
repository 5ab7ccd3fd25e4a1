#pragma once
// The base of form views. Kelo's forms never scroll: the class adds nothing to CView
// but its place in the hierarchy (form views call CScrollView's handlers as their base).
#include "framework/docview/CView.h"

class CScrollView : public CView
{
    KELO_DECLARE_DYNAMIC(CScrollView)
};
