// CSkinClientWnd: the launcher menu and the skin choice.
#include "skin/CSkinClientWnd.h"
#include "framework/core/AfxGlobals.h"
#include "framework/core/FrameworkIds.h"
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include "skin/SkinConstants.h"
#include <initializer_list>

namespace
{
// A skin's name: the last component of its folder.
CString SkinNameOf(const CString& strFolder)
{
    return strFolder.Mid(strFolder.ReverseFind('\\') + 1);
}
} // namespace

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
    menu.AddSubmenu(0, LAUNCHER_MENU_STYLES, &styles, -1);
    for (INT_PTR i = 0; i < settings.m_astrSkinFolders.GetSize(); ++i)
        styles.AddItem(0, SkinNameOf(settings.m_astrSkinFolders[i]), ID_SKIN_FIRST + static_cast<int>(i), -1);
    menu.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    menu.AddItem(0, LAUNCHER_MENU_QUIT, ID_LAUNCHER_QUIT, -1);

    ClientToScreen(&pt);
    const int nId = menu.Track(pt.x, pt.y, nullptr, true, false);
    if (nId == ID_LAUNCHER_QUIT) {
        if (HWND hWndMainFrame = GetParent())
            ::PostMessageA(hWndMainFrame, WM_COMMAND, ID_APP_EXIT, 0);
    } else if (nId >= ID_SKIN_FIRST && nId - ID_SKIN_FIRST < settings.m_astrSkinFolders.GetSize()) {
        ChooseSkin(SkinNameOf(settings.m_astrSkinFolders[nId - ID_SKIN_FIRST]));
    }
}

void CSkinClientWnd::ChooseSkin(const CString& strName)
{
    m_pHost->SaveSkinChoice(strName);
    ApplySkin();
    RefreshScreen();
}
