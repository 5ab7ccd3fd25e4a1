#pragma once
// An owner-drawn popup menu with its own window class, modal tracking loop and submenus.
// The client builds it (construct, set colours or font, Create, AddItem / AddSubmenu in
// display order), tracks it, and destroys it; a submenu is given to its parent's
// AddSubmenu and shown only by the parent. Id 0 always means that nothing was chosen.
//
// The layout, placement, hit test and mnemonic look-up need no window and are public so
// that they can be used (and checked) on their own.
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CFont.h"
#include "framework/gdi/CPen.h"
#include "framework/core/CString.h"
#include "popupmenu/PopupMenuItem.h"
#include <vector>

class CDC;

class CPopupMenu
{
public:
    CPopupMenu();
    // Closes the window (and with it any open submenu) and frees the drawing objects.
    ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // Registers the window class once per process (false, nothing changed, when that
    // fails), empties the menu and builds the drawing objects from the fields below.
    // nBitmapId names the image strip in hInstance's resources; -1 for none.
    bool Create(HINSTANCE hInstance, int nBitmapId);
    // Appends an entry; a NULL text gives an empty one. Always true.
    bool AddItem(int nFlags, LPCSTR pszText, int nId, int nImage);
    // Appends an entry that opens pSubmenu and makes this menu its parent; false (and
    // nothing changed) for a separator.
    bool AddSubmenu(int nFlags, LPCSTR pszText, CPopupMenu* pSubmenu, int nImage);

    // Shows the menu with its top-left corner at the screen point (x, y), kept inside the
    // work area. Modal: returns the id chosen once the menu has closed. Not modal: returns
    // 0 at once and posts WM_COMMAND (id, 0) to hWndOwner after a choice.
    int Track(int x, int y, HWND hWndOwner, bool bModal, bool bNoCapture);

    // Entry tops and heights, width, selection and result reset.
    void Layout();
    // The top-left corner of a cx x cy window asked for at (x, y): moved left or up where
    // it would cross the right or bottom edge of rcWork, never past 0.
    static POINT PlaceInWorkArea(int x, int y, int cx, int cy, const RECT& rcWork);
    // The entry under the client point, -1 for none or a disabled one.
    int HitTest(int x, int y, const RECT& rcClient) const;
    // The entry whose mnemonic is ch (case-insensitive), -1 for none.
    int FindMnemonicItem(char ch) const;

    // Ends the whole chain with nId as the root's result.
    void EndMenu(int nId);
    // Closes the whole chain with nothing chosen when the client point is outside the
    // entry area; true when it did.
    bool CloseIfOutside(int x, int y, const RECT& rcClient);
    // Opens the highlighted entry's submenu (nested modal loop); the timer is stopped.
    void OpenSubmenu(UINT_PTR nTimerId);

    void DrawItem(CDC* pDC, int nIndex, const PopupMenuItem& item);
    void DrawSeparator(CDC* pDC, const PopupMenuItem& item);
    // The 16 x 15 cell at (sx, 0) of the image strip to (dx, dy), without the pixels of
    // m_crTransparent. Nothing is drawn when the menu has no strip.
    void DrawTransparentImage(CDC* pDC, int sx, int dx, int dy);

    const std::vector<PopupMenuItem>& GetItems() const { return m_items; }
    int GetWidth() const { return m_nWidth; }
    // The window height of the last layout: 5 plus the entry heights.
    int GetHeight() const { return m_nHeight; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // 0 not shown, 1 shown, 2 shown and holding the mouse capture.
    int GetState() const { return m_nState; }
    CPopupMenu* GetParentMenu() const { return m_pParent; }
    bool IsSubmenu() const { return m_bIsSubmenu; }

    // Set by the client between construction and Create.
    CString m_strFontName;
    int m_nFontSize;
    COLORREF m_crBorder;          // frame and separator lines
    COLORREF m_crBack;            // background
    COLORREF m_crText;            // text and arrow of unselected entries
    COLORREF m_crGrayText;        // text of unselected PMF_GRAYED entries
    COLORREF m_crHighlightText;   // text and arrow of the selected entry
    COLORREF m_crHighlight;       // selection bar
    COLORREF m_crTransparent;     // colour of the image strip that is not drawn
    COLORREF m_crLight;           // top and left edge of a selected entry's image frame
    COLORREF m_crShadow;          // bottom and right edge of that frame
    // Read each time a submenu entry is highlighted.
    int m_nSubmenuDelay;

private:
    struct MessageEntry;
    static const MessageEntry s_messageMap[];

    // Whether the client point lies within the entries: right of and below the outer
    // rows and columns, and inside the client rectangle with its right and bottom edges.
    static bool InEntryArea(int x, int y, const RECT& rcClient);
    static bool RegisterWindowClass(HINSTANCE hInstance);
    static LRESULT CALLBACK PopupMenuWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static CPopupMenu* FromHandle(HWND hWnd);

    void CreateGdiObjects();
    void DeleteGdiObjects();
    void RunModalLoop();
    CPopupMenu* GetRootMenu();
    // The menu of another window of this thread's menu chain under the screen point.
    CPopupMenu* OtherMenuAt(POINT ptScreen) const;

    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    void OnButtonUp(bool& bIgnore, LPARAM lParam);

    HINSTANCE m_hInstance = nullptr;
    int m_nBitmapId = -1;
    std::vector<PopupMenuItem> m_items;

    int m_nState = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nFontHeight = 0;
    int m_nBoldFontHeight = 0;
    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr;
    int m_nSelected = -1;
    int m_nResult = 0;
    bool m_bIgnoreRButtonUp = false;
    bool m_bIgnoreLButtonUp = false;
    bool m_bModal = false;
    bool m_bIsSubmenu = false;
    CPopupMenu* m_pParent = nullptr;

    // Drawing objects, built by Create from the fields above.
    CFont m_hFont;
    CFont m_hBoldFont;
    CPen m_hBorderPen;
    CPen m_hLightPen;
    CPen m_hShadowPen;
    CPen m_hBackPen;
    CPen m_hHighlightTextPen;
    CPen m_hTextPen;
    CBrush m_hBackBrush;
    CBrush m_hHighlightBrush;
    CBitmap m_hBitmap;   // the image strip, or none
};
