// Kelo.exe on a screen too narrow (799 pixels) and just wide enough (800). Run by
// screen_check.sh, each case in an X screen of its own width.
#include "support/CKeloProcess.h"
#include "support/DialogProbe.h"
#include "support/MessagePump.h"
#include "support/TestPaths.h"
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

// The stand-in for rundll32.exe takes the system's place in the system folder of this
// test's own Wine prefix (Wine told to run it rather than its own), and another copy lies
// beside Kelo.exe, where a program started by its bare name would be looked for first.
class ScreenCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szSystem[MAX_PATH] = {};
        ASSERT_GT(::GetSystemDirectoryA(szSystem, MAX_PATH), 0u);
        m_strSystem = CString(szSystem) + "\\";
        ::DeleteFileA(m_strSystem + "rundll32.log");
        ASSERT_TRUE(::MoveFileExA(m_strSystem + "rundll32.exe", m_strSystem + kSavedName, MOVEFILE_REPLACE_EXISTING));
        ASSERT_TRUE(CopyFileTo(WindowsPathOf(FAKE_RUNDLL32_EXE), m_strSystem + "rundll32.exe"));
        ASSERT_TRUE(CopyFileTo(WindowsPathOf(FAKE_RUNDLL32_EXE), m_kelo.Folder() + "rundll32.exe"));
        ::RegSetKeyValueA(HKEY_CURRENT_USER, kOverrides, "rundll32.exe", REG_SZ, "native", 7);
    }

    void TearDown() override
    {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kOverrides, "rundll32.exe");
        ::DeleteFileA(m_strSystem + "rundll32.log");
        ::MoveFileExA(m_strSystem + kSavedName, m_strSystem + "rundll32.exe", MOVEFILE_REPLACE_EXISTING);
    }

    static std::string ReadLog(const CString& strFolder)
    {
        std::ifstream file((strFolder + "rundll32.log").GetString());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string ReadLog() const { return ReadLog(m_strSystem); }

    static constexpr const char* kSavedName = "rundll32.exe.kelo-test";
    static constexpr const char* kOverrides = "Software\\Wine\\DllOverrides";
    CKeloProcess m_kelo{"kelo-screen"};
    CString m_strSystem;
};
} // namespace

TEST_F(ScreenCheck, NarrowScreenShowsTheMessageOpensDisplaySettingsAndEnds)
{
    ASSERT_EQ(799, ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_TRUE(m_kelo.Start());

    HWND hWndBox = m_kelo.WaitForWindow("#32770", 15000);
    ASSERT_NE(nullptr, hWndBox) << "no message box";
    char szCaption[256] = {};
    ::GetWindowTextA(hWndBox, szCaption, sizeof(szCaption));
    EXPECT_STREQ(kTitle, szCaption);
    EXPECT_STREQ(kNarrowMessage, GetDialogStaticText(hWndBox));
    // The display settings wait for the message to be read.
    EXPECT_EQ("", ReadLog());

    ::PostMessageA(hWndBox, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_kelo.Process(), 15000)) << "Kelo did not end";

    // rundll32 runs on its own; give it a moment to write its log.
    std::string strLog;
    PumpUntil([&] { return !(strLog = ReadLog()).empty(); }, 10000);
    EXPECT_EQ("shell32.dll,Control_RunDLL desk.cpl\n5\n", strLog);
    EXPECT_EQ("", ReadLog(m_kelo.Folder())) << "the rundll32.exe beside Kelo.exe was started";
}

TEST_F(ScreenCheck, WideEnoughScreenStartsWithoutMessage)
{
    ASSERT_EQ(800, ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_TRUE(m_kelo.Start());

    // The main window fills the screen's width exactly.
    HWND hWndMain = m_kelo.WaitForWindow(nullptr, 15000);
    ASSERT_NE(nullptr, hWndMain);
    RECT rc = {};
    ::GetWindowRect(hWndMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(800, rc.right - rc.left);
    EXPECT_EQ(600, rc.bottom - rc.top);
    EXPECT_EQ(nullptr, m_kelo.WaitForWindow("#32770", 2000));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(m_kelo.Process(), 0)) << "Kelo ended";
    EXPECT_EQ("", ReadLog());
    EXPECT_EQ("", ReadLog(m_kelo.Folder()));
}
