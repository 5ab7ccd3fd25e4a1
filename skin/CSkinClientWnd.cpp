#include "skin/CSkinClientWnd.h"
#include "dib/CDIB.h"
#include "dib/CDIBPainter.h"
#include "dib/CDIBPalette.h"
#include "framework/core/AfxGlobals.h"
#include "framework/gdi/CBrush.h"
#include "framework/docview/CFrameWnd.h"
#include "framework/window/CMemDC.h"
#include "framework/window/CPaintDC.h"
#include "framework/core/FrameworkIds.h"
#include "resources/resource.h"
#include "skin/CSkinButton.h"
#include "skin/SkinConstants.h"
#include "skin/SkinImage.h"

KELO_BEGIN_MESSAGE_MAP(CSkinClientWnd, CWnd)
    OnMessage<WM_SKINBTN_HOVER, &CSkinClientWnd::OnButtonHover>(),
    OnMessage<WM_SKINBTN_CLICK, &CSkinClientWnd::OnButtonClick>(),
    OnWmPaint<&CSkinClientWnd::OnPaint>(),
    OnWmEraseBkgnd<&CSkinClientWnd::OnEraseBkgnd>(),
    OnWmNcHitTest<&CSkinClientWnd::OnNcHitTest>(),
    OnWmSize<&CSkinClientWnd::OnSize>(),
    OnMessage<WM_PRINTCLIENT, &CSkinClientWnd::OnPrintClient>(),
KELO_END_MESSAGE_MAP()

CSkinClientWnd::CSkinClientWnd() = default;

COLORREF CSkinClientWnd::ScreenColor() const
{
    return m_pHost ? m_pHost->GetSettings().m_crEcran : 0;
}

CSkinClientWnd::~CSkinClientWnd()
{
    FreeSkin();
}

void CSkinClientWnd::FreeSkin()
{
    m_pPalette.reset();
    m_pGauche.reset();
    m_pDroit.reset();
    m_pHaut.reset();
    m_pBas.reset();
    m_pPainter.reset();
    m_pBtMenu.reset();
    m_pBtMini.reset();
    m_pBtQuit.reset();
    m_pBack.reset();
}

void CSkinClientWnd::LoadSkin()
{
    if (!m_pHost)
        return;
    const CSkinSettings& settings = m_pHost->ReloadSettings();
    FreeSkin();

    m_pPalette = std::make_unique<CDIBPalette>();
    m_pGauche = std::make_unique<CDIB>();
    m_pDroit = std::make_unique<CDIB>();
    m_pHaut = std::make_unique<CDIB>();
    m_pBas = std::make_unique<CDIB>();
    m_pPainter = std::make_unique<CDIBPainter>();

    LoadSkinImage(m_pGauche.get(), settings.m_strSkinDir + SKIN_FILE_LEFT);
    LoadSkinImage(m_pDroit.get(), settings.m_strSkinDir + SKIN_FILE_RIGHT);
    LoadSkinImage(m_pHaut.get(), settings.m_strSkinDir + SKIN_FILE_TOP);
    LoadSkinImage(m_pBas.get(), settings.m_strSkinDir + SKIN_FILE_BOTTOM);
    m_pPalette->CreateFromDIB(m_pHaut.get());

    m_rcInner.SetRect(m_pGauche->GetWidth(), m_pHaut->GetHeight(), SKIN_CLIENT_WIDTH - m_pDroit->GetWidth(),
                      SKIN_CLIENT_HEIGHT - m_pBas->GetHeight());
    ComposeSkin();

    // The menu button only for skins that draw one: without its strip it would be a black
    // placeholder square.
    if (SkinFileExists(settings.m_strSkinDir + SKIN_FILE_MENU))
        m_pBtMenu = CreateButton(SKIN_FILE_MENU, settings.m_nBtMenuX, settings.m_nBtMenuY, IDC_BTMENU);
    m_pBtMini = CreateButton(SKIN_FILE_MINI, settings.m_nBtMiniX, settings.m_nBtMiniY, IDC_BTMINI);
    m_pBtQuit = CreateButton(SKIN_FILE_QUIT, settings.m_nBtQuitX, settings.m_nBtQuitY, IDC_BTQUIT);
    m_bButtonsShown = FALSE;
    if (IsWindowVisible())
        ShowButtons();
}

void CSkinClientWnd::ShowButtons()
{
    m_bButtonsShown = TRUE;
    for (CSkinButton* pButton : {m_pBtMenu.get(), m_pBtMini.get(), m_pBtQuit.get()}) {
        if (pButton)
            pButton->CreatePlaced(this);
    }
}

std::unique_ptr<CSkinButton> CSkinClientWnd::CreateButton(const char* pszFile, int x, int y, UINT nID)
{
    auto pButton = std::make_unique<CSkinButton>();
    pButton->m_hCursorHover = ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_HANDCURSOR));
    pButton->m_strBitmap = m_pHost->GetSettings().m_strSkinDir + pszFile;
    pButton->m_pBackdrop = this;
    pButton->Place(CPoint(x, y), nID);
    return pButton;
}

