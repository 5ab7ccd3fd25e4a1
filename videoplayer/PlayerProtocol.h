#pragma once
// What the launcher and an outside video player agree on: the player's window classes,
// the switch that makes a video program play, and the command that makes the player exit.
#include "framework/core/FrameworkIds.h"

// The player's frame window, there from start to exit.
constexpr const char PLAYER_FRAME_CLASS[] = "ScreenCamPlayerWndv3";
// The playback view: a child of the frame that exists only while the video plays.
constexpr const char PLAYER_VIEW_CLASS[] = "CSCPlaybackView";
// Appended to the video program's path, leading blank included.
constexpr const char PLAYER_SWITCH[] = " /s";
// Sent to the frame as WM_COMMAND with lParam 0: the player exits.
constexpr unsigned PLAYER_EXIT_COMMAND = ID_APP_EXIT;

// How long the launcher gives a player; it never waits on one for longer.
// The exit command is sent with this bound: a player that has not taken it by then (hung,
// or slow) is ended.
constexpr unsigned PLAYER_EXIT_TIMEOUT_MS = 3000;
// A player frame still there this long after taking the exit command is ended too.
constexpr unsigned PLAYER_EXIT_GRACE_MS = 3000;
// A player frame whose playback view has not appeared this long after the frame was first
// seen is closed: a view that slow is taken for one that never comes.
constexpr unsigned PLAYER_VIEW_GRACE_MS = 10000;
