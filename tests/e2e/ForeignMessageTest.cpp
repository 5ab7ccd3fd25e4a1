// WM_APP_PLAYVIDEO (1359) posted to the running Kelo.exe by another program, this test,
// with lParams that are no name Kelo handed out: Kelo reads none of them, frees none,
// starts nothing and goes on answering.
#include "links/LinkConstants.h"
#include "support/CKeloProcess.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace
{
const DWORD kStartTimeoutMs = 15000;
const UINT kAnswerTimeoutMs = 5000;

bool Answers(HWND hWnd)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &dwResult) != 0;
}
} // namespace

TEST(ForeignMessage, PlayVideoWithArbitraryLParamsChangesNothing)
{
    CKeloProcess kelo("kelo-foreign");
    CPlayerSandbox sandbox;
    ::CreateDirectoryA(kelo.Folder() + "Video", nullptr);
    sandbox.InstallAt(kelo.Folder() + "Video\\film1.exe", 20000);
    ASSERT_TRUE(kelo.Start());
    HWND hWndMain = kelo.WaitForWindow(nullptr, kStartTimeoutMs);
    ASSERT_NE(nullptr, hWndMain);
    ASSERT_TRUE(Answers(hWndMain));

    // Small numbers, the ends of the ranges, addresses inside Kelo's own program image
    // (readable there: a name read from one would be a plausible text), and random values.
    ULONG_PTR nImage = static_cast<ULONG_PTR>(::GetWindowLongPtrA(hWndMain, GWLP_HINSTANCE));
    std::vector<ULONG_PTR> lParams = {0, 1, 4, 0x10000, 0x7FFFFFFF, 0x80000000, ~ULONG_PTR(0), ~ULONG_PTR(0) - 7};
    for (ULONG_PTR nOffset = 0; nOffset < 0x4000; nOffset += 0x40)
        lParams.push_back(nImage + nOffset);
    std::mt19937_64 rng(1359);
    for (int i = 0; i < 500; ++i)
        lParams.push_back(static_cast<ULONG_PTR>(rng()));
    size_t nPosted = 0;
    while (nPosted < lParams.size() && ::PostMessageA(hWndMain, WM_APP_PLAYVIDEO, 0, static_cast<LPARAM>(lParams[nPosted])))
        ++nPosted;
    EXPECT_EQ(lParams.size(), nPosted) << "Kelo's window went";

    EXPECT_TRUE(Answers(hWndMain)) << "Kelo no longer answers";
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(kelo.Process(), 0)) << "Kelo ended";
    EXPECT_TRUE(::IsWindowVisible(hWndMain));
    EXPECT_TRUE(::IsWindowEnabled(hWndMain));
    PumpFor(1500);
    EXPECT_TRUE(sandbox.LogLines().empty()) << "a video was started";
    EXPECT_EQ(nullptr, FindPlayerFrame());
}
