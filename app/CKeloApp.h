#pragma once
// The application object: checks the screen, lays out the folders, reads the settings
// and builds the main window.
#include "app/CSkinSettings.h"
#include "framework/CWinApp.h"

class CMainFrame;

class CKeloApp : public CWinApp
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CKeloApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Program folder, screen check and skin folder list; FALSE when the screen is too narrow.
    BOOL CheckEnvironment();
    // Reads every settings file into m_settings; always TRUE.
    BOOL LoadSettings();
    // Resource, video and skin base folders from the application and program folders.
    void DeriveFolders();

    // The main frame, also the framework's main window; it deletes itself with its window.
    CMainFrame* m_pMainFrame = nullptr;
    CSkinSettings m_settings;
    BOOL m_bLoadStartPage = TRUE;
};

extern CKeloApp theApp;
