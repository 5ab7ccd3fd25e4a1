#include "support/CPingWatch.h"
#include "support/MessagePump.h"

namespace
{
const UINT kPingTimeoutMs = 30000;
const DWORD kPingPauseMs = 20;
} // namespace

CPingWatch::CPingWatch(HWND hWnd)
    : m_hWnd(hWnd), m_thread(&CPingWatch::Run, this)
{
}

CPingWatch::~CPingWatch()
{
    Stop();
}

DWORD CPingWatch::Stop()
{
    m_bStop = true;
    // The window's thread, if it is this one, answers the last ping meanwhile.
    PumpUntil([this] { return m_bDone.load(); }, kPingTimeoutMs + 1000);
    if (m_thread.joinable())
        m_thread.join();
    return m_nLongestMs;
}

void CPingWatch::Run()
{
    while (!m_bStop) {
        ULONGLONG nStart = ::GetTickCount64();
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &dwResult);
        DWORD nMs = static_cast<DWORD>(::GetTickCount64() - nStart);
        if (nMs > m_nLongestMs)
            m_nLongestMs = nMs;
        ::Sleep(kPingPauseMs);
    }
    m_bDone = true;
}
