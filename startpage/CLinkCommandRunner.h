#pragma once
// Carries out the command text of one "app://" link, such as /fonc(0)/exec(film1.exe),
// on a worker thread of its own. Created on the user-interface thread with new; it
// disables the main window, and deletes itself once the text is done, which enables the
// main window again. Nobody keeps a pointer to it.
//
// Ownership of the WM_APP_PLAYVIDEO text: every such message carries in lParam a copy of
// the video program's name made for that message alone. The receiver takes it with
// TakeVideoArgument(lParam), exactly once, which returns the name and frees the copy. When
// the post fails the runner frees the copy itself.
#include "framework/CString.h"
#include "startpage/StartPageConstants.h"

class CLinkCommandRunner;

// One command of the link language: its name including the opening parenthesis, and the
// handler that reads its argument from the parse cursor.
struct LINKCOMMAND
{
    const char* pszName;   // null ends the table
    void (CLinkCommandRunner::*pfnHandler)(const char** ppCursor);
};

// The command text of the last intercepted link, written by the browser host on the
// user-interface thread before it creates the runner.
extern char g_szLinkCommand[LINK_COMMAND_MAX + 1];
// The argument ExtractArgument read last. One per thread, so that runners never share it.
extern thread_local char g_szLinkArgument[LINK_ARGUMENT_MAX + 1];

class CLinkCommandRunner
{
public:
    // Disables the main window, copies the text and starts the worker. With phThread the
    // caller receives a handle on the worker (to wait for it) and must close it.
    explicit CLinkCommandRunner(const char* pszCommands, HANDLE* phThread = nullptr);
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

    // The receiver's side of WM_APP_PLAYVIDEO: the name carried by lParam, whose copy it
    // frees. An lParam of 0 gives an empty name.
    static CString TakeVideoArgument(LPARAM lParam);

    void OnQuitter(const char** ppCursor);
    void OnExec(const char** ppCursor);
    void OnFonc(const char** ppCursor);

private:
    DWORD m_dwThreadId = 0;
    CString m_strCommands;            // the runner's own copy of the text
    const LINKCOMMAND* m_pCommands;   // the command table, ended by a null name

    // The application's main window at this moment, or null.
    static HWND MainWindow();
    // The handler of the command whose name starts at pszName, or null.
    const LINKCOMMAND* FindCommand(const char* pszName) const;
};
