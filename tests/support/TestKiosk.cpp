#include "support/TestKiosk.h"
#include "support/DibTestSupport.h"
#include <fstream>
#include <iterator>

namespace
{
std::string SkinIni(const TestSkin& skin)
{
    CString str;
    str.Format("[Generalite]\r\nEcran=%lu\r\n[Menu]\r\n"
               "BTMenu_X=%d\r\nBTMenu_Y=%d\r\nBTMini_X=%d\r\nBTMini_Y=%d\r\nBTQuit_X=%d\r\nBTQuit_Y=%d\r\n"
               "Menu_X=%d\r\nMenu_Y=%d\r\nMenuCouleurFond=%lu\r\nMenuCouleurBord=%lu\r\nMenuCouleurTxt=%lu\r\n",
               static_cast<unsigned long>(RGB(0, 0, 0)), kTestSkinMenuButton.x, kTestSkinMenuButton.y,
               kTestSkinMiniButton.x, kTestSkinMiniButton.y, kTestSkinMiniButton.x + 30, kTestSkinMiniButton.y,
               kTestSkinMenu.x, kTestSkinMenu.y, static_cast<unsigned long>(kTestSkinMenuBack),
               static_cast<unsigned long>(kTestSkinMenuBorder), static_cast<unsigned long>(kTestSkinMenuText));
    return str.str();
}

std::string Plain(LONG nWidth, LONG nHeight, COLORREF cr)
{
    return MakeBmp24(nWidth, nHeight, [cr](int, int) { return cr; });
}
} // namespace

void WriteTestKiosk(const CTempFolder& folder, const std::vector<TestSkin>& skins)
{
    folder.WriteFile("Kelo.ini", "[Generalite]\r\nAppli=Demo\r\n");
    folder.WriteFile("SKINS\\Lanceur.ini", std::string("[Generalite]\r\nskin=") + skins.front().pszName + "\r\n");
    const int nBandWidth = 800 - 2 * kTestSkinBorder;
    for (const TestSkin& skin : skins) {
        const CString strDir = CString("SKINS\\") + skin.pszName + "\\";
        folder.WriteFile(strDir + "Skin.ini", SkinIni(skin));
        folder.WriteFile(strDir + "Gauche.bmp", Plain(kTestSkinBorder, 600, skin.crBorder));
        folder.WriteFile(strDir + "Droit.bmp", Plain(kTestSkinBorder, 600, skin.crBorder));
        folder.WriteFile(strDir + "Haut.bmp", Plain(nBandWidth, kTestSkinTopBand, skin.crBorder));
        folder.WriteFile(strDir + "Bas.bmp", Plain(nBandWidth, kTestSkinBorder, skin.crBorder));
        for (const char* pszButton : {"BtMenu.bmp", "BtMini.bmp", "BtQuit.bmp"})
            folder.WriteFile(strDir + pszButton, Plain(kTestSkinButtonSize, 4 * kTestSkinButtonSize, skin.crButton));
    }
}

std::string ReadFileBytes(const CString& strPath)
{
    std::ifstream file(strPath.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
