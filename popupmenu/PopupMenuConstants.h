#pragma once
// Fixed values of the popup menu: entry flags, window class, timer and geometry.
#include <windows.h>

// Entry flags.
const int PMF_SEPARATOR = 0x01;   // a horizontal line; never highlighted, no mnemonic, no command
const int PMF_DISABLED = 0x02;    // never highlighted by the pointer, never chosen by mnemonic
const int PMF_BOLD = 0x04;        // measured and drawn with the bold font
const int PMF_GRAYED = 0x08;      // grey text while not highlighted; no mnemonic

// The class of every menu window, registered once per process.
const char POPUPMENU_CLASS_NAME[] = "fpmMenuClass";
// Buffer for a class name when recognising the other menu windows of a chain.
const int POPUPMENU_CLASS_NAME_SIZE = 100;

// Font of a new menu, until the client chooses another.
#define POPUPMENU_DEFAULT_FONT "MS Sans Serif"
const int POPUPMENU_DEFAULT_FONT_SIZE = 8;   // points

// Timer of a menu window that opens the highlighted entry's submenu.
const UINT_PTR IDT_SUBMENU = 1;
const int POPUPMENU_SUBMENU_DELAY = 400;   // ms the pointer rests on a submenu entry

// Geometry, in pixels.
const int POPUPMENU_ITEM_HEIGHT = 17;
const int POPUPMENU_SEPARATOR_HEIGHT = 5;
const int POPUPMENU_TOP_MARGIN = 3;       // above the first entry
const int POPUPMENU_BOTTOM_MARGIN = 2;    // below the last entry
const int POPUPMENU_EXTRA_WIDTH = 42;     // image column, text indent and arrow room
const int POPUPMENU_EDGE = 2;             // x or y at or below this is outside the entries
const int POPUPMENU_TEXT_LEFT = 23;
const int POPUPMENU_IMAGE_WIDTH = 16;     // one cell of the image strip
const int POPUPMENU_IMAGE_HEIGHT = 15;
// A submenu opens at the parent's (width - 5, entry top - 3).
const int POPUPMENU_SUBMENU_OVERLAP_X = 5;
const int POPUPMENU_SUBMENU_OFFSET_Y = 3;
