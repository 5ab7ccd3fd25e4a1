#pragma once
// A hidden top-level window that records the messages it receives, in order, with their
// parameters: the stand-in for a window other code sends or posts to. Its PumpUntil runs
// the calling thread's messages until a condition holds, recording a WM_QUIT taken from
// the queue as well (a real message loop would end there).
#include "framework/window/CWnd.h"
#include "support/MessagePump.h"
#include <functional>
#include <initializer_list>
#include <vector>

struct RecordedMessage
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

class CMessageRecorder : public CWnd
{
public:
    // Records the given messages; with none, every message from WM_USER up. A recorded
    // message is answered with 0 and gets no default processing.
    explicit CMessageRecorder(std::initializer_list<UINT> messages = {});
    // Also stops being the application's main window, so that its end quits nothing.
    ~CMessageRecorder() override;

    // Creates the hidden window on the calling thread.
    BOOL Create();

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    // The messages recorded so far; the record starts again empty.
    std::vector<RecordedMessage> Take();

    bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs);
    bool PumpUntilSignaled(HANDLE hObject, DWORD dwTimeoutMs);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Records(UINT message) const;
    void RecordQuit(const MSG& msg);

    std::vector<UINT> m_filter;
    std::vector<RecordedMessage> m_messages;
};
