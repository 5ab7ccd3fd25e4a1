#pragma once
// A document type for the framework tests: an MDI child frame holding a form view of
// IDD_TEST_FORM, whose static texts are bound by DDX_Control. Every object writes what
// happens to it into one journal, in order, as "who: what".
#include "framework/docview/CDocument.h"
#include "framework/docview/CFormView.h"
#include "framework/docview/CMDIChildWnd.h"
#include "framework/docview/CWinApp.h"
#include <string>
#include <vector>

// Commands: one handled by view, document and application, one by document and
// application, one by the application only.
const UINT ID_TEST_ALL = 33001;
const UINT ID_TEST_DOC_APP = 33002;
const UINT ID_TEST_APP = 33003;

struct Journal
{
    static std::vector<std::string>& Entries();
    static void Write(const std::string& strWho, const std::string& strWhat);
    // Empties the journal and starts the objects' numbering again.
    static void Clear();
};

// A name for each object, in the order they were made since the journal was cleared:
// frame1, view1, ...
std::string NameFor(const char* pszKind);

class CJournalStatic : public CWnd
{
public:
    CJournalStatic() : m_strName(NameFor("static")) {}
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string m_strName;
};

// A control that refuses to be bound: it destroys its window as it is subclassed.
class CDoomedStatic : public CWnd
{
public:
    void PreSubclassWindow() override { DestroyWindow(); }
};

class CTestDoc : public CDocument
{
    KELO_DECLARE_DYNCREATE(CTestDoc)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CTestDoc() : m_strName(NameFor("doc")) {}
    ~CTestDoc() override;
    BOOL OnNewDocument() override;
    void OnAll() { Journal::Write(m_strName, "command"); }
    void OnDocApp() { Journal::Write(m_strName, "command"); }
    std::string m_strName;
};

class CTestChildFrame : public CMDIChildWnd
{
    KELO_DECLARE_DYNCREATE(CTestChildFrame)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CTestChildFrame() : m_strName(NameFor("frame")) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    std::string m_strName;
};

class CTestFormView : public CFormView
{
    KELO_DECLARE_DYNCREATE(CTestFormView)
    KELO_DECLARE_MESSAGE_MAP()

public:
    CTestFormView();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;
    void OnAll() { Journal::Write(m_strName, "command"); }

    std::string m_strName;
    CJournalStatic m_static;
    CDoomedStatic m_doomed;
};

class CTestApp : public CWinApp
{
    KELO_DECLARE_MESSAGE_MAP()

public:
    CTestApp() : CWinApp("Essai") {}
    void OnAll() { Journal::Write("app", "command"); }
    void OnDocApp() { Journal::Write("app", "command"); }
    void OnApp() { Journal::Write("app", "command"); }
};
