#pragma once
// Everything the settings files say, plus the folder layout and the list of skin folders.
// Folder strings end in a backslash unless empty.
#include "framework/core/CString.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CUIntArray.h"
#include "settings/PageViewChoice.h"

class CSkinSettings
{
public:
    CString m_strExeDir;    // program folder
    CString m_strAppDir;    // program folder + "Appli" + "\"
    CString m_strResDir;    // application folder + "RES\"
    CString m_strVideoDir;  // application folder + "VIDEOS\" (where Video.ini lives)
    CString m_strSkinDir;   // program folder + "SKINS\" + skin + "\", or empty
    CString m_strAppName;   // last component of "Appli"; names the layout file
    PageViewChoice m_nPageView = PAGE_VIEW_AUTOMATIC;   // Kelo.ini: Generalite / Page
    // Kelo.ini: Generalite / Fond, "#rrggbb": the colour of the backdrop over the whole
    // desktop; without it (or with any other value) there is no backdrop.
    BOOL m_bBackdrop = FALSE;
    COLORREF m_crBackdrop = 0;
    // Kelo.ini: Generalite / Retour: seconds without input after which the page view shows
    // the start page again; 0 (absent, or not a positive number): never.
    UINT m_nIdleReturnSeconds = 0;

    // Skin.ini, section Menu: top-left corners of the buttons, and where the menu opens.
    int m_nBtMenuX = 0, m_nBtMenuY = 0;
    int m_nBtMiniX = 0, m_nBtMiniY = 0;
    int m_nBtQuitX = 0, m_nBtQuitY = 0;
    int m_nMenuX = 0, m_nMenuY = 0;
    int m_nBtAccueilX = 0, m_nBtAccueilY = 0;
    int m_nBtPrevX = 0, m_nBtPrevY = 0;
    int m_nBtNextX = 0, m_nBtNextY = 0;

    // Layout file, section Video.
    int m_nVideoX = 0, m_nVideoY = 0;
    int m_nSliderX = 0, m_nSliderY = 0;
    int m_nBtSliderPlayX = 0, m_nBtSliderPlayY = 0;
    int m_nBtSliderPauseX = 0, m_nBtSliderPauseY = 0;
    int m_nBtSliderStopX = 0, m_nBtSliderStopY = 0;
    int m_nBtSliderImgPrevX = 0, m_nBtSliderImgPrevY = 0;
    int m_nBtSliderImgNextX = 0, m_nBtSliderImgNextY = 0;
    int m_nCadreNImagageX = 0, m_nCadreNImagageY = 0;

    // Layout file, section Texte: left, top, right, bottom.
    RECT m_rcTxt1 = {0, 0, 0, 0};
    RECT m_rcTxt2 = {0, 0, 0, 0};

    // Video.ini, section Generalite.
    int m_nRalenti = 0;
    CUIntArray m_aPauses;   // 0, the numbers of "Pauses", 999

    BOOL m_bCadreVideo = FALSE;   // layout file: Video / "Cadre Video" nonzero

    CStringArray m_astrSkinFolders;   // every folder below the program folder's SKINS

    // Colours (COLORREF, red in the low byte) from Skin.ini.
    COLORREF m_crEcran = 0;
    COLORREF m_crMenuFond = 0;
    COLORREF m_crMenuBord = 0;
    COLORREF m_crMenuTxt = 0;
    COLORREF m_crAccueilTxt = 0;
    COLORREF m_crAccueilTxtGris = 0;
    COLORREF m_crAccueilTxtSurvol = 0;
    COLORREF m_crAccueilTxtClic = 0;
    COLORREF m_crAccueilTxtTitre = 0;
};
