#include "links/CLinkCommandRunner.h"
#include "app/CKeloApp.h"
#include "links/LinkConstants.h"
#include "framework/core/ScopedWin.h"
#include "framework/core/FrameworkIds.h"
#include "support/CMessageRecorder.h"
#include "support/LinkOutcome.h"
#include "support/DialogProbe.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

using Seq = std::vector<std::string>;

namespace
{
const DWORD kTimeoutMs = 5000;

std::string Lower(std::string str)
{
    for (char& ch : str)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return str;
}

// A hidden window standing in for the main frame, set as the application's main window.
class LinkRunner : public ::testing::Test
{
protected:
    CMessageRecorder m_main{WM_APP_PLAYVIDEO, WM_APP_VIDEOCONTROL, WM_ENABLE, WM_APP_LINKDONE};

    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create());
        theApp.m_pMainWnd = &m_main;
    }

    // A question a failed test left open would hold up its worker and confuse later tests.
    void TearDown() override
    {
        for (HWND hBox; (hBox = FindOwnDialog()) != nullptr;) {
            AnswerDialog(hBox, IDNO);
            m_main.PumpUntil([hBox] { return !::IsWindow(hBox); }, kTimeoutMs);
        }
    }

    // Starts a runner on the text and pumps until its worker has ended.
    bool Start(const char* pszText, ScopedHandle& hThread)
    {
        HANDLE h = nullptr;
        CLinkCommandRunner::Start(pszText, &h);
        hThread.Reset(h);
        return hThread.IsValid();
    }
    bool WaitForWorker(const ScopedHandle& hThread)
    {
        return m_main.PumpUntilSignaled(hThread, kTimeoutMs);
    }

    // Carries out one link and describes what reached the main window, in order: "play
    // NAME" (taking the name as the main frame does), "control N" and "quit". Checks that
    // the window was disabled at the start and, last, told that the link is done; the
    // window then enables itself, as the main frame does.
    Seq Run(const std::string& strText)
    {
        ScopedHandle hThread;
        if (!Start(strText.c_str(), hThread) || !WaitForWorker(hThread)) {
            ADD_FAILURE() << "worker did not end: " << strText.substr(0, 80);
            return {};
        }
        return Describe(m_main.Take());
    }

    // bAsked: the link asked a question, whose box enables its owner again when it ends.
    Seq Describe(const std::vector<RecordedMessage>& messages, bool bAsked = false)
    {
        LinkOutcome outcome = ReadLinkOutcome(messages);
        EXPECT_EQ(0u, outcome.nAfterDone) << "a message after the end of the link";
        if (theApp.m_pMainWnd) {
            // Not enabled by the runner: by the window itself, on its own thread.
            EXPECT_EQ(bAsked ? (std::vector<WPARAM>{FALSE, TRUE}) : (std::vector<WPARAM>{FALSE}), outcome.enables);
            EXPECT_EQ(1u, outcome.nDone);
            m_main.EnableWindow(TRUE);
            m_main.Take();
        }
        return outcome.commands;
    }
};
} // namespace

TEST_F(LinkRunner, ExecPostsTheProgramNameWhateverTheCaseOfTheCommand)
{
    EXPECT_EQ((Seq{"play film1.exe"}), Run("/exec(film1.exe)"));
    EXPECT_EQ((Seq{"play film1.exe"}), Run("/EXEC(film1.exe)"));
    EXPECT_EQ((Seq{"play Sous Dossier\\Film 2.exe"}), Run("/ExEc(Sous Dossier\\Film 2.exe)"));
    EXPECT_EQ((Seq{"play a(b.exe"}), Run("/exec(a(b.exe)"));
    EXPECT_EQ((Seq{"play "}), Run("/exec()"));
}

TEST_F(LinkRunner, FoncPostsTheNumericValueOfItsArgument)
{
    EXPECT_EQ((Seq{"control 0"}), Run("/fonc(0)"));
    EXPECT_EQ((Seq{"control 12"}), Run("/fonc(12)"));
    EXPECT_EQ((Seq{"control 0"}), Run("/fonc(abc)"));
    EXPECT_EQ((Seq{"control 7"}), Run("/FONC( 7x)"));
    EXPECT_EQ((Seq{"control -3"}), Run("/fonc(-3)"));
    EXPECT_EQ((Seq{"control 2147483647"}), Run("/fonc(99999999999999)"));
}

