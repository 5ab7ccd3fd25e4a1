#pragma once
// Checks from a thread of its own that a window keeps answering: it sends it WM_NULL over
// and over and keeps the longest time an answer took. Made and stopped on any thread,
// also the window's own.
#include <windows.h>
#include <atomic>
#include <thread>

class CPingWatch
{
public:
    explicit CPingWatch(HWND hWnd);
    ~CPingWatch();
    CPingWatch(const CPingWatch&) = delete;
    CPingWatch& operator=(const CPingWatch&) = delete;

    // Stops pinging; returns the longest answer time in milliseconds (an unanswered ping
    // counts as long as it was waited for).
    DWORD Stop();

private:
    void Run();

    HWND m_hWnd;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bDone{false};
    std::atomic<DWORD> m_nLongestMs{0};
    std::thread m_thread;
};
