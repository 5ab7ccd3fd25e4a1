#pragma once
// Constants of the skinned main window: the skin buttons' notifications and identifiers,
// the skin folder's file names and the size the skin is drawn for.
#include <windows.h>

// Skin button -> its parent, the skin window. wParam: control identifier; lParam: 0.
#define WM_SKINBTN_HOVER      (WM_USER + 160)
#define WM_SKINBTN_CLICK      (WM_USER + 161)

#define IDC_BTMENU  1025
#define IDC_BTMINI  1026
#define IDC_BTQUIT  1027

// The main window's client area, which the skin covers.
const int SKIN_CLIENT_WIDTH = 800;
const int SKIN_CLIENT_HEIGHT = 600;

// A button's strip stacks this many images: unused, normal, hover, pressed.
const int SKIN_STRIP_IMAGES = 4;

// Files of a skin folder.
#define SKIN_FILE_LEFT    "Gauche.bmp"
#define SKIN_FILE_RIGHT   "Droit.bmp"
#define SKIN_FILE_TOP     "Haut.bmp"
#define SKIN_FILE_BOTTOM  "Bas.bmp"
#define SKIN_FILE_MENU    "BtMenu.bmp"
#define SKIN_FILE_MINI    "BtMini.bmp"
#define SKIN_FILE_QUIT    "BtQuit.bmp"

// The launcher menu: its command identifiers (0: nothing chosen; the skin at index i of
// the skin folder list is ID_SKIN_FIRST + i), texts and the image strip it asks for,
// which the program's resources do not hold.
const int ID_LAUNCHER_QUIT = 99;
const int ID_SKIN_FIRST = 101;
const int LAUNCHER_MENU_BITMAP_ID = 101;
#define LAUNCHER_MENU_STYLES  "Styles :"
#define LAUNCHER_MENU_QUIT    "&Quitter"
