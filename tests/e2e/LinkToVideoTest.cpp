// The road of one link: a command text goes through the link interpreter to the real main
// frame, which starts the video program from the "Video" folder beside this program; the
// player plays, and is closed when its playback ends or when the link stops it.
#include "links/LinkConstants.h"
#include "startpage/StartPageConstants.h"
#include "frame/CMainFrame.h"
#include "videoplayer/CVideoPlayer.h"
#include "framework/docview/CWinApp.h"
#include "framework/core/ScopedWin.h"
#include "resources/resource.h"
#include "startpage/CBrowserHost.h"
#include "links/CLinkCommandRunner.h"
#include "support/CPlayerSandbox.h"
#include "support/ComProbe.h"
#include "support/MessagePump.h"
#include <exdispid.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
const DWORD kShortPlayMs = 1500;
const DWORD kLongPlayMs = 20000;

class LinkToVideo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CString strProgram = CMainFrame::GetProgramFile();
        m_strProgramDir = strProgram.Left(strProgram.ReverseFind('\\') + 1);
        ::CreateDirectoryA(m_strProgramDir + "Video", nullptr);
        // Tests in other Wine prefixes share this folder and process ids repeat across
        // prefixes: the player's name is claimed by a file that only this test holds open.
        for (DWORD n = ::GetCurrentProcessId(); !m_claim.IsValid() && n < ::GetCurrentProcessId() + 1000; ++n) {
            m_strName.Format("e2e-%lu", n);
            m_claim.Reset(::CreateFileA(m_strProgramDir + "Video\\" + m_strName + ".claim", GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        }
        ASSERT_TRUE(m_claim.IsValid());

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
    }

    // Our player's events (start, ended, exit) in the log, in order.
    size_t CountOf(const char* pszEvent) const { return m_sandbox.Events(m_strName, pszEvent).size(); }

    // A copy of the stand-in at strRelative below this program's folder, playing for
    // nDurationMs.
    CString Install(const CString& strRelative, DWORD nDurationMs)
    {
        return m_sandbox.InstallAt(m_strProgramDir + strRelative, nDurationMs);
    }

    // Runs one link's command text to its end, dispatching the messages it posts meanwhile.
    void RunLink(const CString& strCommands)
    {
        HANDLE hThread = nullptr;
        CLinkCommandRunner::Start(strCommands, &hThread);
        ASSERT_NE(nullptr, hThread);
        EXPECT_TRUE(PumpUntilSignaled(hThread, 5000));
        ::CloseHandle(hThread);
        EXPECT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(m_hWndFrame) != FALSE; }, 5000));
    }

    std::string WaitForPlayback() { return m_sandbox.WaitForPlayback(m_strName, 5000); }

    // A browser host with the real web-browser control in the main frame, and the stand-in
    // installed as this test's video.
    void HostBrowser()
    {
        ASSERT_TRUE(SUCCEEDED(m_com.Initialize()));
        HWND hWndStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, m_hWndFrame,
                                            reinterpret_cast<HMENU>(1000), nullptr, nullptr);
        ASSERT_TRUE(m_host.SubclassWindow(hWndStatic));
        Install("Video\\" + m_strName + ".exe", kShortPlayMs);
    }

    ScopedComInitialize m_com;
    CBrowserHost m_host;
    CPlayerSandbox m_sandbox;
    CWinApp* m_pApp = nullptr;
    HWND m_hWndFrame = nullptr;
    CString m_strProgramDir;
    CString m_strName;
    ScopedHandle m_claim;
};
} // namespace

TEST_F(LinkToVideo, VideoStartsPlaysAndIsClosedWhenItsPlaybackEnds)
{
    CString strExe = Install("Video\\" + m_strName + ".exe", kShortPlayMs);
    RunLink("/exec(" + m_strName + ".exe)");

    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((strExe + " /s").str(), CPlayerSandbox::CommandLineOf(strStart));
    HWND hPlayer = FindPlayerFrame();
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hPlayer) != FALSE; }, 3000));

    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPlayer); }, kShortPlayMs + 5000)) << "the player was not closed";
    EXPECT_EQ(1u, CountOf("ended"));
    EXPECT_EQ(1u, CountOf("exit"));
    EXPECT_TRUE(WaitForProcessEnd(CPlayerSandbox::PidOf(strStart), 3000));
}

TEST_F(LinkToVideo, StopCommandClosesThePlayingVideoOtherControlCodesDoNot)
{
    Install("Video\\" + m_strName + ".exe", kLongPlayMs);
    RunLink("/exec(" + m_strName + ".exe)");
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    HWND hPlayer = FindPlayerFrame();

    // Stopping is synchronous: had the link stopped the video, the frame would be gone.
    RunLink("/fonc(3)");
    EXPECT_NE(nullptr, FindPlayerView(hPlayer)) << "a nonzero control code stopped the video";

    RunLink("/fonc(0)");
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPlayer); }, 3000));
    EXPECT_EQ(1u, CountOf("exit"));
    EXPECT_EQ(0u, CountOf("ended"));
    EXPECT_TRUE(WaitForProcessEnd(CPlayerSandbox::PidOf(strStart), 3000));
}

TEST_F(LinkToVideo, NamesLeavingTheVideoFolderStartNothing)
{
    Install(m_strName + ".exe", kShortPlayMs);
    RunLink("/exec(..\\" + m_strName + ".exe)/exec(" + m_strProgramDir + m_strName + ".exe)/exec(Video/../" + m_strName +
            ".exe)");
    // The main frame starts a video while it handles the link's message, so before RunLink
    // returns: no player is being watched, hence none was started.
    EXPECT_FALSE(g_videoPlayer.IsPlaying());
    EXPECT_EQ(0u, CountOf("start"));
    EXPECT_EQ(nullptr, FindPlayerFrame());
}

TEST_F(LinkToVideo, ALinkNavigatedToInTheBrowserControlStartsItsVideo)
{
    HostBrowser();
    const CString strLink = "app://exec(" + m_strName + ".exe)";
    m_host.SendMessage(WM_BROWSER_NAVIGATE, 0, reinterpret_cast<LPARAM>(strLink.GetString()));
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((m_strProgramDir + "Video\\" + m_strName + ".exe /s").str(), CPlayerSandbox::CommandLineOf(strStart));
}

TEST_F(LinkToVideo, ALinkOpenedAsANewWindowStartsItsVideoAndNoWindow)
{
    HostBrowser();
    CWnd* pSite = CWnd::FromHandlePermanent(::GetDlgItem(m_host.m_hWnd, 0xE900));
    ASSERT_NE(nullptr, pSite);
    IDispatch* pDisp = nullptr;
    VARIANT_BOOL bCancel = VARIANT_FALSE;
    ScopedBstr context("about:blank"), url(("app://exec(" + m_strName + ".exe)").GetString());
    EXPECT_EQ(S_OK, RaiseControlEvent(pSite->GetControlUnknown(), DIID_DWebBrowserEvents2, DISPID_NEWWINDOW3,
                                      {ArgByRef(&pDisp), ArgByRef(&bCancel), ArgValue(0x6L), ArgValue(context.Get()),
                                       ArgValue(url.Get())}));
    EXPECT_EQ(VARIANT_TRUE, bCancel);
    EXPECT_EQ(nullptr, pDisp);
    std::string strStart = WaitForPlayback();
    ASSERT_FALSE(strStart.empty()) << "the player did not start";
    EXPECT_EQ((m_strProgramDir + "Video\\" + m_strName + ".exe /s").str(), CPlayerSandbox::CommandLineOf(strStart));
}
