#include "support/MessagePump.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CWinApp.h"
#include <algorithm>

namespace
{
using MessageHook = std::function<void(const MSG&)>;

struct PUMPHOOKS
{
    MessageHook onQuit;              // gets WM_QUIT, which is not dispatched
    bool bThroughApplication = false; // each message goes to CWinApp::PreTranslateMessage first
    MessageHook onHandled;           // gets each other message once it has been handled
};

// Runs what is queued now.
void DrainQueue(const PUMPHOOKS& hooks)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (hooks.onQuit)
                hooks.onQuit(msg);
            continue;
        }
        CWinApp* pApp = hooks.bThroughApplication ? AfxGetApp() : nullptr;
        if (!pApp || !pApp->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (hooks.onHandled)
            hooks.onHandled(msg);
    }
}

bool PumpLoop(const std::function<bool()>& condition, HANDLE hWake, DWORD dwTimeoutMs, const PUMPHOOKS& hooks)
{
    ULONGLONG nEnd = ::GetTickCount64() + dwTimeoutMs;
    for (;;) {
        DrainQueue(hooks);
        if (condition()) {
            DrainQueue(hooks);
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

PUMPHOOKS QuitHook(const MessageHook& onQuit)
{
    PUMPHOOKS hooks;
    hooks.onQuit = onQuit;
    return hooks;
}

bool PumpUntilHandled(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs, bool bThroughApplication)
{
    bool bSeen = false;
    PUMPHOOKS hooks;
    hooks.bThroughApplication = bThroughApplication;
    hooks.onHandled = [&](const MSG& msg) { bSeen = bSeen || match(msg); };
    return PumpLoop([&bSeen] { return bSeen; }, nullptr, dwTimeoutMs, hooks);
}
} // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs, const MessageHook& onQuit)
{
    return PumpLoop(condition, nullptr, dwTimeoutMs, QuitHook(onQuit));
}

bool PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs, const MessageHook& onQuit)
{
    return PumpLoop([hObject] { return ::WaitForSingleObject(hObject, 0) == WAIT_OBJECT_0; }, hObject, dwTimeoutMs,
                    QuitHook(onQuit));
}

bool PumpUntilDispatched(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs)
{
    return PumpUntilHandled(match, dwTimeoutMs, false);
}

bool RunApplicationMessagesUntil(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs)
{
    return PumpUntilHandled(match, dwTimeoutMs, true);
}

void PumpFor(DWORD dwMs)
{
    PumpLoop([] { return false; }, nullptr, dwMs, PUMPHOOKS());
}
