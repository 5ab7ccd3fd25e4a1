#include "framework/docview/CScrollView.h"

KELO_IMPLEMENT_DYNAMIC(CScrollView, CView)
