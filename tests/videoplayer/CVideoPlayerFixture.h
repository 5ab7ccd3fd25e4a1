#pragma once
// A video player supervising real stand-in players, its timer on a hidden window of the
// test's thread.
#include "videoplayer/CVideoPlayer.h"
#include "framework/window/CWnd.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include <gtest/gtest.h>

const DWORD LONG_PLAY_MS = 20000;
const DWORD START_TIMEOUT_MS = 5000;
// Long enough for a one-second tick on a loaded machine.
const DWORD TICK_TIMEOUT_MS = 3000;

// Matches the supervision timer's ticks on hWnd.
inline std::function<bool(const MSG&)> TickOf(HWND hWnd)
{
    return [hWnd](const MSG& msg) { return msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == 1; };
}

class CVideoPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
        m_player.SetOwner(&m_owner);
    }

    // Waits for a player's start line and its playing window; returns the start line.
    std::string WaitForStart(const char* pszName)
    {
        return m_sandbox.WaitForPlayback(pszName, START_TIMEOUT_MS);
    }

    CPlayerSandbox m_sandbox;
    CWnd m_owner;
    CVideoPlayer m_player;
};
