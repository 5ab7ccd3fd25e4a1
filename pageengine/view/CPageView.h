#pragma once
// The built-in page view: a child window that shows a page read and laid out by the
// page engine, double-buffered, with a vertical scroll bar and the mouse wheel when
// the page is taller than the view. Over a link the pointer is a hand; a click on a link,
// or Enter on the link that Tab and Shift+Tab have given the focus ring, follows it: the
// address goes first to the link hand-off (where "app://" commands are taken), and a
// relative or file: address of a local page the hand-off leaves opens in the view, when it
// lies inside the kiosk folder, as do the pictures of the pages. The view
// opens no other window, has no context menu and takes no dropped files. Its window text is
// the title of the page it shows.
#include "framework/window/CWnd.h"
#include "pageengine/view/CHtmlPage.h"
#include <memory>
#include <string>

class CPageView : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Given each followed link's address; TRUE when it took the link, so that the view
    // leaves it.
    typedef BOOL (*LinkHandOff)(LPCSTR pszURL);

    // The view's window class, by which other programs find it.
    static const char* const s_pszClassName;

    BOOL Create(HWND hWndParent, const RECT& rc, UINT nID);
    void SetLinkHandOff(LinkHandOff pfnHandOff) { m_pfnHandOff = pfnHandOff; }
    // The pointer over links (the system's hand when none is given).
    void SetLinkCursor(HCURSOR hCursor) { m_hLinkCursor = hCursor; }

    // The colour shown where there is no page yet, and behind the notice of a missing
    // start page (the skin's screen colour).
    void SetBackgroundColor(COLORREF cr) { m_crBackground = cr; }
    // The folder every page and picture the view shows must lie in (the kiosk's); without
    // one, the start page's folder.
    void SetKioskFolder(const std::string& strFolder) { m_kiosk = CKioskFolder(strFolder); }
    // Shows the start page, or a short notice in its place when it cannot be read.
    void ShowStartPage(const std::string& strPath);
    // Opens a local page; FALSE (the page shown stays) when it cannot be read or lies
    // outside the kiosk folder.
    BOOL OpenPage(const std::string& strPath);
    // Follows link nLink of the page shown, as a click on it does.
    void FollowLink(int nLink);

    const CHtmlPage* GetPage() const { return m_pPage.get(); }
    int GetScrollY() const { return m_nScrollY; }
    int GetFocusLink() const { return m_nFocusLink; }

    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(UINT nFlags, short zDelta, CPoint ptScreen);
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);

private:
    void Show(std::unique_ptr<CHtmlPage> pPage);
    void Relayout();
    void ScrollTo(int nY);
    void MoveFocus(int nStep);
    int LinkAtClient(CPoint point) const;
    int ClientHeight() const;

    std::unique_ptr<CHtmlPage> m_pPage;
    CKioskFolder m_kiosk;
    LinkHandOff m_pfnHandOff = nullptr;
    HCURSOR m_hLinkCursor = nullptr;
    COLORREF m_crBackground = RGB(255, 255, 255);
    int m_nScrollY = 0;
    int m_nFocusLink = -1;
    int m_nPressedLink = -1;
    int m_nWheelDelta = 0;      // wheel movement not yet scrolled
    SIZE m_sizeLaidOut = {0, 0};   // the client size the page was laid out for
    bool m_bLayingOut = false;
};
