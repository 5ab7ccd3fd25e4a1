// CPopupMenu: building a menu, its drawing objects, layout, placement and the two look-ups.
// The window side is in CPopupMenuWindow.cpp, the painting in CPopupMenuPaint.cpp.
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include "dib/DibConstants.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CScopedSelect.h"
#include <algorithm>
#include <initializer_list>

namespace
{
// The window class is registered once per process, and only marked so once it worked.
bool g_bClassRegistered = false;

char LowerAnsi(char ch)
{
    return static_cast<char>(reinterpret_cast<UINT_PTR>(
        ::CharLowerA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(ch))))));
}

// The menu measures text on the display without a window.
const char kDisplayDriver[] = "DISPLAY";

int FontHeight(CDC& ic, CFont& font)
{
    CScopedSelect select(&ic, &font);
    TEXTMETRICA tm = {};
    ic.GetTextMetrics(&tm);
    return tm.tmHeight;
}
} // namespace

CPopupMenu::CPopupMenu()
    : m_strFontName(POPUPMENU_DEFAULT_FONT),
      m_nFontSize(POPUPMENU_DEFAULT_FONT_SIZE),
      m_crBorder(::GetSysColor(COLOR_MENUTEXT)),
      m_crBack(::GetSysColor(COLOR_MENU)),
      m_crText(::GetSysColor(COLOR_MENUTEXT)),
      m_crGrayText(::GetSysColor(COLOR_GRAYTEXT)),
      m_crHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crTransparent(KEY_COLOR),
      m_crLight(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_crShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_nSubmenuDelay(POPUPMENU_SUBMENU_DELAY)
{
}

CPopupMenu::~CPopupMenu()
{
    // The close handling gives the capture back and closes any open submenu.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    // The menus of a chain may go in any order (after a quit their windows are still up):
    // none keeps a pointer to this one.
    if (m_pParent) {
        for (PopupMenuItem& item : m_pParent->m_items) {
            if (item.m_pSubmenu == this)
                item.m_pSubmenu = nullptr;
        }
    }
    for (PopupMenuItem& item : m_items) {
        if (item.m_pSubmenu && item.m_pSubmenu->m_pParent == this)
            item.m_pSubmenu->m_pParent = nullptr;
    }
}

bool CPopupMenu::Create(HINSTANCE hInstance, int nBitmapId)
{
    m_hInstance = hInstance;
    m_nBitmapId = nBitmapId;
    if (!g_bClassRegistered) {
        if (!RegisterWindowClass(hInstance))
            return false;
        g_bClassRegistered = true;
    }
    m_items.clear();
    CreateGdiObjects();
    return true;
}

bool CPopupMenu::AddItem(int nFlags, LPCSTR pszText, int nId, int nImage)
{
    m_items.push_back({0, 0, nFlags, CString(pszText), nId, nImage, nullptr});
    return true;
}

bool CPopupMenu::AddSubmenu(int nFlags, LPCSTR pszText, CPopupMenu* pSubmenu, int nImage)
{
    if (nFlags & PMF_SEPARATOR)
        return false;
    m_items.push_back({0, 0, nFlags, CString(pszText), 0, nImage, pSubmenu});
    if (pSubmenu) {
        pSubmenu->m_bIsSubmenu = true;
        pSubmenu->m_pParent = this;
    }
    return true;
}

void CPopupMenu::CreateGdiObjects()
{
    DeleteGdiObjects();

    CDC ic;
    ic.CreateIC(kDisplayDriver);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(m_nFontSize, ic.GetDeviceCaps(LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    ::lstrcpynA(lf.lfFaceName, m_strFontName, LF_FACESIZE);
    m_hFont.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_hBoldFont.CreateFontIndirect(&lf);
    m_nFontHeight = FontHeight(ic, m_hFont);
    m_nBoldFontHeight = FontHeight(ic, m_hBoldFont);

    m_hBorderPen.CreatePen(PS_SOLID, 1, m_crBorder);
    m_hBackBrush.CreateSolidBrush(m_crBack);
    m_hHighlightBrush.CreateSolidBrush(m_crHighlight);
    m_hLightPen.CreatePen(PS_SOLID, 1, m_crLight);
    m_hShadowPen.CreatePen(PS_SOLID, 1, m_crShadow);
    m_hBackPen.CreatePen(PS_SOLID, 1, m_crBack);
    m_hTextPen.CreatePen(PS_SOLID, 1, m_crText);
    m_hHighlightTextPen.CreatePen(PS_SOLID, 1, m_crHighlightText);
    if (m_nBitmapId != -1)
        m_hBitmap.Attach(::LoadBitmapA(m_hInstance, MAKEINTRESOURCEA(m_nBitmapId)));
}

void CPopupMenu::DeleteGdiObjects()
{
    for (CGdiObject* pObject : std::initializer_list<CGdiObject*>{
             &m_hFont, &m_hBoldFont, &m_hBorderPen, &m_hLightPen, &m_hShadowPen, &m_hBackPen, &m_hHighlightTextPen,
             &m_hTextPen, &m_hBackBrush, &m_hHighlightBrush, &m_hBitmap})
        pObject->DeleteObject();
}

void CPopupMenu::Layout()
{
    CDC ic;
    ic.CreateIC(kDisplayDriver);
    int y = POPUPMENU_TOP_MARGIN;
    int nWidest = 0;
    for (PopupMenuItem& item : m_items) {
        item.m_nTop = y;
        if (item.m_nFlags & PMF_SEPARATOR) {
            item.m_nHeight = POPUPMENU_SEPARATOR_HEIGHT;
        } else {
            // Measured as stored, '&' included: the menu is a little wider than its text.
            CScopedSelect font(&ic, (item.m_nFlags & PMF_BOLD) ? &m_hBoldFont : &m_hFont);
            nWidest = std::max(nWidest, static_cast<int>(ic.GetTextExtent(item.m_strText, item.m_strText.GetLength()).cx));
            item.m_nHeight = POPUPMENU_ITEM_HEIGHT;
        }
        y += item.m_nHeight;
    }
    m_nWidth = nWidest + POPUPMENU_EXTRA_WIDTH;
    m_nHeight = y + POPUPMENU_BOTTOM_MARGIN;
    m_nSelected = -1;
    m_nResult = 0;
}

POINT CPopupMenu::PlaceInWorkArea(int x, int y, int cx, int cy, const RECT& rcWork)
{
    // Only the right and bottom edges push the menu back; a point left of or above the
    // work area stays where it is.
    if (x + cx > rcWork.right)
        x = std::max(0, static_cast<int>(rcWork.right) - cx);
    if (y + cy > rcWork.bottom)
        y = std::max(0, static_cast<int>(rcWork.bottom) - cy);
    return POINT{x, y};
}

bool CPopupMenu::InEntryArea(int x, int y, const RECT& rcClient)
{
    return x > POPUPMENU_EDGE && y > POPUPMENU_EDGE && x <= rcClient.right && y <= rcClient.bottom;
}

int CPopupMenu::HitTest(int x, int y, const RECT& rcClient) const
{
    if (!InEntryArea(x, y, rcClient))
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const PopupMenuItem& item = m_items[i];
        // Both bounds exclusive: the row between two entries belongs to neither.
        if (item.m_nTop < y && y < item.m_nTop + item.m_nHeight)
            return (item.m_nFlags & PMF_DISABLED) ? -1 : static_cast<int>(i);
    }
    return -1;
}

int CPopupMenu::FindMnemonicItem(char ch) const
{
    const char c = LowerAnsi(ch);
    for (size_t i = 0; i < m_items.size(); ++i) {
        const PopupMenuItem& item = m_items[i];
        if (item.m_nFlags & (PMF_SEPARATOR | PMF_DISABLED | PMF_GRAYED))
            continue;
        // Only the first '&' counts, and only when a character follows it.
        const int nAmp = item.m_strText.Find('&');
        if (nAmp >= 0 && nAmp + 1 < item.m_strText.GetLength() && LowerAnsi(item.m_strText[nAmp + 1]) == c)
            return static_cast<int>(i);
    }
    return -1;
}
