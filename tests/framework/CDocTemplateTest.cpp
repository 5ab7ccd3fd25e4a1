// Documents, MDI child frames and form views made by a template inside an MDI main
// frame, seen through the journal their objects keep and through their windows.
#include "DocViewTestClasses.h"
#include "FrameworkTestResources.h"
#include "framework/docview/CCommandLineInfo.h"
#include "framework/docview/CDocManager.h"
#include "framework/docview/CMDIFrameWnd.h"
#include "framework/docview/CMultiDocTemplate.h"
#include "resources/resource.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

namespace
{
class DocTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, AfxGetApp()) << "another application object is installed";
        m_pApp.reset(new CTestApp);
        m_pMainFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pMainFrame->LoadFrame(IDR_MAINFRAME));
        m_pApp->m_pMainWnd = m_pMainFrame;
        m_pMainFrame->ShowWindow(SW_SHOWNORMAL);
        m_pTemplate = new CMultiDocTemplate(IDR_TEST_DOCTYPE, KELO_RUNTIME_CLASS(CTestDoc),
                                            KELO_RUNTIME_CLASS(CTestChildFrame), KELO_RUNTIME_CLASS(CTestFormView));
        m_pApp->AddDocTemplate(m_pTemplate);
        Journal::Clear();
    }
    void TearDown() override
    {
        if (m_pApp)
            m_pApp->CloseWindowsBeforeExit();
    }

    std::vector<HWND> ChildFrames() const
    {
        std::vector<HWND> frames;
        for (HWND h = ::GetWindow(m_pMainFrame->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            frames.push_back(h);
        return frames;
    }

    std::unique_ptr<CTestApp> m_pApp;
    CMDIFrameWnd* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
};

using Entries = std::vector<std::string>;

// The journal so far; it starts again empty.
Entries TakeJournal()
{
    Entries entries;
    entries.swap(Journal::Entries());
    return entries;
}
} // namespace

TEST_F(DocTemplateTest, NewDocumentGetsAnMdiChildFrameWithAFormViewInOrder)
{
    CDocument* pDoc = m_pApp->GetDocManager()->OnFileNew();
    ASSERT_NE(nullptr, pDoc);
    // The frame and its view are bound from their first messages; the view, a child
    // dialog, is complete before the document's OnNewDocument; its controls are bound
    // at the initial update, before the frame shows and becomes the active child.
    EXPECT_EQ((Entries{"frame1: WM_NCCREATE", "frame1: WM_CREATE", "view1: WM_NCCREATE", "view1: WM_CREATE",
                       "view1: WM_INITDIALOG", "view1: WM_SHOWWINDOW 1", "doc1: OnNewDocument",
                       "view1: OnInitialUpdate", "static1: PreSubclassWindow", "frame1: WM_SHOWWINDOW 1",
                       "frame1: activated"}),
              TakeJournal());

    ASSERT_TRUE(pDoc->IsKindOf(KELO_RUNTIME_CLASS(CTestDoc)));
    EXPECT_EQ(m_pTemplate, pDoc->GetDocTemplate());
    ASSERT_EQ(1u, pDoc->GetViews().size());
    CView* pView = pDoc->GetViews().front();
    ASSERT_TRUE(pView->IsKindOf(KELO_RUNTIME_CLASS(CTestFormView)));
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsKindOf(KELO_RUNTIME_CLASS(CTestChildFrame)));
    EXPECT_EQ(m_pMainFrame->m_hWndMDIClient, pFrame->GetParent());
    EXPECT_EQ(static_cast<CWnd*>(pFrame), m_pMainFrame->MDIGetActive());
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_EQ(pDoc, m_pMainFrame->GetActiveDocument());

    // The view is the dialog of its template, the frame's pane, laid over its client area.
    char szClass[16] = {};
    ::GetClassNameA(pView->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("#32770", szClass);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    CRect rcFrameClient, rcView;
    pFrame->GetClientRect(&rcFrameClient);
    ::GetWindowRect(pView->m_hWnd, &rcView);
    EXPECT_EQ(rcFrameClient.Size(), rcView.Size());

    // A second document's frame takes over; closing it gives the first one back.
    CDocument* pDoc2 = m_pApp->GetDocManager()->OnFileNew();
    ASSERT_NE(nullptr, pDoc2);
    Entries created = TakeJournal();
    ASSERT_GE(created.size(), 2u);
    EXPECT_EQ((Entries{"frame1: deactivated, other frame2", "frame2: activated, other frame1"}),
              Entries(created.end() - 2, created.end()));
    HWND hWndFrame2 = pDoc2->GetViews().front()->GetParentFrame()->m_hWnd;
    pDoc2->OnCloseDocument();
    EXPECT_EQ((Entries{"frame2: deactivated, other frame1", "frame1: activated, other frame2", "frame2: WM_SHOWWINDOW 0",
                       "frame2: WM_DESTROY", "view2: WM_DESTROY", "static2: WM_DESTROY", "static2: WM_NCDESTROY",
                       "view2: WM_NCDESTROY", "frame2: WM_NCDESTROY", "doc2: deleted"}),
              TakeJournal());
    EXPECT_FALSE(::IsWindow(hWndFrame2));
    EXPECT_EQ(static_cast<CWnd*>(pFrame), m_pMainFrame->MDIGetActive());
    EXPECT_EQ(1, m_pApp->GetDocManager()->GetOpenDocumentCount());
}

