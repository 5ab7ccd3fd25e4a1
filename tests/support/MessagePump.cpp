#include "support/MessagePump.h"
#include <algorithm>

namespace
{
// Dispatches what is queued now, handing any WM_QUIT to onQuit.
void DrainQueue(const std::function<void(const MSG&)>& onQuit)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (onQuit)
                onQuit(msg);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpLoop(const std::function<bool()>& condition, HANDLE hWake, DWORD dwTimeoutMs,
              const std::function<void(const MSG&)>& onQuit)
{
    ULONGLONG nEnd = ::GetTickCount64() + dwTimeoutMs;
    for (;;) {
        DrainQueue(onQuit);
        if (condition()) {
            DrainQueue(onQuit);
            return true;
        }
        ULONGLONG nNow = ::GetTickCount64();
        if (nNow >= nEnd)
            return false;
        // Wakes up for new messages and hWake, and at least every 10 ms for conditions
        // that come without either (a window of another thread appearing).
        DWORD dwWait = static_cast<DWORD>(std::min<ULONGLONG>(nEnd - nNow, 10));
        ::MsgWaitForMultipleObjects(hWake ? 1 : 0, hWake ? &hWake : nullptr, FALSE, dwWait, QS_ALLINPUT);
    }
}
} // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs, const std::function<void(const MSG&)>& onQuit)
{
    return PumpLoop(condition, nullptr, dwTimeoutMs, onQuit);
}

bool PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs, const std::function<void(const MSG&)>& onQuit)
{
    return PumpLoop([hObject] { return ::WaitForSingleObject(hObject, 0) == WAIT_OBJECT_0; }, hObject, dwTimeoutMs,
                    onQuit);
}
