#include "DocViewTestClasses.h"
#include "FrameworkTestResources.h"
#include "framework/window/CDataExchange.h"
#include <map>

namespace
{
const char* MessageName(UINT message)
{
    switch (message) {
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_CREATE: return "WM_CREATE";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    default: return nullptr;
    }
}

std::map<std::string, int>& Counts()
{
    static std::map<std::string, int> s_counts;
    return s_counts;
}

void WriteMessage(const std::string& strWho, UINT message, WPARAM wParam)
{
    if (const char* pszName = MessageName(message))
        Journal::Write(strWho, message == WM_SHOWWINDOW ? std::string(pszName) + (wParam ? " 1" : " 0") : pszName);
}
} // namespace

std::vector<std::string>& Journal::Entries()
{
    static std::vector<std::string> s_entries;
    return s_entries;
}

void Journal::Write(const std::string& strWho, const std::string& strWhat)
{
    Entries().push_back(strWho + ": " + strWhat);
}

void Journal::Clear()
{
    Entries().clear();
    Counts().clear();
}

std::string NameFor(const char* pszKind)
{
    return pszKind + std::to_string(++Counts()[pszKind]);
}

void CJournalStatic::PreSubclassWindow()
{
    Journal::Write(m_strName, "PreSubclassWindow");
}

LRESULT CJournalStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WriteMessage(m_strName, message, wParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

KELO_IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

KELO_BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    OnCmd<ID_TEST_ALL, &CTestDoc::OnAll>(),
    OnCmd<ID_TEST_DOC_APP, &CTestDoc::OnDocApp>(),
KELO_END_MESSAGE_MAP()

CTestDoc::~CTestDoc()
{
    Journal::Write(m_strName, "deleted");
}

BOOL CTestDoc::OnNewDocument()
{
    Journal::Write(m_strName, "OnNewDocument");
    return CDocument::OnNewDocument();
}

KELO_IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)

KELO_BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    OnWmMDIActivate<&CTestChildFrame::OnMDIActivate>(),
KELO_END_MESSAGE_MAP()

LRESULT CTestChildFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WriteMessage(m_strName, message, wParam);
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
}

void CTestChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CTestChildFrame* pOther = static_cast<CTestChildFrame*>(bActivate ? pDeactivateWnd : pActivateWnd);
    Journal::Write(m_strName, std::string(bActivate ? "activated" : "deactivated") +
                                  (pOther ? ", other " + pOther->m_strName : std::string()));
    Default();
}

KELO_IMPLEMENT_DYNCREATE(CTestFormView, CFormView)

KELO_BEGIN_MESSAGE_MAP(CTestFormView, CFormView)
    OnCmd<ID_TEST_ALL, &CTestFormView::OnAll>(),
KELO_END_MESSAGE_MAP()

CTestFormView::CTestFormView()
    : CFormView(IDD_TEST_FORM), m_strName(NameFor("view"))
{
}

LRESULT CTestFormView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WriteMessage(m_strName, message, wParam);
    return CFormView::WindowProc(message, wParam, lParam);
}

void CTestFormView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_TEST_STATIC, m_static);
    DDX_Control(pDX, IDC_TEST_DOOMED, m_doomed);
}

void CTestFormView::OnInitialUpdate()
{
    Journal::Write(m_strName, "OnInitialUpdate");
    CFormView::OnInitialUpdate();
}

KELO_BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    OnCmd<ID_TEST_ALL, &CTestApp::OnAll>(),
    OnCmd<ID_TEST_DOC_APP, &CTestApp::OnDocApp>(),
    OnCmd<ID_TEST_APP, &CTestApp::OnApp>(),
KELO_END_MESSAGE_MAP()
