#include "support/MessagePump.h"
#include <algorithm>

namespace
{
using MessageHook = std::function<void(const MSG&)>;

// Dispatches what is queued now, handing any WM_QUIT to onQuit and every dispatched
// message, once it has been handled, to onDispatched.
void DrainQueue(const MessageHook& onQuit, const MessageHook& onDispatched)
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
        if (onDispatched)
            onDispatched(msg);
    }
}

bool PumpLoop(const std::function<bool()>& condition, HANDLE hWake, DWORD dwTimeoutMs, const MessageHook& onQuit,
              const MessageHook& onDispatched = nullptr)
{
    ULONGLONG nEnd = ::GetTickCount64() + dwTimeoutMs;
    for (;;) {
        DrainQueue(onQuit, onDispatched);
        if (condition()) {
            DrainQueue(onQuit, onDispatched);
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

bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs, const MessageHook& onQuit)
{
    return PumpLoop(condition, nullptr, dwTimeoutMs, onQuit);
}

bool PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs, const MessageHook& onQuit)
{
    return PumpLoop([hObject] { return ::WaitForSingleObject(hObject, 0) == WAIT_OBJECT_0; }, hObject, dwTimeoutMs,
                    onQuit);
}

bool PumpUntilDispatched(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs)
{
    bool bSeen = false;
    return PumpLoop([&bSeen] { return bSeen; }, nullptr, dwTimeoutMs, nullptr,
                    [&](const MSG& msg) { bSeen = bSeen || match(msg); });
}

void PumpFor(DWORD dwMs)
{
    PumpLoop([] { return false; }, nullptr, dwMs, nullptr);
}
