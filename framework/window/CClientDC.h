#pragma once
// A window's DC (the screen's for a null window) from GetDC, given back with ReleaseDC.
#include "framework/gdi/CDC.h"
#include <cstddef>

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    // Windows without a CWnd object (the popup menu's).
    explicit CClientDC(HWND hWnd);
    explicit CClientDC(std::nullptr_t) : CClientDC(static_cast<HWND>(nullptr)) {}
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
