#include "PlayerWindows.h"
#include "videoplayer/PlayerProtocol.h"

namespace
{
const UINT_PTR ANIMATION_TIMER = 1;
const UINT_PTR VIEW_TIMER = 2;
// Posted to the frame once its view is up.
const UINT WM_PLAYER_VIEW_UP = WM_APP + 1;
const UINT ANIMATION_PERIOD_MS = 40;
const int FRAME_WIDTH = 480;
const int FRAME_HEIGHT = 300;
const COLORREF BACKGROUND = RGB(16, 24, 64);
const COLORREF FOREGROUND = RGB(255, 255, 255);
const COLORREF BAR = RGB(64, 160, 255);

const PlayerConfig* g_pConfig = nullptr;
DWORD g_dwStart = 0;

void DrawCentredText(HDC hDC, const RECT& rc, const char* pszText, int nHeight)
{
    HFONT hFont = ::CreateFontA(nHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, FOREGROUND);
    RECT rcText = rc;
    ::DrawTextA(hDC, pszText, -1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
}

void Fill(HDC hDC, const RECT& rc, COLORREF cr)
{
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

// The title in the upper half, the progress bar below it.
void PaintPlayback(HDC hDC, const RECT& rcClient, DWORD dwElapsed)
{
    Fill(hDC, rcClient, BACKGROUND);
    RECT rcTitle = {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom / 2};
    DrawCentredText(hDC, rcTitle, g_pConfig->strName.c_str(), 36);
    RECT rcBar = {rcClient.right / 8, rcClient.bottom * 5 / 8, rcClient.right * 7 / 8, rcClient.bottom * 5 / 8 + 20};
    Fill(hDC, rcBar, FOREGROUND);
    DWORD nDuration = g_pConfig->nDurationMs ? g_pConfig->nDurationMs : 1;
    if (dwElapsed > nDuration)
        dwElapsed = nDuration;
    RECT rcDone = {rcBar.left + 2, rcBar.top + 2, rcBar.right - 2, rcBar.bottom - 2};
    rcDone.right = rcDone.left + static_cast<LONG>((rcDone.right - rcDone.left) * static_cast<double>(dwElapsed) / nDuration);
    Fill(hDC, rcDone, BAR);
}

LRESULT CALLBACK ViewProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CREATE:
        g_dwStart = ::GetTickCount();
        ::SetTimer(hWnd, ANIMATION_TIMER, ANIMATION_PERIOD_MS, nullptr);
        return 0;
    case WM_TIMER:
        if (::GetTickCount() - g_dwStart >= g_pConfig->nDurationMs) {
            // The playback has ended: the view goes, the frame stays until told to exit.
            ::KillTimer(hWnd, ANIMATION_TIMER);
            AppendLog(*g_pConfig, "ended");
            ::InvalidateRect(::GetParent(hWnd), nullptr, TRUE);
            ::DestroyWindow(hWnd);
        } else {
            ::InvalidateRect(hWnd, nullptr, FALSE);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        // Drawn off screen first, so the bar does not flicker.
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        PaintPlayback(hMemDC, rc, ::GetTickCount() - g_dwStart);
        ::BitBlt(hDC, 0, 0, rc.right, rc.bottom, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMemDC);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

bool CreateView(HWND hFrame)
{
    RECT rc;
    ::GetClientRect(hFrame, &rc);
    HWND hView = ::CreateWindowExA(0, PLAYER_VIEW_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, hFrame,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (hView)
        ::PostMessageA(hFrame, WM_PLAYER_VIEW_UP, 0, 0);
    return hView != nullptr;
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CREATE:
        if (g_pConfig->nViewDelayMs > 0)
            ::SetTimer(hWnd, VIEW_TIMER, static_cast<UINT>(g_pConfig->nViewDelayMs), nullptr);
        else if (g_pConfig->nViewDelayMs == 0)
            return CreateView(hWnd) ? 0 : -1;
        return 0;
    case WM_TIMER:
        if (wParam == VIEW_TIMER) {
            ::KillTimer(hWnd, VIEW_TIMER);
            CreateView(hWnd);
        }
        return 0;
    case WM_PLAYER_VIEW_UP:
        // A hung player: its windows stay, its messages wait.
        if (g_pConfig->nHangMs) {
            AppendLog(*g_pConfig, "hangs");
            ::Sleep(g_pConfig->nHangMs);
        }
        return 0;
    case WM_SIZE: {
        HWND hView = ::FindWindowExA(hWnd, nullptr, PLAYER_VIEW_CLASS, nullptr);
        if (hView)
            ::MoveWindow(hView, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == PLAYER_EXIT_COMMAND) {
            // Gone before the sender's SendMessage returns, unless told to stay.
            AppendLog(*g_pConfig, "exit");
            if (!g_pConfig->bIgnoreExit)
                ::DestroyWindow(hWnd);
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        Fill(hDC, rc, BACKGROUND);
        DrawCentredText(hDC, rc, "Lecture termin\xE9" "e", 24);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE hInstance, const char* pszClass, WNDPROC pfnProc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.lpszClassName = pszClass;
    return ::RegisterClassA(&wc) != 0;
}
} // namespace

HWND CreatePlayerFrame(HINSTANCE hInstance, const PlayerConfig& config, int nCmdShow)
{
    g_pConfig = &config;
    if (!RegisterWindowClass(hInstance, PLAYER_FRAME_CLASS, FrameProc) || !RegisterWindowClass(hInstance, PLAYER_VIEW_CLASS, ViewProc))
        return nullptr;
    HWND hFrame = ::CreateWindowExA(0, PLAYER_FRAME_CLASS, config.strName.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, FRAME_WIDTH, FRAME_HEIGHT, nullptr, nullptr, hInstance, nullptr);
    if (hFrame) {
        ::ShowWindow(hFrame, nCmdShow);
        ::UpdateWindow(hFrame);
    }
    return hFrame;
}
