#pragma once
// The skin window: the main frame's MDI client, subclassed. It paints the whole client
// area (four border bitmaps of the current skin around an inner rectangle in the screen
// colour, double-buffered), owns the skin buttons and answers their notifications, is
// transparent to hit-testing so that the skin drags the main window, and keeps the start
// page's frame inside the inner rectangle. What it does not handle goes on to the MDI
// client, so the child frames keep working.
#include "framework/window/CWnd.h"
#include "skin/CSkinHost.h"
#include <memory>

class CDC;
class CDIB;
class CDIBPainter;
class CDIBPalette;
class CSkinButton;

class CSkinClientWnd : public CWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CSkinClientWnd();
    ~CSkinClientWnd() override;

    // The program around the skin window; set before the first LoadSkin.
    void SetHost(CSkinHost* pHost) { m_pHost = pHost; }

    // Reads the settings again and rebuilds bitmaps, palette, painter and buttons.
    void LoadSkin();
    // LoadSkin, then a fresh document whose page frame goes into the inner rectangle.
    void ApplySkin();
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
    // The skin into another DC: the buttons put it behind their transparent pixels.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    // Composes the whole client area off screen and copies it to pDC in one transfer.
    void DrawSkin(CDC* pDC);

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

    // The inner rectangle's colour: the skin's screen colour.
    COLORREF ScreenColor() const;

    // Records the skin named strName in both choice files, then rebuilds the whole screen.
    void ChooseSkin(const CString& strName);
    // Deletes the owned objects, in the order they were listed.
    void FreeSkin();
    // The skin, or the screen colour alone before the first LoadSkin.
    void PaintClient(CDC* pDC);
    // A button of the current skin folder's strip pszFile at (x, y).
    std::unique_ptr<CSkinButton> CreateButton(const char* pszFile, int x, int y, UINT nID);
};
