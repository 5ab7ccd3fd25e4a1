#pragma once
// The launcher-shaped menu the window tests drive: "Styles :" opening a submenu of two
// skins, a separator and "&Quitter" (99), shown with its top-left at (kMenuX, kMenuY).
#include "popupmenu/CPopupMenu.h"
#include <functional>

const int kMenuX = 100;
const int kMenuY = 100;
const int kQuitId = 99;
const int kFirstSkinId = 101;
// Client points inside the entries: "Styles :" / the first skin (top 3), the second skin
// (top 20), "&Quitter" (top 25).
const POINT kFirstEntry = {10, 11};
const POINT kSecondSkin = {10, 28};
const POINT kQuitEntry = {10, 33};
// Far from every menu window.
const POINT kOutside = {900, 700};

class CLauncherShapedMenu
{
public:
    // Declared in the launcher's order: the submenu goes first when both are destroyed.
    CPopupMenu m_root;
    CPopupMenu m_styles;

    explicit CLauncherShapedMenu(std::function<void(CPopupMenu&)> setUp = nullptr);
};
