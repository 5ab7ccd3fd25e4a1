#pragma once
// Finds and answers the dialog boxes (message boxes included) that this process shows,
// whichever of its threads shows them.
#include "framework/core/CString.h"

// A visible top-level dialog box (class "#32770") of this process, or null.
HWND FindOwnDialog();
// The texts of the dialog's static controls that have one, joined by "\n": for a message
// box, its message.
CString GetDialogStaticText(HWND hDlg);
// Presses one of the dialog's buttons (IDYES, IDNO, IDOK...) as a click would.
void AnswerDialog(HWND hDlg, int nButtonId);
