#pragma once
// A kiosk folder for the skin tests: the settings files and the skin "Test", whose
// bitmaps are solid colours known to the tests, buttons with a magenta corner.
#include "support/CTempFolder.h"

namespace TestSkin
{
const int kLeftWidth = 20;
const int kRightWidth = 30;
const int kTopHeight = 40;
const int kBottomHeight = 50;
const COLORREF kLeft = RGB(200, 0, 0);
const COLORREF kRight = RGB(0, 160, 0);
const COLORREF kTop = RGB(0, 0, 200);
const COLORREF kBottom = RGB(220, 220, 0);
const COLORREF kScreen = RGB(0, 128, 128);
// Buttons: 20 x 20 images; the first 6 x 6 pixels of each are magenta.
const int kButtonSize = 20;
const int kMagentaCorner = 6;
const COLORREF kNormal = RGB(250, 128, 0);
const COLORREF kHover = RGB(128, 0, 250);
const COLORREF kPressed = RGB(0, 250, 128);
// Top-left corners, all on the top band.
const POINT kMenuAt = {30, 10};
const POINT kMiniAt = {700, 10};
const POINT kQuitAt = {740, 10};
// The launcher menu: where it opens (Menu_X, Menu_Y) and its colours.
const POINT kMenuPos = {30, 36};
const COLORREF kMenuBorder = RGB(200, 30, 30);
const COLORREF kMenuBack = RGB(240, 230, 200);
const COLORREF kMenuText = RGB(20, 90, 20);
} // namespace TestSkin

class CTestKiosk
{
public:
    // bMenuButton: whether the skin has the menu button's strip.
    explicit CTestKiosk(BOOL bMenuButton = TRUE);

    // The program folder, with a trailing backslash.
    const CString& Path() const { return m_folder.Path(); }
    const CTempFolder& Folder() const { return m_folder; }

    // Another skin folder, laid out like "Test": every border in crBorder, every button
    // image in crButton (with the magenta corner).
    void AddSkin(const char* pszName, COLORREF crBorder, COLORREF crButton);

private:
    CTempFolder m_folder{"kelo-kiosk"};

    void WriteSkin(const char* pszName, const COLORREF (&borders)[4], const COLORREF (&images)[3], BOOL bMenuButton);
};
