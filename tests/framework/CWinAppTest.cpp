#include "framework/docview/CWinApp.h"
#include "framework/window/CWnd.h"
#include "framework/core/FrameworkIds.h"
#include "support/CDialogAnswerer.h"
#include "support/TestWindowClass.h"
#include <gtest/gtest.h>
#include <vector>

namespace
{
class CTestApp : public CWinApp
{
public:
    explicit CTestApp(BOOL bInitResult) : CWinApp("Application d'essai"), m_bInitResult(bInitResult) {}

    BOOL InitInstance() override
    {
        m_calls.push_back("InitInstance");
        if (!m_bInitResult)
            return FALSE;
        // A main window that ends the program through the framework's exit command.
        m_pMainWnd = &m_wnd;
        if (!m_wnd.CreateEx(0, PlainTestWindowClass(), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr))
            return FALSE;
        ::PostMessageA(m_wnd.m_hWnd, WM_COMMAND, ID_APP_EXIT, 0);
        return TRUE;
    }

    int ExitInstance() override
    {
        m_calls.push_back("ExitInstance");
        return CWinApp::ExitInstance() + 40;
    }

    // The main window routes commands it does not handle to the application.
    class CMainWnd : public CWnd
    {
    public:
        BOOL OnCmdMsg(UINT nID, UINT nCode) override
        {
            return CWnd::OnCmdMsg(nID, nCode) || AfxGetApp()->OnCmdMsg(nID, nCode);
        }
    };

    BOOL m_bInitResult;
    CMainWnd m_wnd;
    std::vector<std::string> m_calls;
};
} // namespace

TEST(CWinApp, ExitInstanceRunsAlsoWhenInitInstanceFails)
{
    CTestApp app(FALSE);
    ASSERT_EQ(&app, AfxGetApp());
    EXPECT_EQ(40, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
    EXPECT_EQ((std::vector<std::string>{"InitInstance", "ExitInstance"}), app.m_calls);
}

TEST(CWinApp, ExitCommandClosesTheMainWindowAndEndsTheLoop)
{
    CTestApp app(TRUE);
    ASSERT_EQ(&app, AfxGetApp());
    EXPECT_EQ(40, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
    EXPECT_EQ((std::vector<std::string>{"InitInstance", "ExitInstance"}), app.m_calls);
    EXPECT_EQ(nullptr, app.m_wnd.m_hWnd);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_STREQ("Application d'essai", app.m_strAppName);
}

TEST(CWinApp, NamesComeFromTheProgramFile)
{
    CWinApp app;
    app.SetCurrentHandles(::GetModuleHandleA(nullptr), nullptr, SW_SHOW);
    char szPath[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString strPath(szPath);
    EXPECT_EQ(strPath.Left(strPath.ReverseFind('.')) + ".HLP", app.m_strHelpFilePath);
    EXPECT_EQ(CString("test_framework"), app.m_strExeName);
    // Without a name, the title string of the resources.
    EXPECT_STREQ("Vid\xe9os de d\xe9monstration", app.m_strAppName);
}

TEST(AfxMessageBox, ShowsTheTextWithTheApplicationTitle)
{
    CWinApp app("Titre \xe9t\xe9");
    CDialogAnswerer answerer(IDNO);
    int nResult = AfxMessageBox("Voulez-vous quitter ?", MB_YESNO);
    answerer.Join();
    EXPECT_EQ(IDNO, nResult);
    EXPECT_STREQ("Voulez-vous quitter ?", answerer.Text());
    EXPECT_STREQ("Titre \xe9t\xe9", answerer.Caption());
}
