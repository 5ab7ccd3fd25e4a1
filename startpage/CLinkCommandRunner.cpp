#include "startpage/CLinkCommandRunner.h"
#include "app/KeloMessages.h"
#include "framework/AfxGlobals.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include <cstdlib>
#include <cstring>
#include <new>

char g_szLinkCommand[LINK_COMMAND_MAX + 1];
thread_local char g_szLinkArgument[LINK_ARGUMENT_MAX + 1];

namespace
{
// Matched in this order; a name is matched together with its "(".
const LINKCOMMAND kLinkCommands[] = {
    {"quitter(", &CLinkCommandRunner::OnQuitter},
    {"exec(", &CLinkCommandRunner::OnExec},
    {"fonc(", &CLinkCommandRunner::OnFonc},
    {nullptr, nullptr},
};
} // namespace

CLinkCommandRunner::CLinkCommandRunner(const char* pszCommands, HANDLE* phThread)
    : m_pCommands(kLinkCommands)
{
    if (phThread)
        *phThread = nullptr;
    HWND hWndMain = MainWindow();
    if (hWndMain)
        ::EnableWindow(hWndMain, FALSE);
    m_strCommands = pszCommands;

    // Started suspended, so that the worker cannot delete the runner while CreateThread
    // still writes the identifier into it.
    HANDLE hThread = ::CreateThread(nullptr, 0, &CLinkCommandRunner::LinkThreadProc, this, CREATE_SUSPENDED,
                                    &m_dwThreadId);
    if (!hThread) {
        // Nothing will ever end this runner: at least give the window back.
        if (hWndMain)
            ::EnableWindow(hWndMain, TRUE);
        return;
    }
    // From here on the runner belongs to its worker.
    ::ResumeThread(hThread);
    if (phThread)
        *phThread = hThread;
    else
        ::CloseHandle(hThread);
}

CLinkCommandRunner::~CLinkCommandRunner()
{
    if (HWND hWndMain = MainWindow())
        ::EnableWindow(hWndMain, TRUE);
}

HWND CLinkCommandRunner::MainWindow()
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pWnd = pApp ? pApp->GetMainWnd() : nullptr;
    return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}

const LINKCOMMAND* CLinkCommandRunner::FindCommand(const char* pszName) const
{
    for (const LINKCOMMAND* pCommand = m_pCommands; pCommand->pszName; ++pCommand) {
        if (_strnicmp(pszName, pCommand->pszName, std::strlen(pCommand->pszName)) == 0)
            return pCommand;
    }
    return nullptr;
}

DWORD WINAPI CLinkCommandRunner::LinkThreadProc(LPVOID pParam)
{
    CLinkCommandRunner* pRunner = static_cast<CLinkCommandRunner*>(pParam);
    const char* p = pRunner->m_strCommands;
    // Commands stand back to back: anything but "/" where one should start ends the text.
    while (*p == '/') {
        const char* pszName = p + 1;
        const char* pszParen = std::strchr(pszName, '(');
        if (!pszParen)
            break;
        // An unknown name leaves the cursor after its "(": its argument is read as
        // further commands.
        const char* pCursor = pszParen + 1;
        if (const LINKCOMMAND* pCommand = pRunner->FindCommand(pszName))
            (pRunner->*pCommand->pfnHandler)(&pCursor);
        p = pCursor;
    }
    delete pRunner;
    return 0;
}

const char* CLinkCommandRunner::ExtractArgument(const char** ppCursor)
{
    const char* pszStart = *ppCursor;
    const char* pszClose = std::strchr(pszStart, ')');
    if (!pszClose) {
        *ppCursor = pszStart + std::strlen(pszStart);
        return nullptr;
    }
    *ppCursor = pszClose + 1;
    size_t nLength = static_cast<size_t>(pszClose - pszStart);
    if (nLength > LINK_ARGUMENT_MAX)
        return nullptr;
    std::memset(g_szLinkArgument, 0, sizeof(g_szLinkArgument));
    std::memcpy(g_szLinkArgument, pszStart, nLength);
    return g_szLinkArgument;
}

CString CLinkCommandRunner::TakeVideoArgument(LPARAM lParam)
{
    char* pszCopy = reinterpret_cast<char*>(lParam);
    CString strName(pszCopy);
    delete[] pszCopy;
    return strName;
}

void CLinkCommandRunner::OnQuitter(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    if (!pszArgument)
        return;
    CString strQuestion(pszArgument);
    strQuestion.Replace("/?", "?");
    // Only a Yes quits: a box that could not be shown is no consent.
    if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES)
        return;
    if (HWND hWndMain = MainWindow())
        ::PostMessageA(hWndMain, WM_QUIT, 0, 0);
}

void CLinkCommandRunner::OnExec(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    HWND hWndMain = MainWindow();
    if (!pszArgument || !hWndMain)
        return;
    // The next command overwrites g_szLinkArgument at once: the main frame gets a copy of
    // its own.
    size_t nSize = std::strlen(pszArgument) + 1;
    char* pszCopy = new (std::nothrow) char[nSize];
    if (!pszCopy)
        return;
    std::memcpy(pszCopy, pszArgument, nSize);
    if (!::PostMessageA(hWndMain, WM_APP_PLAYVIDEO, 0, reinterpret_cast<LPARAM>(pszCopy)))
        delete[] pszCopy;
}

void CLinkCommandRunner::OnFonc(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    HWND hWndMain = MainWindow();
    if (!pszArgument || !hWndMain)
        return;
    // atoi's value, with a number too large for an int held at its limit instead of
    // overflowing (long is 32 bits here).
    int nCode = static_cast<int>(std::strtol(pszArgument, nullptr, 10));
    ::PostMessageA(hWndMain, WM_APP_VIDEOCONTROL, static_cast<WPARAM>(nCode), 0);
}