TEST_F(DocTemplateTest, DataExchangeBindsTheFormsControlsAfterPreSubclassWindow)
{
    CDocument* pDoc = m_pApp->GetDocManager()->OnFileNew();
    ASSERT_NE(nullptr, pDoc);
    auto* pView = static_cast<CTestFormView*>(pDoc->GetViews().front());
    TakeJournal();

    HWND hWndStatic = pView->GetDlgItem(IDC_TEST_STATIC);
    ASSERT_NE(nullptr, hWndStatic);
    EXPECT_EQ(hWndStatic, pView->m_static.m_hWnd);
    EXPECT_EQ(&pView->m_static, CWnd::FromHandlePermanent(hWndStatic));
    // Its messages now come through the object, and the static control still does its work.
    ::SetWindowTextA(hWndStatic, "Bonjour");
    EXPECT_EQ((Entries{"static1: WM_SETTEXT"}), TakeJournal());
    EXPECT_STREQ("Bonjour", pView->m_static.GetWindowText());
    // Binding again changes nothing.
    pView->UpdateData(FALSE);
    EXPECT_EQ(&pView->m_static, CWnd::FromHandlePermanent(hWndStatic));

    // A control whose PreSubclassWindow destroys it is gone, the form stays.
    EXPECT_EQ(nullptr, pView->m_doomed.m_hWnd);
    EXPECT_EQ(nullptr, pView->GetDlgItem(IDC_TEST_DOOMED));
    EXPECT_TRUE(::IsWindow(pView->m_hWnd));
}

TEST_F(DocTemplateTest, CommandsReachTheActiveViewThenItsDocumentThenTheApplication)
{
    ASSERT_NE(nullptr, m_pApp->GetDocManager()->OnFileNew());
    ASSERT_NE(nullptr, m_pApp->GetDocManager()->OnFileNew());
    TakeJournal();
    m_pMainFrame->SendMessage(WM_COMMAND, ID_TEST_ALL);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_TEST_DOC_APP);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_TEST_APP);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_TEST_APP + 1);
    EXPECT_EQ((Entries{"view2: command", "doc2: command", "app: command"}), TakeJournal());
}

