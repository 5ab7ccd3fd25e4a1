#pragma once
// Real input for tests: pointer moves, button presses and keystrokes go through SendInput
// into the system's input queue, as a user's would, and reach whichever window the
// system picks (the one under the pointer, the capture or the focus).
//
// Under Wine a pointer move also warps the X pointer, and the X server reports that move
// back; Wine drops such stale reports only on the thread that warped. So the input is
// sent from the thread that owns the windows being driven: a CInputDriver made on that
// thread may be used from any other (a test's script thread while the UI thread runs a
// modal loop), and hands each input over with a sent message.
#include <windows.h>
#include <initializer_list>

class CInputDriver
{
public:
    CInputDriver();
    ~CInputDriver();
    CInputDriver(const CInputDriver&) = delete;
    CInputDriver& operator=(const CInputDriver&) = delete;

    // Moves the pointer to the screen point (x, y).
    void MovePointerTo(int x, int y);
    void PressButton(bool bLeft = true);
    void ReleaseButton(bool bLeft = true);
    // Moves to (x, y), presses and releases the button there.
    void ClickAt(int x, int y, bool bLeft = true);
    // Presses and releases a key.
    void TypeKey(WORD wVirtualKey);
    // Presses the keys in order and releases them in reverse ({VK_CONTROL, VK_F4}); false
    // when the system did not take them all.
    bool TypeKeys(std::initializer_list<WORD> keys);

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The number of inputs the system took.
    UINT Send(INPUT* pInputs, UINT nCount);

    DWORD m_dwThreadId;
    HWND m_hWnd;
};
