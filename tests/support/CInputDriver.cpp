#include "support/CInputDriver.h"

namespace
{
const char kDriverClass[] = "KeloInputDriver";
const UINT WM_SEND_INPUT = WM_APP + 1;
// The owning thread must be dispatching messages; a test that stops doing so loses the
// input instead of hanging.
const UINT kSendTimeoutMs = 5000;

// Absolute coordinates run from 0 to 65535 over the primary screen; rounding up lands on
// the intended pixel.
LONG Normalized(int nPixel, int nScreen)
{
    return static_cast<LONG>((static_cast<LONGLONG>(nPixel) * 65536 + nScreen - 1) / nScreen);
}

INPUT MouseInput(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    return input;
}
} // namespace

CInputDriver::CInputDriver()
    : m_dwThreadId(::GetCurrentThreadId())
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kDriverClass;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(0, kDriverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

CInputDriver::~CInputDriver()
{
    ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CInputDriver::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SEND_INPUT)
        return ::SendInput(static_cast<UINT>(wParam), reinterpret_cast<INPUT*>(lParam), sizeof(INPUT));
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void CInputDriver::Send(INPUT* pInputs, UINT nCount)
{
    if (::GetCurrentThreadId() == m_dwThreadId)
        ::SendInput(nCount, pInputs, sizeof(INPUT));
    else
        ::SendMessageTimeoutA(m_hWnd, WM_SEND_INPUT, nCount, reinterpret_cast<LPARAM>(pInputs), SMTO_NORMAL,
                              kSendTimeoutMs, nullptr);
}

void CInputDriver::MovePointerTo(int x, int y)
{
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = Normalized(x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalized(y, ::GetSystemMetrics(SM_CYSCREEN));
    Send(&input, 1);
}

void CInputDriver::PressButton(bool bLeft)
{
    INPUT input = MouseInput(bLeft ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    Send(&input, 1);
}

void CInputDriver::ReleaseButton(bool bLeft)
{
    INPUT input = MouseInput(bLeft ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    Send(&input, 1);
}

void CInputDriver::ClickAt(int x, int y, bool bLeft)
{
    MovePointerTo(x, y);
    PressButton(bLeft);
    ReleaseButton(bLeft);
}

void CInputDriver::TypeKey(WORD wVirtualKey)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wVirtualKey;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(wVirtualKey, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    Send(inputs, 2);
}
