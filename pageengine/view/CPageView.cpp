#include "pageengine/view/CPageView.h"
#include "framework/window/CMemDC.h"
#include "framework/window/CPaintDC.h"
#include "pageengine/view/CPageAddress.h"
#include <algorithm>
#include <cstdio>

namespace
{
const int kLineStep = 20;       // pixels per arrow key or wheel line
const int kNarrowest = 16;      // narrower views are not laid out (the page frame starts at 1 x 1)

// Text put into a page as text, not markup.
std::string Escaped(const std::string& str)
{
    std::string strOut;
    for (char ch : str) {
        if (ch == '&')
            strOut += "&amp;";
        else if (ch == '<')
            strOut += "&lt;";
        else if (ch == '>')
            strOut += "&gt;";
        else
            strOut += ch;
    }
    return strOut;
}
} // namespace

const char* const CPageView::s_pszClassName = "KeloPageView";

KELO_BEGIN_MESSAGE_MAP(CPageView, CWnd)
    OnWmSize<&CPageView::OnSize>(),
    OnWmEraseBkgnd<&CPageView::OnEraseBkgnd>(),
    OnWmPaint<&CPageView::OnPaint>(),
    OnMessage<WM_VSCROLL, &CPageView::OnVScroll>(),
    OnWmMouseWheel<&CPageView::OnMouseWheel>(),
    OnWmSetCursor<&CPageView::OnSetCursor>(),
    OnWmMouse<WM_LBUTTONDOWN, &CPageView::OnLButtonDown>(),
    OnWmMouse<WM_LBUTTONUP, &CPageView::OnLButtonUp>(),
    OnWmKeyDown<&CPageView::OnKeyDown>(),
    OnMessage<WM_GETDLGCODE, &CPageView::OnGetDlgCode>(),
    OnMessage<WM_SETFOCUS, &CPageView::OnFocusChange>(),
    OnMessage<WM_KILLFOCUS, &CPageView::OnFocusChange>(),
    OnMessage<WM_CONTEXTMENU, &CPageView::OnContextMenu>(),
KELO_END_MESSAGE_MAP()

