#include "framework/CScrollView.h"

KELO_IMPLEMENT_DYNAMIC(CScrollView, CView)
