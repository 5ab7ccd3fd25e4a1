#pragma once
// Kelo started as InitInstance starts it, in a test kiosk folder, for the start page tests:
// its page frames, their page views and browser controls.
#include "app/CKeloApp.h"
#include "framework/docview/CFrameWnd.h"
#include "startpage/CBrowserHost.h"
#include "startpage/CPageMenu.h"
#include "support/TestKiosk.h"
#include <gtest/gtest.h>
#include <string>

class CSkinClientWnd;

class StartedKiosk : public ::testing::Test
{
protected:
    // Starts Kelo with the browser control as the page view.
    void SetUp() override;
    void TearDown() override;
    // Starts Kelo with these settings in Kelo.ini.
    void Start(const char* pszKeloIni);

    CSkinClientWnd& Skin() const;
    CFrameWnd* PageFrame() const { return theApp.m_pPageFrame; }
    static CPageMenu* PageMenuOf(const CFrameWnd* pFrame);
    static CBrowserHost* HostOf(const CFrameWnd* pFrame);
    // The host's control site window, and the control's IWebBrowser2.
    static CWnd* SiteOf(const CFrameWnd* pFrame);
    static ScopedComPtr<IWebBrowser2> BrowserOf(const CFrameWnd* pFrame);
    // Where the frame's browser control is, as it reports it ("" before any navigation).
    static std::string LocationOf(const CFrameWnd* pFrame);
    // The address the start page is requested at: the program's folder's res\main.html.
    std::string StartPageURL() const;

    CTestKiosk m_kiosk;
};
