#pragma once
// Private window messages shared by the subsystems that send and receive them. The skin
// buttons' notifications and identifiers are the skin window's: skin/SkinConstants.h.
#include <windows.h>

// Link command -> main frame. wParam: 0; lParam: the video program's name (a C string).
#define WM_APP_PLAYVIDEO      (WM_USER + 335)
// Link command -> main frame. wParam: control code, 0 stops; lParam: 0.
#define WM_APP_VIDEOCONTROL   (WM_USER + 337)
// -> browser host. wParam: ignored; lParam: address of a path or URL.
#define WM_BROWSER_NAVIGATE   (WM_USER + 591)
