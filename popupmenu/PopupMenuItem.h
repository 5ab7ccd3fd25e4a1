#pragma once
// One entry of a popup menu: a command, a separator or an entry that opens a submenu.
#include "framework/core/CString.h"

class CPopupMenu;

struct PopupMenuItem
{
    int m_nTop = 0;                    // client y of the top edge, set by the layout
    int m_nHeight = 0;                 // 17 for text, 5 for a separator, set by the layout
    int m_nFlags = 0;                  // PMF_ flags
    CString m_strText;                 // an '&' marks the next character as the mnemonic
    int m_nId = 0;                     // command reported when chosen; 0 for separators and submenus
    int m_nImage = -1;                 // cell of the image strip, -1 for none
    CPopupMenu* m_pSubmenu = nullptr;  // the menu this entry opens (not owned)
};
