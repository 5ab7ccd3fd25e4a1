// The road of one link: a command text goes through the link interpreter to the real main
// frame, which starts the video program from the "Video" folder beside this program; the
// player plays, and is closed when its playback ends or when the link stops it.
#include "app/KeloMessages.h"
#include "frame/CMainFrame.h"
#include "frame/CVideoPlayer.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "startpage/CBrowserHost.h"
#include "startpage/CLinkCommandRunner.h"
#include "../tools/StandInPlayer.h"
#include "support/CTempFolder.h"
#include "support/ComProbe.h"
#include "framework/ScopedWin.h"
#include <exdispid.h>
#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>

namespace
{
const DWORD kShortPlayMs = 1500;
const DWORD kLongPlayMs = 20000;

// The fields of a player's log line "<name> start pid=<n> show=<n> cmdline=<command line>".
DWORD PidOf(const std::string& strLine)
{
    size_t nPos = strLine.find(" pid=");
    return nPos == std::string::npos ? 0 : std::strtoul(strLine.c_str() + nPos + 5, nullptr, 10);
}

std::string CommandLineOf(const std::string& strLine)
{
    size_t nPos = strLine.find(" cmdline=");
    return nPos == std::string::npos ? std::string() : strLine.substr(nPos + 9);
}

class LinkToVideo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CString strProgram = CMainFrame::GetProgramFile();
        m_strProgramDir = strProgram.Left(strProgram.ReverseFind('\\') + 1);
        ::CreateDirectoryA(m_strProgramDir + "Video", nullptr);
        m_strName.Format("e2e-%lu", ::GetCurrentProcessId());

        m_pApp = AfxGetApp();
        ASSERT_NE(nullptr, m_pApp);
        CMainFrame* pFrame = new CMainFrame;
        ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME));
        m_hWndFrame = pFrame->m_hWnd;
        pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pApp->m_pMainWnd = pFrame;
    }

    void TearDown() override
    {
        g_videoPlayer.Stop();
        if (m_pApp)
            m_pApp->m_pMainWnd = nullptr;
        if (::IsWindow(m_hWndFrame))
            ::DestroyWindow(m_hWndFrame);
        g_videoPlayer.SetOwner(nullptr);
        for (const std::string& strLine : Events("start")) {
            HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, PidOf(strLine));
            if (hProcess && ::WaitForSingleObject(hProcess, 3000) != WAIT_OBJECT_0)
                ::TerminateProcess(hProcess, 1);
            if (hProcess)
                ::CloseHandle(hProcess);
        }
        for (const CString& strFile : m_installed)
            ::DeleteFileA(strFile);
    }

    // The lines of our player's event (start, ended, exit) in the log, in order.
    std::vector<std::string> Events(const char* pszEvent) const
    {
        std::vector<std::string> lines;
        std::ifstream file((m_logFolder.Path() + "player.log").GetString(), std::ios::binary);
        std::string strPrefix = m_strName.str() + " " + pszEvent, strLine;
        while (std::getline(file, strLine)) {
            if (!strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            if (strLine == strPrefix || strLine.compare(0, strPrefix.size() + 1, strPrefix + " ") == 0)
                lines.push_back(strLine);
        }
        return lines;
    }

    // A copy of the stand-in at pszRelative below this program's folder, playing for
    // nDurationMs and logging into the log folder.
    CString Install(const CString& strRelative, DWORD nDurationMs)
    {
        CString strExe = m_strProgramDir + strRelative;
        CString strIni = strExe.Left(strExe.ReverseFind('.')) + ".ini";
        CString strSettings;
        strSettings.Format("[Player]\r\nDuration=%lu\r\nLog=%splayer.log\r\n", nDurationMs, m_logFolder.Path().GetString());
        ScopedHandle file(::CreateFileA(strIni, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD nWritten = 0;
        ::WriteFile(file, strSettings.GetString(), static_cast<DWORD>(strSettings.GetLength()), &nWritten, nullptr);
        m_installed.push_back(strIni);
        m_installed.push_back(strExe);
        EXPECT_TRUE(::CopyFileA(StandInPlayerPath(), strExe, FALSE));
        return strExe;
    }

    // Runs one link's command text to its end, dispatching the messages it posts meanwhile.
    void RunLink(const CString& strCommands)
    {
        HANDLE hThread = nullptr;
        new CLinkCommandRunner(strCommands, &hThread);
        ASSERT_NE(nullptr, hThread);
        EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 5000));
        ::CloseHandle(hThread);
        PumpMessages(50);
        EXPECT_TRUE(::IsWindowEnabled(m_hWndFrame));
    }

    std::string WaitForPlayback()
    {
        PumpUntil([&] { return !Events("start").empty() && FindPlayerView(FindPlayerFrame()); }, 5000);
        std::vector<std::string> starts = Events("start");
        return starts.empty() ? std::string() : starts.back();
    }

    // A browser host with the real web-browser control in the main frame, and the stand-in
    // installed as the start page's film1.exe.
    void HostBrowser()
    {
        ASSERT_TRUE(SUCCEEDED(m_com.Initialize()));
        HWND hWndStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, m_hWndFrame,
                                            reinterpret_cast<HMENU>(1000), nullptr, nullptr);
        ASSERT_TRUE(m_host.SubclassWindow(hWndStatic));
        m_strName = "film1";
        Install("Video\\film1.exe", kShortPlayMs);
    }

    ScopedComInitialize m_com;
    CBrowserHost m_host;
    CTempFolder m_logFolder{"e2e-log"};
    CWinApp* m_pApp = nullptr;
    HWND m_hWndFrame = nullptr;
    CString m_strProgramDir;
    CString m_strName;
    std::vector<CString> m_installed;
};
} // namespace

