#pragma once
// The pointer driven as a user drives it: xdotool moves the X server's pointer and presses
// its button, so every window sees real input, whichever process it belongs to. The
// screen is read back as the X server shows it.
#include <windows.h>

// Each runs xdotool and waits for it (up to 5 s); FALSE when it could not run or did not end.
BOOL MovePointerTo(int x, int y);
BOOL PressLeftButton();
BOOL ReleaseLeftButton();

// The colour of a pixel of the screen.
COLORREF ScreenPixel(int x, int y);
