#include "app/CKeloApp.h"
#include "app/CBackdropWnd.h"
#include "app/CChildFrame.h"
#include "app/CChildFrame0.h"
#include "app/CKeloDoc.h"
#include "app/CKeloView.h"
#include "app/CKeyPolicy.h"
#include "app/StartupTrace.h"
#include "settings/FolderScan.h"
#include "frame/CMainFrame.h"
#include "links/CLinkCommandRunner.h"
#include "startpage/CPageMenu.h"
#include "framework/docview/CCommandLineInfo.h"
#include "framework/docview/CMultiDocTemplate.h"
#include "framework/core/FrameworkIds.h"
#include "settings/SettingsFiles.h"
#include "videoplayer/CVideoPlayer.h"
#include "resources/resource.h"
#include <objbase.h>
#include <imm.h>

// The smallest screen width the 800 x 600 window fits in.
static const int kMinScreenWidth = 800;
// The display settings, through the system's own rundll32.exe: started by its full path, never
// a program of that name found first in the kiosk's or the current folder.
static const char kDisplaySettingsProgram[] = "\\rundll32.exe";
static const char kDisplaySettingsArguments[] = " shell32.dll,Control_RunDLL desk.cpl";
// Where the framework keeps the recent-file list, and its length.
static const char kRegistryKey[] = "Local AppWizard-Generated Applications";
static const UINT kRecentFiles = 4;
// ImmDisableIME's thread for every thread of the process.
static const DWORD kAllThreads = static_cast<DWORD>(-1);
// How long the end of the program waits for the links' workers.
static const DWORD kLinkWorkersExitMs = 2000;

namespace
{
// A button pressed or a key struck, anywhere on Kelo's windows (its frame answers as a
// caption, so presses on it arrive as non-client ones).
bool IsVisitorPress(UINT nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return true;
    default:
        return false;
    }
}
} // namespace

// No file command: a kiosk makes no document and opens no file on a visitor's request.
KELO_BEGIN_MESSAGE_MAP(CKeloApp, CWinApp)
KELO_END_MESSAGE_MAP()

CKeloApp::CKeloApp()
{
}

CKeloApp::~CKeloApp() = default;

BOOL CKeloApp::InitInstance()
{
    StartupMark("program loaded");
    // No input method: a kiosk takes no typed text, and an input method's composition and
    // candidate windows, opened by its keys, are windows the kiosk did not plan. Before the
    // first window, so that none of Kelo's windows gets one: the set-up each activation
    // would give it no longer comes before the first paint.
    ::ImmDisableIME(kAllThreads);
    if (!CheckEnvironment())
        return FALSE;
    StartupMark("screen check");

    if (!LoadSettings())
        return FALSE;
    StartupMark("settings");

    // The start page is an ActiveX web-browser control.
    AfxEnableControlContainer();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);
    AddDocTemplate(new CMultiDocTemplate(IDR_KELOTYPE, KELO_RUNTIME_CLASS(CKeloDoc), KELO_RUNTIME_CLASS(CChildFrame0),
                                         KELO_RUNTIME_CLASS(CKeloView)));
    m_pPageTemplate = std::make_unique<CMultiDocTemplate>(IDR_KELOTYPE, KELO_RUNTIME_CLASS(CKeloDoc),
                                                          KELO_RUNTIME_CLASS(CChildFrame), KELO_RUNTIME_CLASS(CPageMenu));
    StartupMark("control container, recent files, templates");

    // The backdrop owns the main frame, which so stays above it.
    if (m_settings.m_bBackdrop) {
        m_pBackdrop = std::make_unique<CBackdropWnd>();
        if (!m_pBackdrop->Create(m_settings.m_crBackdrop))
            m_pBackdrop.reset();
    }
    // Known to the rest of the program while it is being created; it deletes itself with
    // its window.
    auto* pMainFrame = new CMainFrame;
    pMainFrame->m_wndSkinClient.SetHost(this);
    m_pMainWnd = pMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, m_pBackdrop.get())) {
        m_pMainWnd = nullptr;
        return FALSE;
    }
    if (m_pBackdrop) {
        m_pBackdrop->Show();
        ::SetWindowPos(pMainFrame->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        g_videoPlayer.SetAboveBackdrop(TRUE);
    }
    StartupMark("main frame");

    // The skin takes the settings just read as they are: nothing has changed them since.
    // Loaded while the window is hidden, its buttons are made in a window not yet on the
    // screen, and the window's first paint is the skin's.
    m_bSettingsFresh = TRUE;
    pMainFrame->m_wndSkinClient.LoadSkin();
    StartupMark("skin loaded");
    // The skin is on the screen before the documents, the page frame and the browser
    // control are made: the window shows at once, the page follows in the inner rectangle.
    pMainFrame->ShowWindow(m_nCmdShow);
    StartupMark("window shown");
    pMainFrame->UpdateWindow();
    StartupMark("skin painted");
    pMainFrame->m_wndSkinClient.ShowButtons();

    // Only the launcher menu lists the skin folders, and it opens from the message loop.
    CollectFolders(m_settings.m_strExeDir + "SKINS", m_settings.m_astrSkinFolders);
    StartupMark("skin folder scan");

    // COM is first needed by the page frame's browser control and picture decoders.
    m_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    StartupMark("first document and its frames");

    pMainFrame->m_wndSkinClient.PlacePage();
    StartupMark("page frame placed, start page loaded");
    pMainFrame->m_wndSkinClient.RefreshScreen();
    StartupMark(KELO_STARTUP_DONE);
    return TRUE;
}

