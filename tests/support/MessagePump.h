#pragma once
// Running the calling thread's messages while a test waits for something.
#include <windows.h>
#include <functional>

// Dispatches the calling thread's messages until condition() holds or dwTimeoutMs have
// passed; returns whether it held. The condition is checked each time the queue is empty;
// once it holds the queue is emptied once more, so what was posted before it came true
// has been dispatched. A WM_QUIT is not dispatched but handed to onQuit, if given.
bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs,
               const std::function<void(const MSG&)>& onQuit = nullptr);
// The same until a waitable object (a thread, a process, an event) is signalled; wakes up
// the moment it is.
bool PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs, const std::function<void(const MSG&)>& onQuit = nullptr);
// The same until a message that match() accepts has been dispatched (and handled), such
// as the next WM_TIMER of a window.
bool PumpUntilDispatched(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs);
// The same, each message offered first to the application's PreTranslateMessage (its
// windows' accelerators and key filters) as the application's message loop does; a
// message taken there counts as handled.
bool RunApplicationMessagesUntil(const std::function<bool(const MSG&)>& match, DWORD dwTimeoutMs);
// Dispatches messages for dwMs milliseconds, for checks that something does not happen.
void PumpFor(DWORD dwMs);
