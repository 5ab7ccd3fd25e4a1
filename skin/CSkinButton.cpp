#include "skin/CSkinButton.h"
#include "dib/CDIB.h"
#include "dib/CDIBPalette.h"
#include "framework/window/AfxRegisterWndClass.h"
#include "framework/window/CMemDC.h"
#include "framework/window/CPaintDC.h"
#include "skin/CSkinBackdrop.h"
#include "skin/SkinConstants.h"
#include "skin/SkinImage.h"

namespace
{
// The size a button is made with: its strip's image size replaces it.
const int kUnplacedSize = 10;
} // namespace

KELO_BEGIN_MESSAGE_MAP(CSkinButton, CWnd)
    OnWmMouse<WM_MOUSEMOVE, &CSkinButton::OnMouseMove>(),
    OnWmPaint<&CSkinButton::OnPaint>(),
    OnWmEraseBkgnd<&CSkinButton::OnEraseBkgnd>(),
    OnWmCreate<&CSkinButton::OnCreate>(),
    OnWmMouse<WM_LBUTTONDOWN, &CSkinButton::OnLButtonDown>(),
    OnWmMouse<WM_LBUTTONUP, &CSkinButton::OnLButtonUp>(),
    OnWmDestroy<&CSkinButton::OnDestroy>(),
KELO_END_MESSAGE_MAP()

CSkinButton::CSkinButton()
    : m_hCursorHover(::LoadCursorA(nullptr, IDC_ARROW))
{
}

// The palette goes before the strip it was made from: the members' reverse order.
CSkinButton::~CSkinButton() = default;

BOOL CSkinButton::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!m_pBitmap && !m_strBitmap.IsEmpty())
        LoadStrip();
    if (m_pBitmap) {
        const CSize size = FaceSize();
        cs.cx = size.cx;
        cs.cy = size.cy;
    }
    cs.lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, m_hCursorHover,
                                       static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    return CWnd::PreCreateWindow(cs);
}

void CSkinButton::Place(CPoint ptPlace, UINT nID)
{
    if (!m_strBitmap.IsEmpty())
        LoadStrip();
    m_ptPlace = ptPlace;
    m_nPlacedID = nID;
}

BOOL CSkinButton::CreatePlaced(CWnd* pParent)
{
    if (m_hWnd) {
        ShowWindow(SW_SHOWNA);
        return TRUE;
    }
    // Only the position counts: the button takes its size from its strip.
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, m_ptPlace.x, m_ptPlace.y, kUnplacedSize, kUnplacedSize,
                    pParent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_nPlacedID)));
}

CRect CSkinButton::FaceRect() const
{
    CRect rcFace;
    if (m_hWnd) {
        GetClientRect(&rcFace);
        ::MapWindowPoints(m_hWnd, GetParent(), reinterpret_cast<POINT*>(&rcFace), 2);
    } else if (m_pBitmap) {
        rcFace = CRect(m_ptPlace, FaceSize());
    }
    return rcFace;
}

CSize CSkinButton::FaceSize() const
{
    return CSize(m_pBitmap->GetWidth(), m_pBitmap->GetHeight() / SKIN_STRIP_IMAGES);
}

void CSkinButton::LoadStrip()
{
    m_pBitmap = std::make_unique<CDIB>();
    LoadSkinImage(m_pBitmap.get(), m_strBitmap);
    m_pPalette = std::make_unique<CDIBPalette>();
    m_pPalette->CreateFromDIB(m_pBitmap.get());
}

void CSkinButton::DrawButton(CDC* pDC)
{
    if (!m_pBitmap || !m_pPalette)
        return;
    const int nWidth = m_pBitmap->GetWidth();
    const int nHeight = m_pBitmap->GetHeight();
    const int nImageHeight = nHeight / SKIN_STRIP_IMAGES;
    // Each image starts at its own fraction of the whole height: for 42 rows the hover
    // image starts at 21, not at twice the image height.
    int ySrc = nImageHeight;
    if (m_nState == stateHover)
        ySrc = nHeight / 2;
    else if (m_nState == statePressed)
        ySrc = (3 * nHeight) / 4;
    m_pBitmap->DrawMasked(pDC, m_pPalette.get(), CRect(0, 0, nWidth, nImageHeight),
                          CRect(0, ySrc, nWidth, nImageHeight));
}