BOOL CPageView::Create(HWND hWndParent, const RECT& rc, UINT nID)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoExA(hInstance, s_pszClassName, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = s_pszClassName;
        if (!::RegisterClassExA(&wc))
            return FALSE;
    }
    return CreateEx(0, s_pszClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, rc.left,
                    rc.top, rc.right - rc.left, rc.bottom - rc.top, hWndParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

void CPageView::ShowStartPage(const std::string& strPath)
{
    if (!m_kiosk.IsSet())
        m_kiosk = CKioskFolder(CPageAddress::FolderOf(strPath));
    if (OpenPage(strPath))
        return;
    // Dark text on a light background, light text on a dark one.
    int nLight = GetRValue(m_crBackground) * 3 + GetGValue(m_crBackground) * 6 + GetBValue(m_crBackground);
    char szColors[64];
    std::snprintf(szColors, sizeof(szColors), "bgcolor=\"#%02X%02X%02X\" text=\"%s\"", GetRValue(m_crBackground),
                  GetGValue(m_crBackground), GetBValue(m_crBackground), nLight > 1280 ? "#000000" : "#FFFFFF");
    auto pNotice = std::make_unique<CHtmlPage>();
    pNotice->SetKioskFolder(m_kiosk);
    pNotice->LoadText(std::string("<body ") + szColors + "><h2>Page d'accueil introuvable</h2><p>Le fichier <b>" +
                          Escaped(strPath) + "</b> est introuvable ou illisible.</p>",
                      CPageAddress::FolderOf(strPath));
    Show(std::move(pNotice));
}

BOOL CPageView::OpenPage(const std::string& strPath)
{
    auto pPage = std::make_unique<CHtmlPage>();
    pPage->SetKioskFolder(m_kiosk);
    if (!pPage->LoadFile(strPath))
        return FALSE;
    Show(std::move(pPage));
    return TRUE;
}

void CPageView::FollowLink(int nLink)
{
    if (!m_pPage || nLink < 0 || nLink >= static_cast<int>(m_pPage->GetLayout().m_links.size()))
        return;
    // Copies: opening another page replaces the one these come from.
    std::string strHref = m_pPage->GetLayout().Href(static_cast<size_t>(nLink));
    std::string strBase = m_pPage->BaseFolder();
    if (m_pfnHandOff && m_pfnHandOff(strHref.c_str()))
        return;
    std::string strPath = CPageAddress::ResolveLocal(strBase, strHref.c_str());
    if (!strPath.empty() && CPageAddress::IsPage(strPath))
        OpenPage(strPath);
}

void CPageView::Show(std::unique_ptr<CHtmlPage> pPage)
{
    m_pPage = std::move(pPage);
    // The page's title is the view's text, for whoever looks at the window from outside.
    SetWindowText(m_pPage->Document().m_strTitle.c_str());
    m_nScrollY = 0;
    m_nFocusLink = -1;
    m_nPressedLink = -1;
    m_sizeLaidOut = {0, 0};
    Relayout();
    Invalidate(FALSE);
}

void CPageView::Relayout()
{
    if (!m_hWnd || !m_pPage || m_bLayingOut)
        return;
    CRect rc;
    GetClientRect(&rc);
    int nScrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    int nFullWidth = rc.Width() + ((GetStyle() & WS_VSCROLL) ? nScrollBar : 0);
    if (nFullWidth < kNarrowest || rc.Height() <= 0)
        return;
    if (m_sizeLaidOut.cx == nFullWidth && m_sizeLaidOut.cy == rc.Height())
        return;
    // Laid out at the full width first; a page taller than the view is laid out again
    // beside the scroll bar it then gets.
    m_pPage->Layout(nFullWidth);
    bool bScrollBar = m_pPage->GetLayout().m_nHeight > rc.Height();
    if (bScrollBar)
        m_pPage->Layout(nFullWidth - nScrollBar);
    m_sizeLaidOut = {nFullWidth, rc.Height()};

    m_bLayingOut = true;
    ::ShowScrollBar(m_hWnd, SB_VERT, bScrollBar);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = std::max(m_pPage->GetLayout().m_nHeight - 1, 0);
    si.nPage = static_cast<UINT>(rc.Height());
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, bScrollBar);
    m_bLayingOut = false;
    ScrollTo(m_nScrollY);
    Invalidate(FALSE);
}

void CPageView::ScrollTo(int nY)
{
    int nMax = m_pPage ? std::max(m_pPage->GetLayout().m_nHeight - ClientHeight(), 0) : 0;
    nY = std::max(0, std::min(nY, nMax));
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = nY;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    if (nY != m_nScrollY) {
        m_nScrollY = nY;
        Invalidate(FALSE);
    }
}

void CPageView::MoveFocus(int nStep)
{
    int nLinks = m_pPage ? static_cast<int>(m_pPage->GetLayout().m_links.size()) : 0;
    if (nLinks == 0)
        return;
    // From no focus, Tab goes to the first link and Shift+Tab to the last; past either
    // end the ring comes round again.
    m_nFocusLink = m_nFocusLink < 0 ? (nStep > 0 ? 0 : nLinks - 1) : (m_nFocusLink + nStep + nLinks) % nLinks;
    std::vector<RECT> rects = m_pPage->GetLayout().LinkRects(m_nFocusLink);
    if (!rects.empty()) {
        int nHeight = ClientHeight();
        if (rects.front().top < m_nScrollY)
            ScrollTo(rects.front().top);
        else if (rects.back().bottom > m_nScrollY + nHeight)
            ScrollTo(rects.back().bottom - nHeight);
    }
    Invalidate(FALSE);
}

int CPageView::LinkAtClient(CPoint point) const
{
    if (!m_pPage)
        return -1;
    POINT pt = {point.x, point.y + m_nScrollY};
    return m_pPage->GetLayout().LinkAt(pt);
}

int CPageView::ClientHeight() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Height();
}

void CPageView::OnSize(UINT nType, int cx, int cy)
{
    Relayout();
}

