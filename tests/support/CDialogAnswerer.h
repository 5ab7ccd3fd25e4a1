#pragma once
// Answers a dialog box that the code under test shows modally on the test's own thread:
// a thread of its own waits for the first dialog of this process, reads its caption and
// text, and presses one of its buttons.
//   CDialogAnswerer answerer(IDNO);
//   int nResult = AfxMessageBox("...", MB_YESNO);
//   answerer.Join();
//   EXPECT_STREQ("...", answerer.Text());
#include "framework/core/CString.h"
#include <atomic>
#include <thread>

class CDialogAnswerer
{
public:
    // Starts waiting, at most dwTimeoutMs, for the dialog to answer with nButtonId.
    explicit CDialogAnswerer(int nButtonId, DWORD dwTimeoutMs = 10000);
    ~CDialogAnswerer();
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

    // Stops waiting and ends the thread; the results below are final afterwards.
    void Join();
    bool Answered() const { return m_bAnswered; }
    const CString& Caption() const { return m_strCaption; }
    // The dialog's static texts (a message box's message), as GetDialogStaticText gives them.
    const CString& Text() const { return m_strText; }

private:
    void Wait(int nButtonId, DWORD dwTimeoutMs);

    std::atomic<bool> m_bStop{false};
    bool m_bAnswered = false;
    CString m_strCaption;
    CString m_strText;
    std::thread m_thread;
};
