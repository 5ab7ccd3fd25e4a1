#pragma once
// The single application object: start-up, the message loop and shutdown, the document
// templates with the file commands, the command line and the recent-file list.
#include "framework/window/CCmdTarget.h"
#include "framework/core/AfxGlobals.h"
#include "framework/core/CString.h"
#include <memory>

class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

class CWinApp : public CCmdTarget
{
    KELO_DECLARE_DYNAMIC(CWinApp)
    KELO_DECLARE_MESSAGE_MAP()

public:
    // Without a name the application's title comes from string resource IDS_APP_TITLE.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop. Whatever ends it (WM_QUIT included), every document is closed and
    // the main window destroyed before ExitInstance, whose result it returns.
    virtual int Run();
    // Called once the loop has ended, and also when InitInstance failed; saves the
    // recent-file list.
    virtual int ExitInstance();
    // Offers a message to the windows from its target up to the main window first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CWnd* GetMainWnd() const { return m_pMainWnd; }

    // Sets the module, command line and show command, and the names derived from the
    // module's path: the title, the program's name and the help file path.
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    // Documents: the application owns the templates it is given.
    void AddDocTemplate(CDocTemplate* pTemplate);
    CDocManager* GetDocManager() const { return m_pDocManager.get(); }
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    // The file commands, for the application's command map: a new document of the first
    // template; a document from the file chosen in the open dialog.
    void OnFileNew();
    void OnFileOpen();

    // Settings go below HKEY_CURRENT_USER\Software\<lpszRegistryKey>\<application name>.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    // The registry key path of the application's settings, empty without SetRegistryKey.
    CString GetAppRegistryKey() const;
    // The recent-file list of nMaxMRU entries, read from the registry (in memory only
    // without a registry key); ExitInstance writes it back.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    // The command line given to SetCurrentHandles, parsed into rCmdInfo.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Does what rCmdInfo asks: a new document (through the command map's ID_FILE_NEW) or
    // the file opened. FALSE when the file cannot be opened, or no main window is left.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;      // the title
    CString m_strExeName;      // the program file's name without extension
    CString m_strHelpFilePath; // the program file's full path with the extension .HLP
    int m_nExitCode = 0;       // wParam of WM_QUIT

    // Closes every document and destroys the main window; the quit this posts is dropped,
    // the program is ending already. Run and AfxWinMain call it before ExitInstance.
    void CloseWindowsBeforeExit();

protected:
    void OnAppExit();

private:
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CString m_strRegistryKey;
};

// The framework's entry point, called by the program's WinMain.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
