#include "support/TestKiosk.h"
#include "support/DibTestSupport.h"

namespace
{
using namespace TestSkin;

std::string Solid(LONG nWidth, LONG nHeight, COLORREF cr)
{
    return MakeBmp24(nWidth, nHeight, [cr](int, int) { return cr; });
}

// Four stacked images: unused (black), normal, hover, pressed.
std::string Strip(const COLORREF (&images)[3])
{
    return MakeBmp24(kButtonSize, 4 * kButtonSize, [&images](int x, int y) {
        if (x < kMagentaCorner && y % kButtonSize < kMagentaCorner)
            return RGB(255, 0, 255);
        return y < kButtonSize ? RGB(0, 0, 0) : images[y / kButtonSize - 1];
    });
}

std::string Line(const char* pszKey, long nValue)
{
    return std::string(pszKey) + "=" + std::to_string(nValue) + "\r\n";
}
} // namespace

CTestKiosk::CTestKiosk(BOOL bMenuButton)
{
    m_folder.WriteFile("Kelo.ini", "[Generalite]\r\nAppli=Demo\r\n");
    m_folder.WriteFile("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Test\r\n");
    WriteSkin("Test", {kLeft, kRight, kTop, kBottom}, {kNormal, kHover, kPressed}, bMenuButton);
}

void CTestKiosk::AddSkin(const char* pszName, COLORREF crBorder, COLORREF crButton)
{
    WriteSkin(pszName, {crBorder, crBorder, crBorder, crBorder}, {crButton, crButton, crButton}, TRUE);
}

void CTestKiosk::WriteSkin(const char* pszName, const COLORREF (&borders)[4], const COLORREF (&images)[3],
                           BOOL bMenuButton)
{
    const CString strDir = CString("SKINS\\") + pszName + "\\";
    m_folder.WriteFile(strDir + "Skin.ini",
                       "[Generalite]\r\n" + Line("Ecran", static_cast<long>(kScreen)) + "[Menu]\r\n" +
                           Line("BTMenu_X", kMenuAt.x) + Line("BTMenu_Y", kMenuAt.y) + Line("BTMini_X", kMiniAt.x) +
                           Line("BTMini_Y", kMiniAt.y) + Line("BTQuit_X", kQuitAt.x) + Line("BTQuit_Y", kQuitAt.y) +
                           Line("Menu_X", kMenuPos.x) + Line("Menu_Y", kMenuPos.y) +
                           Line("MenuCouleurFond", static_cast<long>(kMenuBack)) +
                           Line("MenuCouleurBord", static_cast<long>(kMenuBorder)) +
                           Line("MenuCouleurTxt", static_cast<long>(kMenuText)));
    m_folder.WriteFile(strDir + "Gauche.bmp", Solid(kLeftWidth, 600, borders[0]));
    m_folder.WriteFile(strDir + "Droit.bmp", Solid(kRightWidth, 600, borders[1]));
    m_folder.WriteFile(strDir + "Haut.bmp", Solid(800 - kLeftWidth - kRightWidth, kTopHeight, borders[2]));
    m_folder.WriteFile(strDir + "Bas.bmp", Solid(800 - kLeftWidth - kRightWidth, kBottomHeight, borders[3]));
    m_folder.WriteFile(strDir + "BtMini.bmp", Strip(images));
    m_folder.WriteFile(strDir + "BtQuit.bmp", Strip(images));
    if (bMenuButton)
        m_folder.WriteFile(strDir + "BtMenu.bmp", Strip(images));
}
