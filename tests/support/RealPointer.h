#pragma once
// The pointer and the keyboard driven as a user drives them: xdotool moves the X server's
// pointer, presses its button and types keys, so every window sees real input, whichever
// process it belongs to. The screen is read back as the X server shows it.
#include <windows.h>

// Each runs xdotool and waits for it (up to 5 s); FALSE when it could not run or did not end.
BOOL MovePointerTo(int x, int y);
BOOL PressLeftButton();
BOOL ReleaseLeftButton();
// Moves the pointer to the screen point pt, presses and releases the left button there.
BOOL ClickAt(POINT pt);
// Types key combinations named as xdotool names them ("ctrl+F4", several: "Tab Tab") into
// the window that has the keyboard focus.
BOOL PressKeys(const char* pszKeys);

// The colour of a pixel of the screen.
COLORREF ScreenPixel(int x, int y);
