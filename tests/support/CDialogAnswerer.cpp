#include "support/CDialogAnswerer.h"
#include "support/DialogProbe.h"

namespace
{
const DWORD kPollMs = 10;
} // namespace

CDialogAnswerer::CDialogAnswerer(int nButtonId, DWORD dwTimeoutMs)
    : m_thread(&CDialogAnswerer::Wait, this, nButtonId, dwTimeoutMs)
{
}

CDialogAnswerer::~CDialogAnswerer()
{
    Join();
}

void CDialogAnswerer::Join()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CDialogAnswerer::Wait(int nButtonId, DWORD dwTimeoutMs)
{
    // A dialog of another thread appears without any message to this one: look regularly.
    for (ULONGLONG nEnd = ::GetTickCount64() + dwTimeoutMs; !m_bStop && ::GetTickCount64() < nEnd; ::Sleep(kPollMs)) {
        HWND hDlg = FindOwnDialog();
        if (!hDlg)
            continue;
        char szCaption[256] = {};
        ::GetWindowTextA(hDlg, szCaption, sizeof(szCaption));
        m_strCaption = szCaption;
        m_strText = GetDialogStaticText(hDlg);
        AnswerDialog(hDlg, nButtonId);
        m_bAnswered = true;
        return;
    }
}