TEST_F(LinkRunner, CommandsArriveInTheOrderOfTheText)
{
    EXPECT_EQ((Seq{"control 0", "play b.exe"}), Run("/fonc(0)/exec(b.exe)"));
    EXPECT_EQ((Seq{"play a.exe", "control 1"}), Run("/exec(a.exe)/fonc(1)"));
    EXPECT_EQ((Seq{"play a.exe", "play b.exe", "control 0", "play c.exe"}),
              Run("/exec(a.exe)/exec(b.exe)/fonc(0)/exec(c.exe)"));
}

TEST_F(LinkRunner, AnUnknownCommandsArgumentIsReadAsCommands)
{
    EXPECT_EQ((Seq{"play a.exe"}), Run("/inconnu(/exec(a.exe))"));
    EXPECT_EQ((Seq{"control 2"}), Run("/exe(/fonc(2))"));
}

TEST_F(LinkRunner, BrokenTextsStopTheProcessingAndStillEnableTheWindow)
{
    EXPECT_EQ((Seq{"play a.exe"}), Run("/exec(a.exe) /fonc(0)"));
    EXPECT_EQ(Seq{}, Run("/exec (a.exe)"));
    EXPECT_EQ(Seq{}, Run("exec(a.exe)"));
    EXPECT_EQ(Seq{}, Run(""));
    EXPECT_EQ(Seq{}, Run("/"));
    EXPECT_EQ(Seq{}, Run("/exec"));
    EXPECT_EQ((Seq{"control 1"}), Run("/fonc(1)/exec(a.exe"));
    EXPECT_EQ(Seq{}, Run("/exe(a.exe)"));
}

TEST_F(LinkRunner, QuitterWithoutItsParenthesisAsksNothing)
{
    // A question would block the worker until the timeout.
    EXPECT_EQ(Seq{}, Run("/quitter(Voulez-vous quitter /?"));
    EXPECT_EQ(nullptr, FindOwnDialog());
}

TEST_F(LinkRunner, AnOverlongArgumentDropsItsCommandAndTheNextOneRuns)
{
    std::string strMax(LINK_ARGUMENT_MAX, 'v');
    std::string strLong(LINK_ARGUMENT_MAX + 1, 'w');
    EXPECT_EQ((Seq{"play " + strMax}), Run("/exec(" + strMax + ")"));
    EXPECT_EQ((Seq{"control 7"}), Run("/exec(" + strLong + ")/fonc(7)"));
    EXPECT_EQ((Seq{"play a.exe"}), Run("/fonc(" + std::string(5000, '1') + ")/exec(a.exe)"));
    // A question that long is not asked either; a shown box would block until the timeout.
    EXPECT_EQ((Seq{"control 3"}), Run("/quitter(" + strLong + ")/fonc(3)"));
    EXPECT_EQ(nullptr, FindOwnDialog());
}

TEST_F(LinkRunner, TheRunnerWorksOnItsOwnCopyOfTheLinkBuffer)
{
    lstrcpyA(g_szLinkCommand, "/exec(a.exe)");
    ScopedHandle hThread;
    ASSERT_TRUE(Start(g_szLinkCommand, hThread));
    lstrcpyA(g_szLinkCommand, "/fonc(9)");
    ASSERT_TRUE(WaitForWorker(hThread));
    EXPECT_EQ((Seq{"play a.exe"}), Describe(m_main.Take()));
}

