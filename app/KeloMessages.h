#pragma once
// Private window messages and the skin buttons' control identifiers, shared by the
// subsystems that send and receive them.
#include <windows.h>

// Skin button -> skin window. wParam: control identifier; lParam: 0.
#define WM_SKINBTN_HOVER      (WM_USER + 160)
#define WM_SKINBTN_CLICK      (WM_USER + 161)
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

#define IDC_BTMENU  1025
#define IDC_BTMINI  1026
#define IDC_BTQUIT  1027