BOOL CPageView::OnEraseBkgnd(CDC* pDC)
{
    // The whole client area is drawn by OnPaint, through the back buffer.
    return TRUE;
}

void CPageView::OnPaint()
{
    CPaintDC dc(this);
    CRect rc(dc.m_ps.rcPaint);
    if (rc.IsRectEmpty())
        return;
    CMemDC back(&dc, rc);
    if (m_pPage && m_sizeLaidOut.cx > 0)
        m_pPage->Paint(&back, rc, m_nScrollY, ::GetFocus() == m_hWnd ? m_nFocusLink : -1);
    else
        back.FillSolidRect(rc, m_pPage ? m_pPage->GetLayout().m_crBackground : m_crBackground);
    back.BlitToTarget();
}

LRESULT CPageView::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    int nPage = static_cast<int>(si.nPage);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(m_nScrollY - kLineStep); break;
    case SB_LINEDOWN: ScrollTo(m_nScrollY + kLineStep); break;
    case SB_PAGEUP: ScrollTo(m_nScrollY - nPage); break;
    case SB_PAGEDOWN: ScrollTo(m_nScrollY + nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(si.nMax); break;
    default: break;
    }
    return 0;
}

void CPageView::OnMouseWheel(UINT nFlags, short zDelta, CPoint ptScreen)
{
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    if (nLines == WHEEL_PAGESCROLL)
        nLines = static_cast<UINT>(std::max(ClientHeight() / kLineStep, 1));
    m_nWheelDelta += zDelta;
    int nNotches = m_nWheelDelta / WHEEL_DELTA;
    m_nWheelDelta -= nNotches * WHEEL_DELTA;
    ScrollTo(m_nScrollY - nNotches * static_cast<int>(nLines) * kLineStep);
}

BOOL CPageView::OnSetCursor(HWND hWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return static_cast<BOOL>(Default());
    POINT pt = {};
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    HCURSOR hCursor = nullptr;
    if (LinkAtClient(CPoint(pt.x, pt.y)) >= 0)
        hCursor = m_hLinkCursor ? m_hLinkCursor : ::LoadCursorA(nullptr, IDC_HAND);
    ::SetCursor(hCursor ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

void CPageView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_nPressedLink = LinkAtClient(point);
    if (m_nPressedLink >= 0)
        ::SetCapture(m_hWnd);
}

void CPageView::OnLButtonUp(UINT nFlags, CPoint point)
{
    int nPressed = m_nPressedLink;
    m_nPressedLink = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    // A click is a press and a release on the same link.
    if (nPressed >= 0 && LinkAtClient(point) == nPressed)
        FollowLink(nPressed);
}

void CPageView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int nHeight = ClientHeight();
    switch (nChar) {
    case VK_TAB: MoveFocus(::GetKeyState(VK_SHIFT) < 0 ? -1 : 1); break;
    case VK_RETURN: FollowLink(m_nFocusLink); break;
    case VK_UP: ScrollTo(m_nScrollY - kLineStep); break;
    case VK_DOWN: ScrollTo(m_nScrollY + kLineStep); break;
    case VK_PRIOR: ScrollTo(m_nScrollY - std::max(nHeight - kLineStep, kLineStep)); break;
    case VK_NEXT: case VK_SPACE: ScrollTo(m_nScrollY + std::max(nHeight - kLineStep, kLineStep)); break;
    case VK_HOME: ScrollTo(0); break;
    case VK_END: ScrollTo(m_pPage ? m_pPage->GetLayout().m_nHeight : 0); break;
    default: break;
    }
}

LRESULT CPageView::OnGetDlgCode(WPARAM wParam, LPARAM lParam)
{
    // Tab, Enter and the arrows move through the page, not through a dialog around it.
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
}

LRESULT CPageView::OnFocusChange(WPARAM wParam, LPARAM lParam)
{
    // The focus ring shows only while the view has the keyboard.
    Invalidate(FALSE);
    return 0;
}

LRESULT CPageView::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // Taken here: the default processing would pass it on to the windows around the view.
    return 0;
}
