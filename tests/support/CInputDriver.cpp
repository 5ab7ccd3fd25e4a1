#include "support/CInputDriver.h"
#include "support/TestWindowClass.h"
#include <iterator>
#include <vector>

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

INPUT KeyInput(WORD wVirtualKey, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVirtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(wVirtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    return input;
}
} // namespace

CInputDriver::CInputDriver()
    : m_dwThreadId(::GetCurrentThreadId())
{
    m_hWnd = ::CreateWindowExA(0, RegisterTestWindowClass(kDriverClass, WndProc), "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr);
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

UINT CInputDriver::Send(INPUT* pInputs, UINT nCount)
{
    if (::GetCurrentThreadId() == m_dwThreadId)
        return ::SendInput(nCount, pInputs, sizeof(INPUT));
    DWORD_PTR dwTaken = 0;
    if (!::SendMessageTimeoutA(m_hWnd, WM_SEND_INPUT, nCount, reinterpret_cast<LPARAM>(pInputs), SMTO_NORMAL,
                               kSendTimeoutMs, &dwTaken))
        return 0;
    return static_cast<UINT>(dwTaken);
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
    TypeKeys({wVirtualKey});
}

bool CInputDriver::TypeKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD wKey : keys)
        inputs.push_back(KeyInput(wKey, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        inputs.push_back(KeyInput(*it, true));
    const UINT nCount = static_cast<UINT>(inputs.size());
    return Send(inputs.data(), nCount) == nCount;
}
