// A bare 800 x 600 popup window, centred like Kelo's, that paints itself once in one
// colour: the floor of a program's start to its first paint.
#include <windows.h>

namespace
{
const COLORREF kColour = RGB(0, 128, 128);

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        HBRUSH hBrush = ::CreateSolidBrush(kColour);
        ::FillRect(hDC, &ps.rcPaint, hBrush);
        ::DeleteObject(hBrush);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = "KeloBarePopup";
    ::RegisterClassA(&wc);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - 800) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
    HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_SYSMENU, x, y, 800, 600, nullptr, nullptr,
                                  hInstance, nullptr);
    ::ShowWindow(hWnd, nCmdShow);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
