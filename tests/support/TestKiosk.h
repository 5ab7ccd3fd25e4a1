#pragma once
// A kiosk folder for tests that run the skin window: the settings files and one folder per
// skin below "SKINS", each with its Skin.ini and seven bitmaps. Every border of a skin has
// the skin's border colour and every button strip its button colour, so a pixel tells
// which skin is on the screen.
#include "support/CTempFolder.h"
#include <vector>

struct TestSkin
{
    const char* pszName;
    COLORREF crBorder;
    COLORREF crButton;
};

// Where the test skins put things, in the skin window's client coordinates.
const int kTestSkinBorder = 20;         // width of the side columns, height of the bottom band
const int kTestSkinTopBand = 40;
const POINT kTestSkinMenuButton = {8, 10};
const POINT kTestSkinMiniButton = {740, 10};
const POINT kTestSkinMenu = {8, 36};    // Menu_X, Menu_Y
const int kTestSkinButtonSize = 20;
// The launcher menu's colours in every test skin.
const COLORREF kTestSkinMenuBorder = RGB(200, 30, 30);
const COLORREF kTestSkinMenuBack = RGB(240, 230, 200);
const COLORREF kTestSkinMenuText = RGB(20, 90, 20);

// Writes Kelo.ini, SKINS\Lanceur.ini choosing the first skin, and the skins.
void WriteTestKiosk(const CTempFolder& folder, const std::vector<TestSkin>& skins);
// The bytes of a file, empty when it cannot be read.
std::string ReadFileBytes(const CString& strPath);
