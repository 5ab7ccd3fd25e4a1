#pragma once
// The link command interpreter's sizes and the messages its commands send to the main
// window.
#include <windows.h>

// Characters of an intercepted link's command text that g_szLinkCommand holds (plus its
// terminator).
#define LINK_COMMAND_MAX   887
// The longest argument a link command accepts (g_szLinkArgument holds it plus a
// terminator). A longer argument drops its command: a cut program name could start
// another program.
#define LINK_ARGUMENT_MAX  380

// Link command -> main frame. wParam: 0; lParam: the video program's name, a copy handed
// out by the link runner (CLinkCommandRunner::TakeVideoArgument; any other lParam is ignored).
#define WM_APP_PLAYVIDEO      (WM_USER + 335)
// Link command -> main frame. wParam: control code, 0 stops; lParam: 0.
#define WM_APP_VIDEOCONTROL   (WM_USER + 337)
// Link runner -> main frame, after a link's last command: the main window, disabled while
// the link ran, is enabled again and gives the focus back. wParam: the window that had the
// focus when the link started (null when none); lParam: 0.
#define WM_APP_LINKDONE       (WM_USER + 338)