void CSkinButton::Notify(UINT message)
{
    ::PostMessageA(GetParent(), message, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

void CSkinButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCursor() != m_hCursorHover)
        ::SetCursor(m_hCursorHover);
    if (m_nState != statePressed) {
        CRect rc;
        GetClientRect(&rc);
        if (rc.PtInRect(point)) {
            // The capture tells the button when the pointer leaves it.
            if (m_nState != stateHover) {
                m_nState = stateHover;
                Invalidate();
                Notify(WM_SKINBTN_HOVER);
                ::SetCapture(m_hWnd);
            }
        } else {
            m_nState = stateNormal;
            Invalidate();
            ::ReleaseCapture();
        }
    }
    Default();
}

void CSkinButton::OnPaint()
{
    // The image is drawn while erasing, so that one paint cycle is one block transfer.
    CPaintDC dc(this);
}

void CSkinButton::PaintFace(CDC* pDC)
{
    if (ComposeFace())
        pDC->BitBlt(m_rcFace.left, m_rcFace.top, m_rcFace.Width(), m_rcFace.Height(), m_pFace.get(), 0, 0, SRCCOPY);
}

BOOL CSkinButton::ComposeFace()
{
    if (!m_pBackdrop)
        return FALSE;
    const CRect rcFace = FaceRect();
    if (m_pFace && m_nFaceState == m_nState && m_nFaceVersion == m_pBackdrop->GetBackdropVersion() &&
        ::EqualRect(&m_rcFace, &rcFace))
        return TRUE;
    auto pFace = std::make_unique<CMemDC>(nullptr, rcFace.Width(), rcFace.Height());
    if (!m_pBackdrop->CopyBackdrop(pFace.get(), 0, 0, rcFace))
        return FALSE;
    DrawButton(pFace.get());
    m_pFace = std::move(pFace);
    m_nFaceState = m_nState;
    m_nFaceVersion = m_pBackdrop->GetBackdropVersion();
    m_rcFace = rcFace;
    return TRUE;
}

BOOL CSkinButton::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (ComposeFace()) {
        pDC->BitBlt(0, 0, rc.right, rc.bottom, m_pFace.get(), 0, 0, SRCCOPY);
        return TRUE;
    }
    CMemDC dcBuffer(pDC, rc);

    // What lies behind the button: the pixels there now, then whatever the parent prints
    // of its client area at the button's place.
    dcBuffer.BitBlt(0, 0, rc.right, rc.bottom, pDC, 0, 0, SRCCOPY);
    POINT ptOrigin = {0, 0};
    ::MapWindowPoints(m_hWnd, GetParent(), &ptOrigin, 1);
    POINT ptOldOrigin;
    ::SetViewportOrgEx(dcBuffer, -ptOrigin.x, -ptOrigin.y, &ptOldOrigin);
    ::SendMessageA(GetParent(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dcBuffer.GetSafeHdc()), PRF_CLIENT);
    ::SetViewportOrgEx(dcBuffer, ptOldOrigin.x, ptOldOrigin.y, nullptr);

    DrawButton(&dcBuffer);
    dcBuffer.BlitToTarget();
    return TRUE;
}

int CSkinButton::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return CWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CSkinButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nState = statePressed;
    Invalidate();
    Default();
}

void CSkinButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    const bool bClick = m_nState == statePressed && rc.PtInRect(point);
    m_nState = stateNormal;
    if (bClick) {
        Notify(WM_SKINBTN_CLICK);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    Invalidate();
    Default();
}

void CSkinButton::OnDestroy()
{
    CWnd::OnDestroy();
}
