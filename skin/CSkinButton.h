#pragma once
// A push button of the skin: shows one image of a strip of four stacked images (unused,
// normal, hover, pressed; magenta transparent), follows the mouse and tells its parent
// about it with WM_SKINBTN_HOVER and WM_SKINBTN_CLICK. What it is for is its parent's
// business, by its control identifier.
//
// The owner sets m_hCursorHover and m_strBitmap, then creates it with CreateEx as a
// visible child; only the position of the given rectangle counts, the size comes from
// the strip (its width, a quarter of its height).
#include "framework/window/CWnd.h"
#include <memory>

class CDC;
class CDIB;
class CDIBPalette;

class CSkinButton : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    enum State { stateNormal = 1, stateHover = 2, statePressed = 3 };

    CSkinButton();
    ~CSkinButton() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Draws the image of the current state at the origin of pDC.
    void DrawButton(CDC* pDC);

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

private:
    void LoadStrip();
    // Posts a notification with this button's identifier to its parent.
    void Notify(UINT message);
};
