#pragma once
// A borderless window of one colour over every monitor, the taskbar included (it stays on
// top of the desktop's windows), below Kelo's main window, which it owns. It takes neither
// the focus nor keys: a click on it keeps the visitor inside the kiosk, and brings Kelo's
// window back when it was minimised. A window of Kelo's process, it goes with Kelo also
// when Kelo dies, and nothing of the desktop is changed.
#include "framework/window/CWnd.h"

class CBackdropWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Made hidden, so that the main window it will own is first centred on the work area
    // as without a backdrop; Show puts it on screen.
    BOOL Create(COLORREF crFill);
    void Show();

    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);

private:
    COLORREF m_crFill = 0;
};