int CKeloApp::ExitInstance()
{
    // A link's worker may still post and hand out video names: it ends before what it
    // uses goes.
    CLinkCommandRunner::WaitForWorkers(kLinkWorkersExitMs);
    if (m_pBackdrop) {
        m_pBackdrop->DestroyWindow();
        m_pBackdrop.reset();
    }
    if (m_bComInitialized)
        ::CoUninitialize();
    m_bComInitialized = FALSE;
    m_pPageTemplate.reset();
    return CWinApp::ExitInstance();
}

BOOL CKeloApp::PreTranslateMessage(MSG* pMsg)
{
    // A click or key on Kelo brings its window in front of a playing video, which would
    // then play on hidden: the player goes back in front of it.
    if (IsVisitorPress(pMsg->message))
        g_videoPlayer.BringPlayerToFront();
    if (CKeyPolicy::Drops(*pMsg))
        return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

BOOL CKeloApp::CheckEnvironment()
{
    // The help file path is the program file's full path with another extension.
    int nSlash = m_strHelpFilePath.ReverseFind('\\');
    m_settings.m_strExeDir = m_strHelpFilePath.Left(nSlash) + "\\";
    m_settings.m_strAppDir = m_settings.m_strExeDir;

    if (::GetSystemMetrics(SM_CXSCREEN) < kMinScreenWidth) {
        AfxMessageBox(IDS_LOW_RESOLUTION, MB_OK);
        char szSystem[MAX_PATH];
        UINT nLength = ::GetSystemDirectoryA(szSystem, MAX_PATH);
        if (nLength > 0 && nLength < MAX_PATH)
            ::WinExec("\"" + CString(szSystem) + kDisplaySettingsProgram + "\"" + kDisplaySettingsArguments, SW_SHOW);
        return FALSE;
    }
    return TRUE;
}

BOOL CKeloApp::LoadSettings()
{
    ReadSettingsFiles(m_settings);
    return TRUE;
}

const CSkinSettings& CKeloApp::ReloadSettings()
{
    if (!m_bSettingsFresh)
        LoadSettings();
    m_bSettingsFresh = FALSE;
    return m_settings;
}

void CKeloApp::SaveSkinChoice(const CString& strName)
{
    WriteSkinChoice(m_settings.m_strExeDir, strName);
}

void CKeloApp::DeriveFolders()
{
    ::DeriveFolders(m_settings);
}

CMainFrame* CKeloApp::GetMainFrame() const
{
    return KELO_DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
}

void CKeloApp::RenewPage()
{
    CloseAllDocuments(TRUE);
    StartupMark("first document closed");
    OnFileNew();
    StartupMark("fresh document and page frame");
}
