// The MDI frame: its client window is the main pane, laid out by the frame itself, and
// the default processing is the MDI frame's.
#include "framework/docview/CMDIFrameWnd.h"
#include "resources/resource.h"
#include <gtest/gtest.h>

namespace
{
CRect ChildRectInParent(HWND hChild)
{
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hChild), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

class CMDIFrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_hWnd = m_pFrame->m_hWnd;
        m_pFrame->SetWindowPos(nullptr, 10, 10, 500, 400, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }

    CMDIFrameWnd* m_pFrame = nullptr;
    HWND m_hWnd = nullptr;
};
} // namespace

TEST_F(CMDIFrameWndTest, ClientWindowFillsTheClientAreaAndFollowsItsSize)
{
    HWND hClient = m_pFrame->m_hWndMDIClient;
    ASSERT_NE(nullptr, hClient);
    EXPECT_EQ(hClient, ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    char szClass[32] = {};
    ::GetClassNameA(hClient, szClass, sizeof(szClass));
    EXPECT_EQ(0, lstrcmpiA("MDIClient", szClass));

    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    EXPECT_EQ(rcClient, ChildRectInParent(hClient));

    m_pFrame->SetWindowPos(nullptr, 0, 0, 640, 300, SWP_NOZORDER | SWP_NOMOVE);
    ::GetClientRect(m_hWnd, &rcClient);
    EXPECT_EQ(rcClient, ChildRectInParent(hClient));
}
