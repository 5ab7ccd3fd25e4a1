// The real Kelo.exe with Retour=<seconds> in Kelo.ini: a second page opened from the
// keyboard gives way to the start page once the visitor has been away that long, not
// before, and not while a video plays.
#include "pageengine/view/CPageView.h"
#include "support/CKeloProcess.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
const DWORD kWaitMs = 8000;
const DWORD kIdleSeconds = 3;
const char kStartTitle[] = "Accueil";
const char kSecondTitle[] = "Seconde page";

class IdleReturn : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kiosk.Folder().WriteFile("Kelo.ini", "[Generalite]\r\nAppli=Demo\r\nRetour=" + std::to_string(kIdleSeconds) + "\r\n");
        m_kiosk.Folder().WriteFile("res\\main.html", std::string("<title>") + kStartTitle +
                                                         "</title><a href=\"seconde.html\">Seconde page</a>");
        m_kiosk.Folder().WriteFile("res\\seconde.html", std::string("<title>") + kSecondTitle +
                                                            "</title><a href=\"app://exec(film1.exe)\">Film</a>");
    }

    // Starts Kelo and opens the second page from the keyboard: a click on a blank spot
    // gives the page the keys, Tab and Enter follow its link.
    void StartOnTheSecondPage()
    {
        ASSERT_TRUE(m_kelo.Start());
        HWND hWndMain = m_kelo.WaitForWindow(nullptr, 15000);
        ASSERT_NE(nullptr, hWndMain);
        ASSERT_TRUE(PumpUntil([&] { return (m_hWndView = FindVisibleDescendant(hWndMain, CPageView::s_pszClassName)) != nullptr; },
                              kWaitMs));
        ASSERT_TRUE(WaitForTitle(kStartTitle, kWaitMs));
        CRect rcClient;
        ::GetClientRect(m_hWndView, &rcClient);
        POINT ptBlank = {10, rcClient.bottom - 10};
        ::ClientToScreen(m_hWndView, &ptBlank);
        ASSERT_TRUE(ClickAt(ptBlank));
        ASSERT_TRUE(PressKeys("Tab Return"));
        ASSERT_TRUE(WaitForTitle(kSecondTitle, kWaitMs));
    }

    std::string Title() const
    {
        char szText[256] = {};
        ::GetWindowTextA(m_hWndView, szText, sizeof(szText));
        return szText;
    }

    bool WaitForTitle(const char* pszTitle, DWORD dwTimeoutMs) const
    {
        return PumpUntil([&] { return Title() == pszTitle; }, dwTimeoutMs);
    }

    CTestKiosk m_kiosk;
    CPlayerSandbox m_players;
    CKeloProcess m_kelo{m_kiosk.Path()};
    HWND m_hWndView = nullptr;
};
} // namespace

TEST_F(IdleReturn, ASecondPageGivesWayToTheStartPageAfterTheDelayWithoutInputNotBefore)
{
    StartOnTheSecondPage();
    ULONGLONG nLastInput = ::GetTickCount64();
    const DWORD nDelayMs = kIdleSeconds * 1000;
    ASSERT_TRUE(WaitForTitle(kStartTitle, nDelayMs + kWaitMs)) << "the start page did not come back";
    ULONGLONG nAway = ::GetTickCount64() - nLastInput;
    // The keys were struck just before the clock was read.
    EXPECT_GE(nAway, nDelayMs - 300);
    EXPECT_LE(nAway, nDelayMs + 2000);
}

TEST_F(IdleReturn, NotWhileAVideoPlays)
{
    const DWORD nPlayMs = 7000;
    m_players.InstallAt(m_kiosk.Folder().MakeFolder("Video") + "\\film1.exe", nPlayMs);
    StartOnTheSecondPage();
    ASSERT_TRUE(PressKeys("Tab Return"));
    ASSERT_FALSE(m_players.WaitForPlayback("film1", kWaitMs).empty());
    ULONGLONG nStarted = ::GetTickCount64();
    // Twice the delay, the video still playing: the second page stays.
    PumpUntil([&] { return Title() != kSecondTitle; }, 2 * kIdleSeconds * 1000);
    EXPECT_EQ(kSecondTitle, Title());
    EXPECT_TRUE(m_players.Events("film1", "ended").empty());
    // Once it has ended, the visitor having been away all along, the start page comes back.
    ASSERT_TRUE(WaitForTitle(kStartTitle, nPlayMs + kWaitMs));
    EXPECT_FALSE(m_players.Events("film1", "ended").empty());
    EXPECT_GE(::GetTickCount64() - nStarted, nPlayMs - 1000);
}
