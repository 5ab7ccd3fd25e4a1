#pragma once
// The skin window: the main frame's MDI client, subclassed. It paints the whole client
// area (four border bitmaps of the current skin around an inner rectangle in the screen
// colour, double-buffered), owns the skin buttons and answers their notifications, is
// transparent to hit-testing so that the skin drags the main window, and keeps the start
// page's frame inside the inner rectangle. What it does not handle goes on to the MDI
// client, so the child frames keep working.
//
// The skin is composed once per skin (and again only if the client area changes size)
// into a back buffer: a repaint copies its update region from there, and the buttons take
// the skin behind them from the same buffer.
#include "framework/window/CWnd.h"
#include "skin/CSkinBackdrop.h"
#include "skin/CSkinHost.h"
#include <memory>

class CDC;
class CDIB;
class CDIBPainter;
class CDIBPalette;
class CMemDC;
class CSkinButton;

class CSkinClientWnd : public CWnd, public CSkinBackdrop
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CSkinClientWnd();
    ~CSkinClientWnd() override;

    // The program around the skin window; set before the first LoadSkin.
    void SetHost(CSkinHost* pHost) { m_pHost = pHost; }

    // Reads the settings again and rebuilds bitmaps, palette, painter and buttons. The
    // buttons' windows are made by ShowButtons: on a window already on the screen at once;
    // on a window not yet shown its first paint draws their faces in their place, one paint
    // for the whole skin, and ShowButtons makes them after it.
    void LoadSkin();
    void ShowButtons();
    // LoadSkin, then PlacePage.
    void ApplySkin();
    // A fresh document whose page frame goes into the inner rectangle.
    void PlacePage();
    // Shows the page frame and repaints the whole skin.
    void RefreshScreen();
    // The launcher menu at the skin's menu position: "Styles :" lists the skin folders,
    // "&Quitter" closes the application. Returns once the choice is carried out.
    void ShowLauncherMenu();

    LRESULT OnButtonHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonClick(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    // The skin into another DC, as a repaint would put it on the screen.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    BOOL CopyBackdrop(CDC* pDC, int x, int y, const RECT& rcSkin) const override;
    UINT GetBackdropVersion() const override { return m_nBackVersion; }

    std::unique_ptr<CDIBPalette> m_pPalette;
    std::unique_ptr<CDIB> m_pGauche;
    std::unique_ptr<CDIB> m_pDroit;
    std::unique_ptr<CDIB> m_pHaut;
    std::unique_ptr<CDIB> m_pBas;
    std::unique_ptr<CDIBPainter> m_pPainter;
    CRect m_rcInner;
    std::unique_ptr<CSkinButton> m_pBtMenu;
    std::unique_ptr<CSkinButton> m_pBtMini;
    std::unique_ptr<CSkinButton> m_pBtQuit;

private:
    CSkinHost* m_pHost = nullptr;
    // The composed skin, the client area's size; null until a skin is loaded.
    std::unique_ptr<CMemDC> m_pBack;
    UINT m_nBackVersion = 0;
    // Whether the buttons are shown, or still drawn by the skin's own paint.
    BOOL m_bButtonsShown = FALSE;

    // The inner rectangle's colour: the skin's screen colour.
    COLORREF ScreenColor() const;

    // Records the skin named strName in both choice files, then rebuilds the whole screen.
    void ChooseSkin(const CString& strName);
    // Deletes the owned objects, in the order they were listed.
    void FreeSkin();
    // Composes the borders around the inner rectangle into a new back buffer of the
    // client area's size.
    void ComposeSkin();
    // The part rc of the client area: the composed skin with the faces of buttons not yet
    // shown, or the screen colour alone before the first LoadSkin.
    void PaintClient(CDC* pDC, const RECT& rc);
    // A button of the current skin folder's strip pszFile placed at (x, y), its window not
    // yet made.
    std::unique_ptr<CSkinButton> CreateButton(const char* pszFile, int x, int y, UINT nID);
};
