#pragma once
// A window's DC (the screen's for a null window) from GetDC, given back with ReleaseDC.
#include "framework/CDC.h"

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
