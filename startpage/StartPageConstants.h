#pragma once
// The start page form's messages and limits.
#include <windows.h>

// -> browser host. wParam: ignored; lParam: address of a path or URL.
#define WM_BROWSER_NAVIGATE   (WM_USER + 591)
// Browser host -> its parent, once per host: whether the control shows the first page it
// was sent to. wParam: TRUE when it shows it (its document has a body), FALSE when the
// control reported an error for it or has no document to show; lParam: 0.
#define WM_BROWSER_PAGESTATE  (WM_USER + 592)

// How long the browser control has, in automatic mode, to say that it shows the start
// page. Under Wine it says it does not within a millisecond; a working control on
// Windows shows a local page well within this.
const UINT kBrowserTrialMs = 10000;
// How often, in automatic mode, the form looks again whether the browser control may be
// replaced, while its code is still running (an event, a modal loop of its own).
const UINT kBrowserRetryMs = 100;

// How often the start page form looks whether the visitor has been away long enough for
// the start page to come back.
const UINT kIdleCheckMs = 250;
