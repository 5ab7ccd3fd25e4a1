#include "framework/docview/CWinApp.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CCommandLineInfo.h"
#include "framework/docview/CDocManager.h"
#include "framework/docview/CRecentFileList.h"
#include "framework/window/CWnd.h"
#include "framework/core/FrameworkIds.h"
#include <vector>

namespace
{
CWinApp* g_pApp = nullptr;

// The main window's end is the program's end.
void EndWithMainWnd(CWnd* pWnd)
{
    if (g_pApp && g_pApp->m_pMainWnd == pWnd) {
        g_pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}
} // namespace

KELO_IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

KELO_BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    OnCmd<ID_APP_EXIT, &CWinApp::OnAppExit>(),
KELO_END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_strAppName(lpszAppName)
{
    // The first application object is the application; tests may make more.
    if (!g_pApp) {
        g_pApp = this;
        CWnd::SetEndHook(&EndWithMainWnd);
    }
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        g_pApp = nullptr;
        CWnd::SetEndHook(nullptr);
    }
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;

    CString strPath = AfxGetModuleFileName(hInstance);
    CString strName = strPath.Mid(strPath.ReverseFind('\\') + 1);
    int nDot = strName.ReverseFind('.');
    m_strExeName = nDot >= 0 ? strName.Left(nDot) : strName;
    int nPathDot = strPath.ReverseFind('.');
    m_strHelpFilePath = (nPathDot > strPath.ReverseFind('\\') ? strPath.Left(nPathDot) : strPath) + ".HLP";
    if (m_strAppName.IsEmpty() && !m_strAppName.LoadString(IDS_APP_TITLE))
        m_strAppName = m_strExeName;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL bRet = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bRet == 0 || bRet == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    CloseWindowsBeforeExit();
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    CString strAppKey = GetAppRegistryKey();
    if (m_pRecentFileList && !strAppKey.IsEmpty())
        m_pRecentFileList->WriteList(strAppKey);
    return m_nExitCode;
}

void CWinApp::CloseWindowsBeforeExit()
{
    CloseAllDocuments(TRUE);
    if (m_pMainWnd && m_pMainWnd->m_hWnd) {
        m_pMainWnd->DestroyWindow();
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!m_pDocManager)
        m_pDocManager.reset(new CDocManager);
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager)
        m_pDocManager->OnFileOpen();
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
}

CString CWinApp::GetAppRegistryKey() const
{
    if (m_strRegistryKey.IsEmpty())
        return CString();
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppName;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_pRecentFileList.reset(new CRecentFileList("Recent File List", static_cast<int>(nMaxMRU)));
    CString strAppKey = GetAppRegistryKey();
    if (!strAppKey.IsEmpty())
        m_pRecentFileList->ReadList(strAppKey);
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    rCmdInfo.ParseArguments(m_lpCmdLine);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    HWND hWndStop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            return FALSE;
    }
    // Messages of windows outside the main window still see its accelerators.
    return m_pMainWnd && m_pMainWnd->PreTranslateMessage(pMsg);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

CString AfxGetModuleFileName(HMODULE hModule)
{
    std::vector<char> path(32768);
    DWORD nLength = ::GetModuleFileNameA(hModule, path.data(), static_cast<DWORD>(path.size()));
    return CString(path.data(), static_cast<int>(nLength));
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

CString AfxGetAppTitle()
{
    CString strTitle;
    if (g_pApp)
        strTitle = g_pApp->m_strAppName;
    if (strTitle.IsEmpty())
        strTitle.LoadString(IDS_APP_TITLE);
    return strTitle;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CString strCaption = AfxGetAppTitle();

    // Owned by the main window, from whichever thread, so that the box stays in front of
    // it. A box leaves a disabled owner disabled.
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndOwner = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxA(hWndOwner, lpszText ? lpszText : "", strCaption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strText;
    strText.LoadString(nIDPrompt);
    return AfxMessageBox(strText, nType, nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    if (!pApp->InitInstance()) {
        pApp->CloseWindowsBeforeExit();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
