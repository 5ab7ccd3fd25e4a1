#pragma once
// Carries out the command text of one "app://" link, such as /fonc(0)/exec(film1.exe),
// on a worker thread of its own. Started on the user-interface thread with Start; the
// runner takes the main window's handle and the focus there and disables the window. The
// worker touches no window object: it only posts to that handle (and asks the "quitter("
// question owned by it), deletes the runner once the text is done, and posts
// WM_APP_LINKDONE, on which the main window enables itself again and gives the focus back.
// Nobody keeps a pointer to the runner; the program waits for the workers before it ends.
//
// Ownership of the WM_APP_PLAYVIDEO text: every such message carries in lParam a copy of
// the video program's name made for that message alone and listed as outstanding. The
// receiver takes it with TakeVideoArgument(lParam), which returns the name and frees the
// copy; an lParam that is not an outstanding copy (a message from another program, one
// taken already) is neither read nor freed. When the post fails the runner takes the
// copy back itself; copies never taken are freed at program exit.
#include "framework/core/CString.h"
#include "links/LinkConstants.h"

// The command text of the last intercepted link, written by the browser host on the
// user-interface thread before it creates the runner.
extern char g_szLinkCommand[LINK_COMMAND_MAX + 1];
// The argument ExtractArgument read last. One per thread, so that runners never share it.
extern thread_local char g_szLinkArgument[LINK_ARGUMENT_MAX + 1];

class CLinkCommandRunner
{
public:
    // Disables the main window, copies the text and starts the worker. With phThread the
    // caller receives a handle on the worker (to wait for it) and must close it. FALSE,
    // with the runner freed and the window as it was, when the worker cannot start.
    static BOOL Start(const char* pszCommands, HANDLE* phThread = nullptr);
    // Waits up to nTimeoutMs for every worker to end; TRUE when none is left. The program
    // calls it before it ends, while what the workers use still exists.
    static BOOL WaitForWorkers(DWORD nTimeoutMs);

    virtual ~CLinkCommandRunner();
    CLinkCommandRunner(const CLinkCommandRunner&) = delete;
    CLinkCommandRunner& operator=(const CLinkCommandRunner&) = delete;

    // The parse loop of the worker thread; deletes the runner at the end. Returns 0.
    static DWORD WINAPI LinkThreadProc(LPVOID pParam);
    // Reads the argument at the cursor up to its ")" into g_szLinkArgument and moves the
    // cursor past the ")". Null when the ")" is missing (the cursor is then at the end of
    // the text) or when the argument is longer than LINK_ARGUMENT_MAX (the cursor is then
    // past its ")", so the next command is read as usual).
    static const char* ExtractArgument(const char** ppCursor);

    // The sender's side of WM_APP_PLAYVIDEO: an outstanding copy of the name, as lParam;
    // 0 when no memory is left.
    static LPARAM HandOutVideoArgument(const char* pszName);
    // The receiver's side: the name of the outstanding copy lParam, which is freed. FALSE,
    // and strName untouched, for any other lParam.
    static BOOL TakeVideoArgument(LPARAM lParam, CString& strName);

    void OnQuitter(const char** ppCursor);
    void OnExec(const char** ppCursor);
    void OnFonc(const char** ppCursor);

private:
    explicit CLinkCommandRunner(const char* pszCommands);

    DWORD m_dwThreadId = 0;
    CString m_strCommands;            // the runner's own copy of the text
    // Taken on the user-interface thread at creation: the main window (null without one),
    // the window that had the focus (disabling the main window takes it away) and the
    // caption of the "quitter(" question.
    HWND m_hWndMain = nullptr;
    HWND m_hWndFocus = nullptr;
    CString m_strTitle;
};
