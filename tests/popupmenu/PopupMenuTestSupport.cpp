#include "PopupMenuTestSupport.h"
#include "popupmenu/PopupMenuConstants.h"

CLauncherShapedMenu::CLauncherShapedMenu(std::function<void(CPopupMenu&)> setUp)
{
    if (setUp) {
        setUp(m_root);
        setUp(m_styles);
    }
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    m_root.Create(hInstance, -1);
    m_styles.Create(hInstance, -1);
    m_root.AddSubmenu(0, "Styles :", &m_styles, -1);
    m_styles.AddItem(0, "Classique", kFirstSkinId, -1);
    m_styles.AddItem(0, "Nuit", kFirstSkinId + 1, -1);
    m_root.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    m_root.AddItem(0, "&Quitter", kQuitId, -1);
}
