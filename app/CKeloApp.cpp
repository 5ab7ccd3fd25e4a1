#include "app/CKeloApp.h"
#include "app/FolderScan.h"
#include "frame/CMainFrame.h"
#include "resources/resource.h"
#include <objbase.h>

// The smallest screen width the 800 x 600 window fits in.
static const int kMinScreenWidth = 800;
static const char kDisplaySettingsCommand[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl";

KELO_BEGIN_MESSAGE_MAP(CKeloApp, CWinApp)
KELO_END_MESSAGE_MAP()

CKeloApp::CKeloApp()
{
}

BOOL CKeloApp::InitInstance()
{
    ::CoInitialize(nullptr);

    if (!CheckEnvironment())
        return FALSE;

    if (!LoadSettings())
        return FALSE;

    // Known to the rest of the program while it is being created.
    m_pMainFrame = new CMainFrame;
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        m_pMainFrame = nullptr;
        return FALSE;
    }
    m_pMainWnd = m_pMainFrame;

    m_pMainFrame->ShowWindow(m_nCmdShow);

    m_pMainFrame->m_wndSkinClient.ApplySkin();
    m_pMainFrame->m_wndSkinClient.RefreshScreen();

    return TRUE;
}

int CKeloApp::ExitInstance()
{
    ::CoUninitialize();
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
        ::WinExec(kDisplaySettingsCommand, SW_SHOW);
        return FALSE;
    }

    CollectFolders(m_settings.m_strExeDir + "SKINS", m_settings.m_astrSkinFolders);
    return TRUE;
}
