// Kelo.exe on a screen too narrow (799 pixels) and just wide enough (800). Run by
// screen_check.sh, each case in an X screen of its own width.
#include "framework/ScopedWin.h"
#include "support/CTempFolder.h"
#include "support/ProgramStart.h"
#include "support/TestPaths.h"
#include "support/DialogProbe.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace
{
const char kNarrowMessage[] =
    "Ce programme n\xe9" "cessite une r\xe9solution minimale de 800x600 !\n\n"
    "Apr\xe8s ce message, la bo\xeete 'Propri\xe9t\xe9s de l'Affichage' appara\xeetra.\n\n"
    "Dans son onglet 'Configuration', r\xe9glez l'Espace du Bureau sur '800 par 600 pixels' "
    "et validez par 'Appliquer'.";
const char kTitle[] = "Vid\xe9os de d\xe9monstration";

// A program folder holding Kelo.exe and the stand-in for rundll32.exe.
class ScreenCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileTo(WindowsPathOf(KELO_EXE), m_folder.Path() + "Kelo.exe"));
        ASSERT_TRUE(CopyFileTo(WindowsPathOf(FAKE_RUNDLL32_EXE), m_folder.Path() + "rundll32.exe"));
    }

    void TearDown() override
    {
        if (m_process.IsValid() && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process, 1);
            ::WaitForSingleObject(m_process, 5000);
        }
    }

    void StartKelo()
    {
        m_process = StartProgram(m_folder.Path() + "Kelo.exe", m_folder.Path(), &m_dwProcessId);
        ASSERT_TRUE(m_process.IsValid());
    }

    std::string ReadLog() const
    {
        std::ifstream file((m_folder.Path() + "rundll32.log").GetString());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    CTempFolder m_folder{"kelo-screen"};
    ScopedHandle m_process;
    DWORD m_dwProcessId = 0;
};
} // namespace

TEST_F(ScreenCheck, NarrowScreenShowsTheMessageOpensDisplaySettingsAndEnds)
{
    ASSERT_EQ(799, ::GetSystemMetrics(SM_CXSCREEN));
    StartKelo();

    HWND hWndBox = WaitForTopLevelWindow(m_dwProcessId, "#32770", 15000);
    ASSERT_NE(nullptr, hWndBox) << "no message box";
    char szCaption[256] = {};
    ::GetWindowTextA(hWndBox, szCaption, sizeof(szCaption));
    EXPECT_STREQ(kTitle, szCaption);
    EXPECT_STREQ(kNarrowMessage, GetDialogStaticText(hWndBox));
    // The display settings wait for the message to be read.
    EXPECT_EQ("", ReadLog());

    ::PostMessageA(hWndBox, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_process, 15000)) << "Kelo did not end";
    DWORD dwExitCode = 0;
    ::GetExitCodeProcess(m_process, &dwExitCode);

    // rundll32 runs on its own; give it a moment to write its log.
    std::string strLog;
    for (int i = 0; i < 100 && strLog.empty(); ++i, ::Sleep(100))
        strLog = ReadLog();
    EXPECT_EQ("shell32.dll,Control_RunDLL desk.cpl\n5\n", strLog);
}

TEST_F(ScreenCheck, WideEnoughScreenStartsWithoutMessage)
{
    ASSERT_EQ(800, ::GetSystemMetrics(SM_CXSCREEN));
    StartKelo();

    // The main window fills the screen's width exactly.
    HWND hWndMain = WaitForTopLevelWindow(m_dwProcessId, nullptr, 15000);
    ASSERT_NE(nullptr, hWndMain);
    RECT rc = {};
    ::GetWindowRect(hWndMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(800, rc.right - rc.left);
    EXPECT_EQ(600, rc.bottom - rc.top);
    EXPECT_EQ(nullptr, WaitForTopLevelWindow(m_dwProcessId, "#32770", 2000));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(m_process, 0)) << "Kelo ended";
    EXPECT_EQ("", ReadLog());
}
