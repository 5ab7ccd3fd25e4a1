// CSkinClientWnd: the launcher menu and the skin choice.
#include "skin/CSkinClientWnd.h"
#include "framework/core/AfxGlobals.h"
#include "framework/core/FrameworkIds.h"
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include "settings/SettingsFiles.h"
#include "skin/SkinConstants.h"
#include <initializer_list>

void CSkinClientWnd::ShowLauncherMenu()
{
    if (!m_pHost)
        return;
    const CSkinSettings& settings = m_pHost->GetSettings();
    CPoint pt(settings.m_nMenuX, settings.m_nMenuY);

    // Both menus are built anew each time, in the current skin's colours.
    CPopupMenu menu;
    CPopupMenu styles;
    for (CPopupMenu* pMenu : {&menu, &styles}) {
        pMenu->m_crBorder = settings.m_crMenuBord;
        pMenu->m_crBack = settings.m_crMenuFond;
        pMenu->m_crText = settings.m_crMenuTxt;
        pMenu->Create(AfxGetInstanceHandle(), LAUNCHER_MENU_BITMAP_ID);
    }
    // Each skin by the name its choice records (its path below SKINS), which tells apart
    // skins of the same name in different folders.
    CStringArray astrSkins;
    ListSkins(settings, astrSkins);
    menu.AddSubmenu(0, LAUNCHER_MENU_STYLES, &styles, -1);
    for (INT_PTR i = 0; i < astrSkins.GetSize(); ++i)
        styles.AddItem(0, astrSkins[i], ID_SKIN_FIRST + static_cast<int>(i), -1);
    menu.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    menu.AddItem(0, LAUNCHER_MENU_QUIT, ID_LAUNCHER_QUIT, -1);

    ClientToScreen(&pt);
    const int nId = menu.Track(pt.x, pt.y, nullptr, true, false);
    if (nId == ID_LAUNCHER_QUIT) {
        if (HWND hWndMainFrame = GetParent())
            ::PostMessageA(hWndMainFrame, WM_COMMAND, ID_APP_EXIT, 0);
    } else if (nId >= ID_SKIN_FIRST && nId - ID_SKIN_FIRST < astrSkins.GetSize()) {
        ChooseSkin(CString(astrSkins[nId - ID_SKIN_FIRST]));
    }
}

void CSkinClientWnd::ChooseSkin(const CString& strName)
{
    m_pHost->SaveSkinChoice(strName);
    ApplySkin();
    RefreshScreen();
}
