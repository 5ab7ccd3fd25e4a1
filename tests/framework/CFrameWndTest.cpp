// Frame windows made from resource 128: what LoadFrame gives them, where their commands
// and keystrokes go, and how they end.
#include "framework/docview/CFrameWnd.h"
#include "framework/docview/CWinApp.h"
#include "framework/core/FrameworkIds.h"
#include "FrameworkTestResources.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
const char kTitle[] = "Cadre d'essai";

std::vector<UINT> g_handled;

class CRecordingFrame : public CFrameWnd
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    explicit CRecordingFrame(bool* pbDeleted = nullptr) : m_pbDeleted(pbDeleted) {}
    ~CRecordingFrame() override
    {
        if (m_pbDeleted)
            *m_pbDeleted = true;
    }
    void OnFileNew() { g_handled.push_back(ID_FILE_NEW + 1000000); }
    void OnNextPane() { g_handled.push_back(ID_NEXT_PANE + 1000000); }

private:
    bool* m_pbDeleted;
};

KELO_BEGIN_MESSAGE_MAP(CRecordingFrame, CFrameWnd)
    OnCmd<ID_FILE_NEW, &CRecordingFrame::OnFileNew>(),
    OnCmd<ID_NEXT_PANE, &CRecordingFrame::OnNextPane>(),
KELO_END_MESSAGE_MAP()

class CRecordingApp : public CWinApp
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    void OnFileNew() { g_handled.push_back(ID_FILE_NEW); }
    void OnFileOpen() { g_handled.push_back(ID_FILE_OPEN); }
};

KELO_BEGIN_MESSAGE_MAP(CRecordingApp, CWinApp)
    OnCmd<ID_FILE_NEW, &CRecordingApp::OnFileNew>(),
    OnCmd<ID_FILE_OPEN, &CRecordingApp::OnFileOpen>(),
KELO_END_MESSAGE_MAP()

class CFailingFrame : public CRecordingFrame
{
public:
    using CRecordingFrame::CRecordingFrame;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext*) override { return FALSE; }
};

CString MenuText(HMENU hMenu, UINT nPosition)
{
    char szText[64] = {};
    ::GetMenuStringA(hMenu, nPosition, szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}
} // namespace

TEST(CFrameWnd, LoadFrameTakesMenuAcceleratorsIconAndTitleFromTheResourceAndTheFrameEndsWithItsWindow)
{
    bool bDeleted = false;
    CRecordingFrame* pFrame = new CRecordingFrame(&bDeleted);
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    HWND hWnd = pFrame->m_hWnd;

    char szTitle[64] = {};
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ(kTitle, szTitle);
    EXPECT_STREQ(kTitle, pFrame->GetTitle());

    HMENU hMenu = ::GetMenu(hWnd);
    ASSERT_NE(nullptr, hMenu);
    EXPECT_EQ(hMenu, pFrame->GetDefaultMenu());
    EXPECT_EQ(3, ::GetMenuItemCount(hMenu));
    EXPECT_STREQ("&Fichier", MenuText(hMenu, 0));
    EXPECT_STREQ("&Vid\xe9o", MenuText(hMenu, 1));

    EXPECT_NE(0u, ::GetClassLongPtrA(hWnd, GCLP_HICON));
    EXPECT_NE(nullptr, pFrame->GetDefaultAccelerator());
    // The style asked for is kept.
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME), ::GetWindowLongA(hWnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));

    EXPECT_FALSE(bDeleted);
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(bDeleted);
}

TEST(CFrameWnd, CommandsReachTheFrameFirstThenTheApplication)
{
    std::unique_ptr<CRecordingApp> pApp;
    if (!AfxGetApp())
        pApp.reset(new CRecordingApp);
    ASSERT_NE(nullptr, pApp) << "another application object is installed";
    ASSERT_EQ(pApp.get(), AfxGetApp());

    CRecordingFrame* pFrame = new CRecordingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    g_handled.clear();
    pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    pFrame->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_EQ((std::vector<UINT>{ID_FILE_NEW + 1000000, ID_FILE_OPEN}), g_handled);
    ::DestroyWindow(pFrame->m_hWnd);
}

TEST(CFrameWnd, KeystrokesGoThroughTheAcceleratorTable)
{
    CRecordingFrame* pFrame = new CRecordingFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME));
    g_handled.clear();

    MSG msgF6 = {pFrame->m_hWnd, WM_KEYDOWN, VK_F6, 0x00400001, 0, {0, 0}};
    EXPECT_TRUE(pFrame->PreTranslateMessage(&msgF6));
    EXPECT_EQ((std::vector<UINT>{ID_NEXT_PANE + 1000000}), g_handled);

    MSG msgF7 = {pFrame->m_hWnd, WM_KEYDOWN, VK_F7, 0x00410001, 0, {0, 0}};
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msgF7));
    MSG msgMouse = {pFrame->m_hWnd, WM_LBUTTONDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msgMouse));
    EXPECT_EQ(1u, g_handled.size());
    ::DestroyWindow(pFrame->m_hWnd);
}

TEST(CFrameWnd, FailedCreationReturnsFalseAndDeletesTheFrame)
{
    bool bDeleted = false;
    CFailingFrame* pFrame = new CFailingFrame(&bDeleted);
    EXPECT_FALSE(pFrame->LoadFrame(IDR_TEST_FRAME));
    EXPECT_TRUE(bDeleted);
}
