#pragma once
// The application object: checks the screen, lays out the folders, reads the settings
// and builds the main window.
#include "settings/CSkinSettings.h"
#include "skin/CSkinHost.h"
#include "framework/docview/CWinApp.h"
#include <memory>

class CBackdropWnd;
class CFrameWnd;
class CMainFrame;
class CMultiDocTemplate;

class CKeloApp : public CWinApp, public CSkinHost
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CKeloApp();
    ~CKeloApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Every message of the loop passes the key policy (CKeyPolicy) first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Program folder and screen check; FALSE when the screen is too narrow. The skin folder
    // list is made once the skin is on the screen.
    BOOL CheckEnvironment();
    // Reads every settings file into m_settings; always TRUE.
    BOOL LoadSettings();
    // Resource, video and skin base folders from the application and program folders.
    void DeriveFolders();
    // The main frame, which is the framework's main window, or null when there is none.
    CMainFrame* GetMainFrame() const;

    // What the skin window asks of the application.
    const CSkinSettings& GetSettings() const override { return m_settings; }
    const CSkinSettings& ReloadSettings() override;
    // Records the skin folder named strName as the choice LoadSettings reads, and in the
    // start page's script.
    void SaveSkinChoice(const CString& strName) override;
    void RenewPage() override;
    CFrameWnd* GetPageFrame() const override { return m_pPageFrame; }
    // The template of the page frame (document, CChildFrame and the page view), not
    // registered with the document manager.
    CMultiDocTemplate* GetPageTemplate() const { return m_pPageTemplate.get(); }

    std::unique_ptr<CMultiDocTemplate> m_pPageTemplate;
    // The window over the desktop around the main frame, when the settings ask for one.
    std::unique_ptr<CBackdropWnd> m_pBackdrop;
    // The frame that shows the start page, set each time a document is made; the frame
    // clears it when it goes.
    CFrameWnd* m_pPageFrame = nullptr;
    CSkinSettings m_settings;

private:
    // Whether CoInitialize succeeded, for the CoUninitialize that pairs with it.
    BOOL m_bComInitialized = FALSE;
    // Set once the settings are read at start-up, until the skin's reload takes them.
    BOOL m_bSettingsFresh = FALSE;
};

extern CKeloApp theApp;
