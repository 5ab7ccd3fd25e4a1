#pragma once
// A push button of the skin: shows one image of a strip of four stacked images (unused,
// normal, hover, pressed; magenta transparent), follows the mouse and tells its parent
// about it with WM_SKINBTN_HOVER and WM_SKINBTN_CLICK. What it is for is its parent's
// business, by its control identifier.
//
// The owner sets m_hCursorHover and m_strBitmap, then creates it with CreateEx as a
// child, visible or shown later; only the position of the given rectangle counts, the size comes from
// the strip (its width, a quarter of its height). Or the owner places it first (Place), so
// that its face can be painted before its window is made (CreatePlaced).
//
// On the skin window (m_pBackdrop set) a button composes its face, the skin behind it and
// the image of its state, once per state change, and a repaint copies it in one transfer.
// On any other parent it composes on each paint whatever the parent prints behind it.
#include "framework/window/CWnd.h"
#include <memory>

class CDC;
class CDIB;
class CDIBPalette;
class CMemDC;
class CSkinBackdrop;

class CSkinButton : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    enum State { stateNormal = 1, stateHover = 2, statePressed = 3 };

    CSkinButton();
    ~CSkinButton() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Loads the strip and keeps the button's place and identifier in its parent: PaintFace
    // paints the face there before the window exists.
    void Place(CPoint ptPlace, UINT nID);
    // Makes the window of a placed button, visible, as a child of pParent.
    BOOL CreatePlaced(CWnd* pParent);

    // Draws the image of the current state at the origin of pDC.
    void DrawButton(CDC* pDC);
    // Draws the face, the skin behind the button and its image, at the button's place in
    // its parent's pDC; nothing without backdrop.
    void PaintFace(CDC* pDC);

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnPaint();
    // Composes the background and the image off screen, then one transfer.
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnDestroy();

    HCURSOR m_hCursorHover;
    std::unique_ptr<CDIB> m_pBitmap;
    std::unique_ptr<CDIBPalette> m_pPalette;
    int m_nState = stateNormal;
    CString m_strBitmap;
    // The skin behind the button, or null; set by the owner, which outlives the button.
    const CSkinBackdrop* m_pBackdrop = nullptr;

private:
    // The last face composed, and what it was composed from.
    std::unique_ptr<CMemDC> m_pFace;
    int m_nFaceState = 0;
    UINT m_nFaceVersion = 0;
    CRect m_rcFace;
    CPoint m_ptPlace;
    UINT m_nPlacedID = 0;

    void LoadStrip();
    // The face's rectangle in the parent's client area: the window's, or before the window
    // is made, the strip's image at the place given.
    CRect FaceRect() const;
    // One image of the loaded strip: its width, a quarter of its height.
    CSize FaceSize() const;
    // Brings m_pFace up to the current state, place and backdrop; FALSE without backdrop.
    BOOL ComposeFace();
    // Posts a notification with this button's identifier to its parent.
    void Notify(UINT message);
};
