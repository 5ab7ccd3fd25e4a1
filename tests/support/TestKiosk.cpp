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
std::string Strip()
{
    return MakeBmp24(kButtonSize, 4 * kButtonSize, [](int x, int y) {
        const COLORREF images[] = {RGB(0, 0, 0), kNormal, kHover, kPressed};
        if (x < kMagentaCorner && y % kButtonSize < kMagentaCorner)
            return RGB(255, 0, 255);
        return images[y / kButtonSize];
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
    m_folder.WriteFile("SKINS\\Test\\Skin.ini",
                       "[Generalite]\r\n" + Line("Ecran", static_cast<long>(kScreen)) + "[Menu]\r\n" +
                           Line("BTMenu_X", kMenuAt.x) + Line("BTMenu_Y", kMenuAt.y) + Line("BTMini_X", kMiniAt.x) +
                           Line("BTMini_Y", kMiniAt.y) + Line("BTQuit_X", kQuitAt.x) + Line("BTQuit_Y", kQuitAt.y));
    m_folder.WriteFile("SKINS\\Test\\Gauche.bmp", Solid(kLeftWidth, 600, kLeft));
    m_folder.WriteFile("SKINS\\Test\\Droit.bmp", Solid(kRightWidth, 600, kRight));
    m_folder.WriteFile("SKINS\\Test\\Haut.bmp", Solid(800 - kLeftWidth - kRightWidth, kTopHeight, kTop));
    m_folder.WriteFile("SKINS\\Test\\Bas.bmp", Solid(800 - kLeftWidth - kRightWidth, kBottomHeight, kBottom));
    m_folder.WriteFile("SKINS\\Test\\BtMini.bmp", Strip());
    m_folder.WriteFile("SKINS\\Test\\BtQuit.bmp", Strip());
    if (bMenuButton)
        m_folder.WriteFile("SKINS\\Test\\BtMenu.bmp", Strip());
}