TEST_F(LinkRunner, WithoutAMainWindowNothingIsPostedAndNothingBreaks)
{
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(Seq{}, Run("/exec(a.exe)/fonc(1)"));
    EXPECT_TRUE(m_main.Messages().empty());
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

TEST(LinkRunnerVideoArgument, OnlyCopiesHandedOutAreTakenAndEachOnce)
{
    CString strName("untouched");
    EXPECT_FALSE(CLinkCommandRunner::TakeVideoArgument(0, strName));
    // Text that is no copy of the runner's is neither read nor freed.
    char szForeign[] = "film1.exe";
    EXPECT_FALSE(CLinkCommandRunner::TakeVideoArgument(reinterpret_cast<LPARAM>(szForeign), strName));
    EXPECT_FALSE(CLinkCommandRunner::TakeVideoArgument(0x12345678, strName));
    EXPECT_STREQ("untouched", strName);
    EXPECT_STREQ("film1.exe", szForeign);

    LPARAM lParam = CLinkCommandRunner::HandOutVideoArgument("film2.exe");
    EXPECT_TRUE(CLinkCommandRunner::TakeVideoArgument(lParam, strName));
    EXPECT_STREQ("film2.exe", strName);
    EXPECT_FALSE(CLinkCommandRunner::TakeVideoArgument(lParam, strName));
}

TEST_F(LinkRunner, QuitterAsksWithAPlainQuestionMarkAndNoGoesOn)
{
    ScopedHandle hThread;
    ASSERT_TRUE(Start("/quitter(Voulez-vous quitter /?)/fonc(5)", hThread));
    HWND hBox = nullptr;
    ASSERT_TRUE(m_main.PumpUntil([&] { return (hBox = FindOwnDialog()) != nullptr; }, kTimeoutMs));

    EXPECT_STREQ("Voulez-vous quitter ?", GetDialogStaticText(hBox));
    char szCaption[128] = {};
    ::GetWindowTextA(hBox, szCaption, sizeof(szCaption));
    CString strTitle = theApp.m_strAppName;
    if (strTitle.IsEmpty())
        strTitle.LoadString(IDS_APP_TITLE);
    EXPECT_STREQ(strTitle, szCaption);
    EXPECT_TRUE(::GetDlgItem(hBox, IDYES) && ::GetDlgItem(hBox, IDNO));
    // The question holds up the rest of the link, with the main window disabled; the box
    // belongs to it.
    EXPECT_FALSE(m_main.IsWindowEnabled());
    EXPECT_EQ(1u, m_main.Messages().size());
    EXPECT_EQ(m_main.m_hWnd, ::GetWindow(hBox, GW_OWNER));

    AnswerDialog(hBox, IDNO);
    ASSERT_TRUE(WaitForWorker(hThread));
    EXPECT_EQ((Seq{"control 5"}), Describe(m_main.Take(), true));
}

TEST_F(LinkRunner, QuitterYesPostsQuitToTheMainWindow)
{
    ScopedHandle hThread;
    ASSERT_TRUE(Start("/QUITTER(Quitter /? /?)", hThread));
    HWND hBox = nullptr;
    ASSERT_TRUE(m_main.PumpUntil([&] { return (hBox = FindOwnDialog()) != nullptr; }, kTimeoutMs));
    EXPECT_STREQ("Quitter ? ?", GetDialogStaticText(hBox));

    AnswerDialog(hBox, IDYES);
    ASSERT_TRUE(WaitForWorker(hThread));
    EXPECT_EQ((Seq{"quit"}), Describe(m_main.Take(), true));
}

TEST_F(LinkRunner, RandomTextsNeverCrashOverrunOrLeaveTheWindowDisabled)
{
    // No "q": a question would wait for an answer.
    static const char* const kPieces[] = {"/exec(", "/EXEC(", "/fonc(", "/Fonc(", "/inconnu(", "/exec(b.exe)",
                                          "/fonc(3)", "a.exe)", "12)", "(", ")", "/", " ", "/?", "x", "\xe9"};
    const size_t nPieces = sizeof(kPieces) / sizeof(kPieces[0]);
    std::mt19937 rng(20240611);
    // Six hundred texts (the seed is fixed) carry over 150 commands of each kind through
    // every way a text can break: enough to find an overrun, at a fifth of the time.
    int nPlays = 0, nControls = 0;
    for (int i = 0; i < 600 && !HasFailure(); ++i) {
        size_t nLength = rng() % 5001;
        std::string strText;
        while (strText.size() < nLength) {
            // Now and then a long run, around the argument limit.
            if (rng() % 12 == 0)
                strText += std::string(300 + rng() % 200, 'v');
            else
                strText += kPieces[rng() % nPieces];
        }
        strText.resize(nLength);

        std::string strLower = Lower(strText);
        for (const std::string& strCommand : Run(strText)) {
            if (strCommand.compare(0, 5, "play ") == 0) {
                ++nPlays;
                std::string strName = strCommand.substr(5);
                EXPECT_LE(strName.size(), static_cast<size_t>(LINK_ARGUMENT_MAX));
                EXPECT_NE(std::string::npos, strLower.find("exec(" + Lower(strName) + ")")) << strName;
            } else {
                ++nControls;
                EXPECT_EQ(0u, strCommand.compare(0, 8, "control ")) << strCommand;
                EXPECT_EQ(std::string::npos, strCommand.find('!')) << strCommand;
            }
        }
    }
    // The texts really carried commands out, not only stopped early.
    EXPECT_GT(nPlays, 100);
    EXPECT_GT(nControls, 100);
}
