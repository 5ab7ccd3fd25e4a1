#pragma once
// The DC of a window's WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
#include "framework/gdi/CDC.h"

class CWnd;

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    // Windows without a CWnd object (the popup menu's).
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};
