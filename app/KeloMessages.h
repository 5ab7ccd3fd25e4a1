#pragma once
// Private window messages shared by the subsystems that send and receive them. The skin
// buttons' notifications and identifiers are the skin window's: skin/SkinConstants.h.
#include <windows.h>

// Link command -> main frame. wParam: 0; lParam: the video program's name, a copy handed
// out by the link runner (CLinkCommandRunner::TakeVideoArgument; any other lParam is ignored).
#define WM_APP_PLAYVIDEO      (WM_USER + 335)
// Link command -> main frame. wParam: control code, 0 stops; lParam: 0.
#define WM_APP_VIDEOCONTROL   (WM_USER + 337)
// Link runner -> main frame, after a link's last command: the main window, disabled while
// the link ran, is enabled again. wParam, lParam: 0.
#define WM_APP_LINKDONE       (WM_USER + 338)
// -> browser host. wParam: ignored; lParam: address of a path or URL.
#define WM_BROWSER_NAVIGATE   (WM_USER + 591)
// Browser host -> its parent, once per host: whether the control shows the first page it
// was sent to. wParam: TRUE when it shows it (its document has a body), FALSE when the
// control reported an error for it or has no document to show; lParam: 0.
#define WM_BROWSER_PAGESTATE  (WM_USER + 592)
