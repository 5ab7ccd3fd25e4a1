#include "support/WindowSearch.h"

namespace
{
struct SearchState
{
    DWORD dwProcessId;
    const char* pszClass;
    HWND hWndFound;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    SearchState* pState = reinterpret_cast<SearchState*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (pState->dwProcessId && dwProcessId != pState->dwProcessId)
        return TRUE;
    char szClass[256] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if ((pState->pszClass && lstrcmpiA(szClass, pState->pszClass) != 0) || !::IsWindowVisible(hWnd))
        return TRUE;
    pState->hWndFound = hWnd;
    return FALSE;
}
} // namespace

HWND WaitForTopLevelWindow(DWORD dwProcessId, const char* pszClass, DWORD nTimeoutMs)
{
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        SearchState state = {dwProcessId, pszClass, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&state));
        if (state.hWndFound)
            return state.hWndFound;
        if (::GetTickCount() - dwStart >= nTimeoutMs)
            return nullptr;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
}

HWND FindVisibleDescendant(HWND hWndParent, const char* pszClass)
{
    SearchState state = {0, pszClass, nullptr};
    ::EnumChildWindows(hWndParent, MatchWindow, reinterpret_cast<LPARAM>(&state));
    return state.hWndFound;
}
