#pragma once
// The one rule for the keys of every window of Kelo, applied in the application's message
// loop before any window, accelerator or control sees a key: only the keys a page needs
// reach a window (IsPageKey of the link rules: Tab, Shift+Tab, Enter, the arrow and
// scrolling keys, typing), and Alt+F4, the way out beside the quit button. Every other
// Ctrl, Alt and function key combination and the menu key do nothing, wherever the focus
// is: no accelerator, menu, system menu or context menu can be reached from the keyboard.
#include <windows.h>

class CKeyPolicy
{
public:
    // TRUE for a key message that no window may receive.
    static BOOL Drops(const MSG& msg);
};
