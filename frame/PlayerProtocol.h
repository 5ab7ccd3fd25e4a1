#pragma once
// What the launcher and an outside video player agree on: the player's window classes,
// the switch that makes a video program play, and the command that makes the player exit.
#include "framework/FrameworkIds.h"

// The player's frame window, there from start to exit.
constexpr const char PLAYER_FRAME_CLASS[] = "ScreenCamPlayerWndv3";
// The playback view: a child of the frame that exists only while the video plays.
constexpr const char PLAYER_VIEW_CLASS[] = "CSCPlaybackView";
// Appended to the video program's path, leading blank included.
constexpr const char PLAYER_SWITCH[] = " /s";
// Sent to the frame as WM_COMMAND with lParam 0: the player exits.
constexpr unsigned PLAYER_EXIT_COMMAND = ID_APP_EXIT;
