// How the application ends: with documents open, a WM_QUIT leaves no window behind by
// the time ExitInstance releases COM; and the recent-file list outlives the run in the
// registry.
#include "DocViewTestClasses.h"
#include "FrameworkTestResources.h"
#include "framework/docview/CMDIFrameWnd.h"
#include "framework/docview/CMultiDocTemplate.h"
#include "framework/docview/CRecentFileList.h"
#include "framework/core/ScopedWin.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <objbase.h>

namespace
{
class CJournalMainFrame : public CMDIFrameWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCDESTROY)
            Journal::Write("main", "WM_NCDESTROY");
        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

BOOL CALLBACK AddWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// Starts COM, opens two documents and posts WM_QUIT, as a link command would; releases
// COM first thing in ExitInstance, as Kelo does.
class CQuittingApp : public CTestApp
{
public:
    BOOL InitInstance() override
    {
        ::CoInitialize(nullptr);
        CMDIFrameWnd* pMainFrame = new CJournalMainFrame;
        if (!pMainFrame->LoadFrame(IDR_MAINFRAME))
            return FALSE;
        m_pMainWnd = pMainFrame;
        AddDocTemplate(new CMultiDocTemplate(IDR_TEST_DOCTYPE, KELO_RUNTIME_CLASS(CTestDoc),
                                             KELO_RUNTIME_CLASS(CTestChildFrame), KELO_RUNTIME_CLASS(CTestFormView)));
        OnFileNew();
        OnFileNew();
        m_windows.push_back(pMainFrame->m_hWnd);
        ::EnumChildWindows(pMainFrame->m_hWnd, AddWindow, reinterpret_cast<LPARAM>(&m_windows));
        ::PostQuitMessage(3);
        return TRUE;
    }

    int ExitInstance() override
    {
        int nLeft = 0;
        for (HWND hWnd : m_windows)
            nLeft += ::IsWindow(hWnd) ? 1 : 0;
        Journal::Write("app", "ExitInstance, windows left " + std::to_string(nLeft));
        ::CoUninitialize();
        Journal::Write("app", "CoUninitialize");
        return CWinApp::ExitInstance();
    }

    std::vector<HWND> m_windows;
};
} // namespace

TEST(CWinAppExit, QuitWithDocumentsOpenDestroysEveryWindowBeforeComIsReleased)
{
    Journal::Clear();
    CQuittingApp app;
    ASSERT_EQ(&app, AfxGetApp());
    EXPECT_EQ(3, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWNORMAL));
    EXPECT_EQ(8u, app.m_windows.size()) << "main frame, MDI client, two child frames with their view and control";

    std::vector<std::string> ends;
    for (const std::string& entry : Journal::Entries()) {
        if (entry.find("NCDESTROY") != std::string::npos || entry.find("deleted") != std::string::npos ||
            entry.rfind("app:", 0) == 0)
            ends.push_back(entry);
    }
    EXPECT_EQ((std::vector<std::string>{"static1: WM_NCDESTROY", "view1: WM_NCDESTROY", "frame1: WM_NCDESTROY",
                                        "doc1: deleted", "static2: WM_NCDESTROY", "view2: WM_NCDESTROY",
                                        "frame2: WM_NCDESTROY", "doc2: deleted", "main: WM_NCDESTROY",
                                        "app: ExitInstance, windows left 0", "app: CoUninitialize"}),
              ends);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "no second quit is left behind";
}

TEST(CWinAppExit, RecentFileListRoundTripsThroughTheRegistry)
{
    const char kRegistryKey[] = "Kelo Framework Tests";
    const char kListKey[] = "Software\\Kelo Framework Tests\\Essai MRU\\Recent File List";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kelo Framework Tests");
    const std::vector<CString> files = {"C:\\Kiosque\\a.kel", "C:\\Kiosque\\b.kel", "C:\\Kiosque\\c.kel",
                                        "C:\\Kiosque\\d.kel", "C:\\Kiosque\\e.kel"};
    {
        CWinApp app("Essai MRU");
        app.SetRegistryKey(kRegistryKey);
        app.LoadStdProfileSettings(4);
        ASSERT_NE(nullptr, app.GetRecentFileList());
        EXPECT_EQ(0, app.GetRecentFileList()->GetSize());
        for (const CString& strFile : files)
            app.AddToRecentFileList(strFile);
        // The same file in other letters moves to the front instead of being listed twice.
        app.AddToRecentFileList("c:\\KIOSQUE\\B.KEL");
        app.ExitInstance();
    }

    // Newest first, four at most, under the application's name.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kListKey, 0, KEY_READ, &hKey));
    ScopedRegKey key(hKey);
    char szValue[MAX_PATH] = {};
    DWORD cbValue = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "File1", nullptr, nullptr, reinterpret_cast<BYTE*>(szValue), &cbValue));
    EXPECT_STREQ("c:\\KIOSQUE\\B.KEL", szValue);
    cbValue = sizeof(szValue);
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExA(key, "File5", nullptr, nullptr, reinterpret_cast<BYTE*>(szValue), &cbValue));

    CWinApp next("Essai MRU");
    next.SetRegistryKey(kRegistryKey);
    next.LoadStdProfileSettings(4);
    const CRecentFileList& list = *next.GetRecentFileList();
    ASSERT_EQ(4, list.GetSize());
    EXPECT_STREQ("c:\\KIOSQUE\\B.KEL", list[0]);
    EXPECT_STREQ(files[4], list[1]);
    EXPECT_STREQ(files[3], list[2]);
    EXPECT_STREQ(files[2], list[3]);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kelo Framework Tests");
}
