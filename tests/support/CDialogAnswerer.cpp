#include "support/CDialogAnswerer.h"
#include "support/DialogProbe.h"
#include <cstdio>

namespace
{
const DWORD kPollMs = 10;

BOOL CALLBACK PrintWindowProc(HWND hWnd, LPARAM)
{
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    char szClass[64] = {};
    DWORD dwProcessId = 0;
    const DWORD dwThreadId = ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    std::printf("  window %p class %s, process %lu%s, thread %lu\n", static_cast<void*>(hWnd), szClass, dwProcessId,
                dwProcessId == ::GetCurrentProcessId() ? " (this one)" : "", dwThreadId);
    return TRUE;
}

// When a test is about to hang on a dialog that never came, what the screen held instead.
void PrintVisibleWindows(DWORD dwTimeoutMs)
{
    std::printf("no dialog of this process appeared within %lu ms; the visible top-level windows:\n", dwTimeoutMs);
    ::EnumWindows(PrintWindowProc, 0);
    std::fflush(stdout);
}
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
    if (!m_bStop)
        PrintVisibleWindows(dwTimeoutMs);
}