TEST_F(LinkToVideo, VideoStartsPlaysAndIsClosedWhenItsPlaybackEnds)
{
    CString strExe = Install("Video\\" + m_strName + ".exe", kShortPlayMs);
    RunLink("/exec(" + m_strName + ".exe)");

    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((strExe + " /s").str(), CommandLineOf(strStart));
    HWND hPlayer = FindPlayerFrame();
    EXPECT_TRUE(::IsWindowVisible(hPlayer));

    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPlayer); }, kShortPlayMs + 5000)) << "the player was not closed";
    EXPECT_EQ(1u, Events("ended").size());
    EXPECT_EQ(1u, Events("exit").size());
    EXPECT_TRUE(WaitForProcessEnd(PidOf(strStart), 3000));
}

TEST_F(LinkToVideo, StopCommandClosesThePlayingVideoOtherControlCodesDoNot)
{
    Install("Video\\" + m_strName + ".exe", kLongPlayMs);
    RunLink("/exec(" + m_strName + ".exe)");
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    HWND hPlayer = FindPlayerFrame();

    RunLink("/fonc(3)");
    PumpMessages(1200);
    EXPECT_NE(nullptr, FindPlayerView(hPlayer)) << "a nonzero control code stopped the video";

    RunLink("/fonc(0)");
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPlayer); }, 3000));
    EXPECT_EQ(1u, Events("exit").size());
    EXPECT_TRUE(Events("ended").empty());
    EXPECT_TRUE(WaitForProcessEnd(PidOf(strStart), 3000));
}

TEST_F(LinkToVideo, NamesLeavingTheVideoFolderStartNothing)
{
    Install(m_strName + ".exe", kShortPlayMs);
    RunLink("/exec(..\\" + m_strName + ".exe)/exec(" + m_strProgramDir + m_strName + ".exe)/exec(Video/../" + m_strName +
            ".exe)");
    PumpMessages(1500);
    EXPECT_TRUE(Events("start").empty());
    EXPECT_EQ(nullptr, FindPlayerFrame());
}

TEST_F(LinkToVideo, ALinkNavigatedToInTheBrowserControlStartsItsVideo)
{
    HostBrowser();
    const char szLink[] = "app://exec(film1.exe)";
    m_host.SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(szLink));
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((m_strProgramDir + "Video\\film1.exe /s").str(), CommandLineOf(strStart));
}

TEST_F(LinkToVideo, ALinkOpenedAsANewWindowStartsItsVideoAndNoWindow)
{
    HostBrowser();
    CWnd* pSite = CWnd::FromHandlePermanent(::GetDlgItem(m_host.m_hWnd, 0xE900));
    ASSERT_NE(nullptr, pSite);
    IDispatch* pDisp = nullptr;
    VARIANT_BOOL bCancel = VARIANT_FALSE;
    ScopedBstr context("about:blank"), url("app://exec(film1.exe)");
    EXPECT_EQ(S_OK, RaiseControlEvent(pSite->GetControlUnknown(), DIID_DWebBrowserEvents2, DISPID_NEWWINDOW3,
                                      {ArgByRef(&pDisp), ArgByRef(&bCancel), ArgValue(0x6L), ArgValue(context.Get()),
                                       ArgValue(url.Get())}));
    EXPECT_EQ(VARIANT_TRUE, bCancel);
    EXPECT_EQ(nullptr, pDisp);
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((m_strProgramDir + "Video\\film1.exe /s").str(), CommandLineOf(strStart));
}
