#pragma once
// The single application object: start-up, the message loop and shutdown.
#include "framework/CCmdTarget.h"
#include "framework/AfxGlobals.h"
#include "framework/CString.h"

class CWnd;

class CWinApp : public CCmdTarget
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Without a name the application's title comes from string resource IDS_APP_TITLE.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop; returns ExitInstance's result when WM_QUIT arrives.
    virtual int Run();
    // Called once the loop has ended, and also when InitInstance failed.
    virtual int ExitInstance();
    // Offers a message to the windows from its target up to the main window first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CWnd* GetMainWnd() const { return m_pMainWnd; }

    // Sets the module, command line and show command, and the names derived from the
    // module's path: the title, the program's name and the help file path.
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;      // the title
    CString m_strExeName;      // the program file's name without extension
    CString m_strHelpFilePath; // the program file's full path with the extension .HLP
    int m_nExitCode = 0;       // wParam of WM_QUIT

protected:
    void OnAppExit();
};

// The framework's entry point, called by the program's WinMain.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
