#pragma once
// The stand-in player's two windows: the frame, which lives until the exit command, and
// the playback view inside it, which shows the video's name and a progress bar and
// destroys itself when the playback length has passed.
#include "PlayerConfig.h"

// Registers the classes and creates the frame with its view, shown with nCmdShow.
// The frame ends the message loop when it is destroyed. Null on failure.
HWND CreatePlayerFrame(HINSTANCE hInstance, const PlayerConfig& config, int nCmdShow);
