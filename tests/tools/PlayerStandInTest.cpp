// The stand-in player on its own, started directly as a launcher would start it.
#include "StandInPlayer.h"
#include "framework/ScopedWin.h"
#include <gtest/gtest.h>

namespace
{
// A started program with its handles; the process is ended if it still runs at the end.
class CStartedProgram
{
public:
    CStartedProgram(const CString& strCommandLine, WORD wShow)
    {
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = wShow;
        std::vector<char> cmdLine(strCommandLine.GetString(), strCommandLine.GetString() + strCommandLine.GetLength() + 1);
        m_bStarted = ::CreateProcessA(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
    }
    ~CStartedProgram()
    {
        if (!m_bStarted)
            return;
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 2000);
        }
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    CStartedProgram(const CStartedProgram&) = delete;
    CStartedProgram& operator=(const CStartedProgram&) = delete;

    bool Started() const { return m_bStarted != FALSE; }
    bool Running(DWORD nWaitMs = 0) const { return ::WaitForSingleObject(m_pi.hProcess, nWaitMs) == WAIT_TIMEOUT; }
    DWORD ExitCode() const
    {
        DWORD nCode = STILL_ACTIVE;
        ::GetExitCodeProcess(m_pi.hProcess, &nCode);
        return nCode;
    }

private:
    PROCESS_INFORMATION m_pi = {};
    BOOL m_bStarted = FALSE;
};

CString TextOf(HWND hWnd)
{
    char szText[512] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

BOOL CALLBACK CollectTextProc(HWND hWnd, LPARAM lParam)
{
    *reinterpret_cast<CString*>(lParam) += TextOf(hWnd) + "\n";
    return TRUE;
}

TEST(PlayerStandIn, PlaysForItsLengthThenKeepsItsFrameUntilTheExitCommand)
{
    CPlayerSandbox sandbox;
    CString strPath = sandbox.Install("film1.exe", 1000);
    CStartedProgram program(strPath + " /s", SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started());

    ASSERT_TRUE(PumpUntil([] { return FindPlayerView(FindPlayerFrame()) != nullptr; }, 5000));
    DWORD dwSeen = ::GetTickCount();
    HWND hFrame = FindPlayerFrame();
    EXPECT_EQ(TextOf(hFrame), "film1");
    EXPECT_TRUE(::IsWindowVisible(FindPlayerView(hFrame)));
    std::vector<std::string> starts = sandbox.Events("film1", "start");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(CPlayerSandbox::CommandLineOf(starts[0]), (strPath + " /s").str());
    EXPECT_EQ(CPlayerSandbox::ShowOf(starts[0]), SW_SHOWNORMAL);

    // The view goes when the length has passed; the frame and the process stay.
    ASSERT_TRUE(PumpUntil([&] { return FindPlayerView(hFrame) == nullptr; }, 4000));
    EXPECT_GE(::GetTickCount() - dwSeen, 700u);
    EXPECT_EQ(sandbox.Events("film1", "ended").size(), 1u);
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(program.Running(300));

    // Other commands change nothing; the exit command ends it before the send returns.
    ::SendMessageA(hFrame, WM_COMMAND, ID_APP_ABOUT, 0);
    EXPECT_TRUE(::IsWindow(hFrame));
    ::SendMessageA(hFrame, WM_COMMAND, PLAYER_EXIT_COMMAND, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_FALSE(program.Running(3000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(sandbox.Events("film1", "exit").size(), 1u);
}

// Pixels of the progress bar's colour along the middle row of the bar, read from the screen.
int ProgressPixels(HWND hView)
{
    const COLORREF BAR = RGB(64, 160, 255);
    RECT rc;
    ::GetClientRect(hView, &rc);
    POINT pt = {0, rc.bottom * 5 / 8 + 10};
    ::ClientToScreen(hView, &pt);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = rc.right;
    bmi.bmiHeader.biHeight = -1;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    ScopedBitmap hRow(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    ScopedCreatedDC hMemDC(::CreateCompatibleDC(nullptr));
    if (!hRow.IsValid() || !hMemDC.IsValid())
        return -1;
    {
        ScopedSelectObject select(hMemDC, hRow);
        ScopedGetDC hScreen(nullptr);
        ::BitBlt(hMemDC, 0, 0, rc.right, 1, hScreen, pt.x, pt.y, SRCCOPY);
    }
    int nCount = 0;
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    for (int x = 0; x < rc.right; ++x) {
        if ((pPixels[x] & 0xFFFFFF) == ((GetRValue(BAR) << 16) | (GetGValue(BAR) << 8) | GetBValue(BAR)))
            ++nCount;
    }
    return nCount;
}

TEST(PlayerStandIn, ItsProgressBarGrowsWhileItPlays)
{
    CPlayerSandbox sandbox;
    CStartedProgram program(sandbox.Install("film1.exe", 3000) + " /s", SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(PumpUntil([] { return FindPlayerView(FindPlayerFrame()) != nullptr; }, 5000));
    HWND hView = FindPlayerView(FindPlayerFrame());
    PumpMessages(300);
    int nEarly = ProgressPixels(hView);
    PumpMessages(1000);
    int nLater = ProgressPixels(hView);
    EXPECT_GT(nEarly, 0);
    EXPECT_GT(nLater, nEarly + 20);
}

TEST(PlayerStandIn, SettingsNamedAfterTheProgramComeBeforeTheSharedOnes)
{
    CPlayerSandbox sandbox;
    CString strOwn = sandbox.Install("film1.exe", 20000);
    CString strShared = sandbox.Path() + "film2.exe";
    ASSERT_TRUE(::CopyFileA(strOwn, strShared, FALSE));
    sandbox.Folder().WriteFile("Player.ini", "[Player]\r\nDuration=20000\r\nLog=shared.log\r\n");

    CStartedProgram own(strOwn + " /s", SW_SHOWNORMAL);
    CStartedProgram shared(strShared + " /s", SW_SHOWNORMAL);
    ASSERT_TRUE(own.Started());
    ASSERT_TRUE(shared.Started());
    CString strSharedLog = sandbox.Path() + "shared.log";
    EXPECT_TRUE(PumpUntil([&] {
        return !sandbox.Events("film1", "start").empty() && ::GetFileAttributesA(strSharedLog) != INVALID_FILE_ATTRIBUTES;
    }, 5000));
    EXPECT_TRUE(sandbox.Events("film2", "start").empty());
    std::ifstream file(strSharedLog.GetString());
    std::string strLine;
    std::getline(file, strLine);
    EXPECT_EQ(strLine.compare(0, 12, "film2 start "), 0) << strLine;
}

TEST(PlayerStandIn, WithoutTheSwitchItShowsAFrenchNoticeAndNoPlayer)
{
    CPlayerSandbox sandbox;
    CStartedProgram program(sandbox.Install("film1.exe", 1000), SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started());

    HWND hNotice = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (hNotice = ::FindWindowA("#32770", "film1")) != nullptr; }, 5000));
    CString strText;
    ::EnumChildWindows(hNotice, CollectTextProc, reinterpret_cast<LPARAM>(&strText));
    EXPECT_GE(strText.Find("Cette vid\xE9o de d\xE9monstration se lance depuis le lanceur de vid\xE9os."), 0) << strText.GetString();
    EXPECT_EQ(FindPlayerFrame(), nullptr);

    ::PostMessageA(hNotice, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(program.Running(3000));
    EXPECT_EQ(program.ExitCode(), 0u);
}
} // namespace