TEST_F(DocTemplateTest, ClosingAllDocumentsDestroysEveryFrame)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(nullptr, m_pApp->GetDocManager()->OnFileNew());
    EXPECT_EQ(3u, ChildFrames().size());
    TakeJournal();
    m_pApp->CloseAllDocuments(TRUE);
    EXPECT_TRUE(ChildFrames().empty());
    EXPECT_EQ(0, m_pApp->GetDocManager()->GetOpenDocumentCount());
    Entries closed = TakeJournal();
    for (const char* pszEntry : {"frame1: WM_NCDESTROY", "frame2: WM_NCDESTROY", "frame3: WM_NCDESTROY", "doc1: deleted",
                                 "doc2: deleted", "doc3: deleted"})
        EXPECT_NE(closed.end(), std::find(closed.begin(), closed.end(), pszEntry)) << pszEntry;

    // A frame closed by itself takes its document along, being its last view.
    CDocument* pDoc = m_pApp->GetDocManager()->OnFileNew();
    ASSERT_NE(nullptr, pDoc);
    pDoc->GetViews().front()->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_TRUE(ChildFrames().empty());
    Entries closedByItself = TakeJournal();
    EXPECT_NE(closedByItself.end(), std::find(closedByItself.begin(), closedByItself.end(), "doc4: deleted"));
}

TEST(CCommandLineInfo, NoArgumentIsANewFileAFileNameOpensIt)
{
    struct Case
    {
        const char* pszCmdLine;
        int nShellCommand;
        const char* pszFileName;
    };
    const Case cases[] = {
        {"", CCommandLineInfo::FileNew, ""},
        {"  /nologo -x ", CCommandLineInfo::FileNew, ""},
        {"\"\"", CCommandLineInfo::FileNew, ""},
        {"C:\\Kiosque\\a.kel", CCommandLineInfo::FileOpen, "C:\\Kiosque\\a.kel"},
        {"/x \"C:\\Mes documents\\a.kel\" b.kel", CCommandLineInfo::FileOpen, "C:\\Mes documents\\a.kel"},
        {"\"a \\\"b\\\" c\"", CCommandLineInfo::FileOpen, "a \"b\" c"},
        {"\"C:\\Dossier\\\\\"", CCommandLineInfo::FileOpen, "C:\\Dossier\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszCmdLine);
        CCommandLineInfo info;
        info.ParseArguments(c.pszCmdLine);
        EXPECT_EQ(c.nShellCommand, info.m_nShellCommand);
        EXPECT_STREQ(c.pszFileName, info.m_strFileName);
    }
}

TEST_F(DocTemplateTest, ShellCommandsMakeANewDocumentOrOpenTheFile)
{
    m_pApp->m_lpCmdLine = const_cast<char*>("");
    CCommandLineInfo newInfo;
    m_pApp->ParseCommandLine(newInfo);
    EXPECT_TRUE(m_pApp->ProcessShellCommand(newInfo));
    EXPECT_EQ(1u, ChildFrames().size());
    EXPECT_EQ("doc1: OnNewDocument", TakeJournal().at(6));

    // A file that cannot be opened: nothing made for it stays.
    CTempFolder folder("shell");
    CCommandLineInfo missing;
    missing.ParseArguments("\"" + folder.Path() + "absent.kel\"");
    EXPECT_FALSE(m_pApp->ProcessShellCommand(missing));
    EXPECT_EQ(1u, ChildFrames().size());
    EXPECT_EQ(1, m_pApp->GetDocManager()->GetOpenDocumentCount());
    Entries failed = TakeJournal();
    EXPECT_NE(failed.end(), std::find(failed.begin(), failed.end(), "frame2: WM_NCDESTROY"));
    EXPECT_EQ("doc2: deleted", failed.back());

    // An existing file: the document takes its path and name, without OnNewDocument.
    CString strPath = folder.WriteFile("Essai.kel", "");
    CCommandLineInfo open;
    open.ParseArguments("\"" + strPath + "\"");
    EXPECT_TRUE(m_pApp->ProcessShellCommand(open));
    CDocument* pDoc = m_pMainFrame->GetActiveDocument();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ(strPath, pDoc->GetPathName());
    EXPECT_STREQ("Essai.kel", pDoc->GetTitle());
    Entries opened = TakeJournal();
    EXPECT_EQ(opened.end(), std::find(opened.begin(), opened.end(), "doc3: OnNewDocument"));
}
