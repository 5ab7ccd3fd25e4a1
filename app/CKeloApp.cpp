#include "app/CKeloApp.h"
#include "app/CChildFrame.h"
#include "app/CChildFrame0.h"
#include "app/CKeloDoc.h"
#include "app/CKeloView.h"
#include "settings/FolderScan.h"
#include "frame/CMainFrame.h"
#include "startpage/CPageMenu.h"
#include "framework/docview/CCommandLineInfo.h"
#include "framework/docview/CMultiDocTemplate.h"
#include "framework/core/FrameworkIds.h"
#include "settings/FolderScan.h"
#include "settings/SettingsFiles.h"
#include "resources/resource.h"
#include <objbase.h>

// The smallest screen width the 800 x 600 window fits in.
static const int kMinScreenWidth = 800;
// The display settings, through the system's own rundll32.exe: started by its full path, never
// a program of that name found first in the kiosk's or the current folder.
static const char kDisplaySettingsProgram[] = "\\rundll32.exe";
static const char kDisplaySettingsArguments[] = " shell32.dll,Control_RunDLL desk.cpl";
// Where the framework keeps the recent-file list, and its length.
static const char kRegistryKey[] = "Local AppWizard-Generated Applications";
static const UINT kRecentFiles = 4;

KELO_BEGIN_MESSAGE_MAP(CKeloApp, CWinApp)
    OnCmd<ID_FILE_NEW, &CWinApp::OnFileNew>(),
    OnCmd<ID_FILE_OPEN, &CWinApp::OnFileOpen>(),
KELO_END_MESSAGE_MAP()

CKeloApp::CKeloApp()
{
}

CKeloApp::~CKeloApp() = default;

BOOL CKeloApp::InitInstance()
{
    ::CoInitialize(nullptr);

    if (!CheckEnvironment())
        return FALSE;

    if (!LoadSettings())
        return FALSE;

    // The start page is an ActiveX web-browser control.
    AfxEnableControlContainer();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);
    AddDocTemplate(new CMultiDocTemplate(IDR_KELOTYPE, KELO_RUNTIME_CLASS(CKeloDoc), KELO_RUNTIME_CLASS(CChildFrame0),
                                         KELO_RUNTIME_CLASS(CKeloView)));
    m_pPageTemplate = std::make_unique<CMultiDocTemplate>(IDR_KELOTYPE, KELO_RUNTIME_CLASS(CKeloDoc),
                                                          KELO_RUNTIME_CLASS(CChildFrame), KELO_RUNTIME_CLASS(CPageMenu));

    // Known to the rest of the program while it is being created; it deletes itself with
    // its window.
    auto* pMainFrame = new CMainFrame;
    pMainFrame->m_wndSkinClient.SetHost(this);
    m_pMainWnd = pMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        m_pMainWnd = nullptr;
        return FALSE;
    }

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    pMainFrame->ShowWindow(m_nCmdShow);

    pMainFrame->m_wndSkinClient.ApplySkin();
    pMainFrame->m_wndSkinClient.RefreshScreen();

    return TRUE;
}

int CKeloApp::ExitInstance()
{
    ::CoUninitialize();
    m_pPageTemplate.reset();
    return CWinApp::ExitInstance();
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

    CollectFolders(m_settings.m_strExeDir + "SKINS", m_settings.m_astrSkinFolders);
    return TRUE;
}

BOOL CKeloApp::LoadSettings()
{
    ReadSettingsFiles(m_settings);
    return TRUE;
}

const CSkinSettings& CKeloApp::ReloadSettings()
{
    LoadSettings();
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
    OnFileNew();
}
