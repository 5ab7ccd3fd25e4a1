#include "links/CLinkCommandRunner.h"
#include "links/LinkCommands.h"
#include "links/LinkConstants.h"
#include "framework/core/AfxGlobals.h"
#include "framework/docview/CWinApp.h"
#include "framework/window/CWnd.h"
#include "framework/core/ScopedWin.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

char g_szLinkCommand[LINK_COMMAND_MAX + 1];
thread_local char g_szLinkArgument[LINK_ARGUMENT_MAX + 1];

namespace
{
// The handler of each command, indexed by LinkCommand; it reads its argument from the
// parse cursor.
void (CLinkCommandRunner::*const kHandlers[LINK_COMMAND_COUNT])(const char** ppCursor) = {
    &CLinkCommandRunner::OnQuitter,
    &CLinkCommandRunner::OnExec,
    &CLinkCommandRunner::OnFonc,
};

// The names handed out with WM_APP_PLAYVIDEO and not taken yet. Workers add to the list,
// the user-interface thread takes from it.
struct OUTSTANDINGNAMES
{
    std::mutex lock;
    std::vector<std::unique_ptr<char[]>> aNames;
};

OUTSTANDINGNAMES& OutstandingNames()
{
    static OUTSTANDINGNAMES s_names;
    return s_names;
}

// The workers started and not known to have ended, to wait for at the end of the program.
struct RUNNINGWORKERS
{
    std::mutex lock;
    std::vector<ScopedHandle> aThreads;

    // Forgets the workers that have ended.
    void Prune()
    {
        aThreads.erase(std::remove_if(aThreads.begin(), aThreads.end(),
                                      [](const ScopedHandle& hThread) {
                                          return ::WaitForSingleObject(hThread, 0) != WAIT_TIMEOUT;
                                      }),
                       aThreads.end());
    }
};

RUNNINGWORKERS& RunningWorkers()
{
    static RUNNINGWORKERS s_workers;
    return s_workers;
}

// The application's main window at this moment, or null. User-interface thread only.
HWND MainWindow()
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pWnd = pApp ? pApp->GetMainWnd() : nullptr;
    return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}
} // namespace

CLinkCommandRunner::CLinkCommandRunner(const char* pszCommands)
    : m_strCommands(pszCommands), m_hWndMain(MainWindow()), m_hWndFocus(::GetFocus()),
      m_strTitle(AfxGetAppTitle())
{
}

BOOL CLinkCommandRunner::Start(const char* pszCommands, HANDLE* phThread)
{
    if (phThread)
        *phThread = nullptr;
    std::unique_ptr<CLinkCommandRunner> pRunner(new CLinkCommandRunner(pszCommands));
    // Started suspended, so that the worker cannot delete the runner while CreateThread
    // still writes the identifier into it.
    ScopedHandle hThread(::CreateThread(nullptr, 0, &CLinkCommandRunner::LinkThreadProc, pRunner.get(),
                                        CREATE_SUSPENDED, &pRunner->m_dwThreadId));
    if (!hThread.IsValid())
        return FALSE;
    if (phThread)
        ::DuplicateHandle(::GetCurrentProcess(), hThread, ::GetCurrentProcess(), phThread, 0, FALSE,
                          DUPLICATE_SAME_ACCESS);
    if (pRunner->m_hWndMain)
        ::EnableWindow(pRunner->m_hWndMain, FALSE);
    // From here on the runner belongs to its worker.
    pRunner.release();
    ::ResumeThread(hThread);
    RUNNINGWORKERS& workers = RunningWorkers();
    std::lock_guard<std::mutex> guard(workers.lock);
    workers.Prune();
    workers.aThreads.push_back(std::move(hThread));
    return TRUE;
}

BOOL CLinkCommandRunner::WaitForWorkers(DWORD nTimeoutMs)
{
    RUNNINGWORKERS& workers = RunningWorkers();
    std::vector<HANDLE> threads;
    {
        std::lock_guard<std::mutex> guard(workers.lock);
        workers.Prune();
        for (const ScopedHandle& hThread : workers.aThreads)
            threads.push_back(hThread);
    }
    if (threads.empty())
        return TRUE;
    // One at a time is the rule, so a few at most: more than the wait takes are waited
    // for from the first ones.
    if (threads.size() > MAXIMUM_WAIT_OBJECTS)
        threads.resize(MAXIMUM_WAIT_OBJECTS);
    DWORD nResult = ::WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, nTimeoutMs);
    std::lock_guard<std::mutex> guard(workers.lock);
    workers.Prune();
    return nResult != WAIT_TIMEOUT && workers.aThreads.empty();
}