void CSkinClientWnd::ApplySkin()
{
    LoadSkin();
    PlacePage();
}

void CSkinClientWnd::PlacePage()
{
    if (!m_pHost)
        return;
    m_pHost->RenewPage();
    if (CFrameWnd* pPageFrame = m_pHost->GetPageFrame())
        pPageFrame->MoveWindow(&m_rcInner, TRUE);
}

void CSkinClientWnd::RefreshScreen()
{
    // Without a page frame (its creation failed) only the skin is repainted.
    if (CFrameWnd* pPageFrame = m_pHost ? m_pHost->GetPageFrame() : nullptr)
        pPageFrame->ActivateFrame(-1);
    UpdateWindow();
    InvalidateRect(nullptr, TRUE);
}

LRESULT CSkinClientWnd::OnButtonHover(WPARAM wParam, LPARAM lParam)
{
    return 0;
}

LRESULT CSkinClientWnd::OnButtonClick(WPARAM wParam, LPARAM lParam)
{
    // The skin window is the main frame's client.
    HWND hWndMainFrame = GetParent();
    if (!hWndMainFrame)
        return 0;
    switch (wParam) {
    case IDC_BTMENU:
        ShowLauncherMenu();
        break;
    case IDC_BTMINI:
        ::PostMessageA(hWndMainFrame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case IDC_BTQUIT:
        ::PostMessageA(hWndMainFrame, WM_COMMAND, ID_APP_EXIT, 0);
        break;
    default:
        break;
    }
    return 0;
}

void CSkinClientWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintClient(&dc, dc.m_ps.rcPaint);
}

BOOL CSkinClientWnd::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}

LRESULT CSkinClientWnd::OnNcHitTest(CPoint point)
{
    return HTTRANSPARENT;
}

void CSkinClientWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    // The right and bottom borders stand against the client area's edges.
    if (cx <= 0 || cy <= 0 || !m_pGauche)
        return;
    if (!m_pBack || m_pBack->GetRect().Width() != cx || m_pBack->GetRect().Height() != cy) {
        ComposeSkin();
        Invalidate(FALSE);
    }
}

LRESULT CSkinClientWnd::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    CDC dc;
    if (dc.Attach(reinterpret_cast<HDC>(wParam))) {
        CRect rc;
        ::GetClipBox(dc, &rc);
        PaintClient(&dc, rc);
        dc.Detach();
    }
    return 0;
}

BOOL CSkinClientWnd::CopyBackdrop(CDC* pDC, int x, int y, const RECT& rcSkin) const
{
    if (!m_pBack || !pDC)
        return FALSE;
    return pDC->BitBlt(x, y, rcSkin.right - rcSkin.left, rcSkin.bottom - rcSkin.top, m_pBack.get(), rcSkin.left,
                       rcSkin.top, SRCCOPY);
}

void CSkinClientWnd::PaintClient(CDC* pDC, const RECT& rc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcDraw;
    if (!::IntersectRect(&rcDraw, &rc, &rcClient))
        return;
    if (CopyBackdrop(pDC, rcDraw.left, rcDraw.top, rcDraw)) {
        for (CSkinButton* pButton : {m_pBtMenu.get(), m_pBtMini.get(), m_pBtQuit.get()}) {
            if (pButton && !m_bButtonsShown)
                pButton->PaintFace(pDC);
        }
        return;
    }
    CBrush brush(ScreenColor());
    pDC->FillRect(rcDraw, brush);
}

void CSkinClientWnd::ComposeSkin()
{
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty() || !m_pGauche || !m_pDroit || !m_pHaut || !m_pBas)
        return;
    // A fresh bitmap each time: the pixels that neither a border nor the inner fill covers
    // are those of a new bitmap, as they always were.
    auto pBack = std::make_unique<CMemDC>(nullptr, rc);

    // Only the inner rectangle is filled: the borders paint the rest.
    CBrush brush(ScreenColor());
    pBack->FillRect(m_rcInner, brush);
    const int nLeftWidth = m_pGauche->GetWidth();
    struct Placement
    {
        CDIB* pDib;
        int x, y;
    };
    const Placement placements[] = {
        {m_pGauche.get(), 0, 0},
        {m_pDroit.get(), rc.right - m_pDroit->GetWidth(), 0},
        {m_pHaut.get(), nLeftWidth, 0},
        {m_pBas.get(), nLeftWidth, rc.bottom - m_pBas->GetHeight()},
    };
    for (const Placement& placement : placements) {
        const int nWidth = placement.pDib->GetWidth(), nHeight = placement.pDib->GetHeight();
        m_pPainter->Paint(pBack.get(), CRect(placement.x, placement.y, nWidth, nHeight), CRect(0, 0, nWidth, nHeight),
                          placement.pDib, m_pPalette.get());
    }
    m_pBack = std::move(pBack);
    ++m_nBackVersion;
}
