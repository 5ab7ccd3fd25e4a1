#pragma once
// One exchange between a dialog-based window and its controls, handed to DoDataExchange
// by UpdateData. Kelo's forms exchange no values: DDX_Control only binds a control window
// to its object.
#include <windows.h>

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate; // TRUE: from the controls; FALSE: to the controls
    CWnd* m_pDlgWnd;         // the window whose controls take part
};

// Binds the control nIDC of the exchange's window to rControl (subclassing it, so the
// control's PreSubclassWindow runs first), the first time only. A missing control, or
// one that PreSubclassWindow destroyed, leaves rControl without a window.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