CLinkCommandRunner::~CLinkCommandRunner() = default;

DWORD WINAPI CLinkCommandRunner::LinkThreadProc(LPVOID pParam)
{
    CLinkCommandRunner* pRunner = static_cast<CLinkCommandRunner*>(pParam);
    const char* p = pRunner->m_strCommands;
    for (LinkCommand nCommand; (nCommand = NextLinkCommand(&p)) != LINK_COMMAND_NONE;) {
        if (nCommand != LINK_COMMAND_UNKNOWN)
            (pRunner->*kHandlers[nCommand])(&p);
    }
    // The main window enables itself on its own thread once the link's messages are done.
    HWND hWndMain = pRunner->m_hWndMain;
    HWND hWndFocus = pRunner->m_hWndFocus;
    delete pRunner;
    if (hWndMain)
        ::PostMessageA(hWndMain, WM_APP_LINKDONE, reinterpret_cast<WPARAM>(hWndFocus), 0);
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

LPARAM CLinkCommandRunner::HandOutVideoArgument(const char* pszName)
{
    size_t nSize = std::strlen(pszName) + 1;
    std::unique_ptr<char[]> pszCopy(new (std::nothrow) char[nSize]);
    if (!pszCopy)
        return 0;
    std::memcpy(pszCopy.get(), pszName, nSize);
    LPARAM lParam = reinterpret_cast<LPARAM>(pszCopy.get());
    OUTSTANDINGNAMES& names = OutstandingNames();
    std::lock_guard<std::mutex> guard(names.lock);
    names.aNames.push_back(std::move(pszCopy));
    return lParam;
}

BOOL CLinkCommandRunner::TakeVideoArgument(LPARAM lParam, CString& strName)
{
    OUTSTANDINGNAMES& names = OutstandingNames();
    std::lock_guard<std::mutex> guard(names.lock);
    // Compared as numbers: an lParam that is no copy of ours is never read.
    auto it = std::find_if(names.aNames.begin(), names.aNames.end(), [lParam](const std::unique_ptr<char[]>& pszName) {
        return reinterpret_cast<LPARAM>(pszName.get()) == lParam;
    });
    if (it == names.aNames.end())
        return FALSE;
    strName = it->get();
    names.aNames.erase(it);
    return TRUE;
}

void CLinkCommandRunner::OnQuitter(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    if (!pszArgument)
        return;
    CString strQuestion(pszArgument);
    strQuestion.Replace("/?", "?");
    // Only a Yes quits: a box that could not be shown is no consent. Owned by the main
    // window, so that it stays in front of it.
    if (::MessageBoxA(m_hWndMain, strQuestion, m_strTitle, MB_YESNO) != IDYES)
        return;
    if (m_hWndMain)
        ::PostMessageA(m_hWndMain, WM_QUIT, 0, 0);
}

void CLinkCommandRunner::OnExec(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    if (!pszArgument || !m_hWndMain)
        return;
    // The next command overwrites g_szLinkArgument at once: the main frame gets a copy of
    // its own.
    LPARAM lParam = HandOutVideoArgument(pszArgument);
    CString strUnsent;
    if (lParam && !::PostMessageA(m_hWndMain, WM_APP_PLAYVIDEO, 0, lParam))
        TakeVideoArgument(lParam, strUnsent);
}

void CLinkCommandRunner::OnFonc(const char** ppCursor)
{
    const char* pszArgument = ExtractArgument(ppCursor);
    if (!pszArgument || !m_hWndMain)
        return;
    // atoi's value, with a number too large for an int held at its limit instead of
    // overflowing (long is 32 bits here).
    int nCode = static_cast<int>(std::strtol(pszArgument, nullptr, 10));
    ::PostMessageA(m_hWndMain, WM_APP_VIDEOCONTROL, static_cast<WPARAM>(nCode), 0);
}
