#pragma once
// Start-up timestamps for the start-up benchmark: when the environment variable
// KELO_STARTUP_TRACE names a file, each mark adds a line "<performance counter> <stage>" to
// it, written at the start-up's last stage; otherwise a mark costs one look at the
// environment, the first time.
#include "framework/core/CString.h"

#define KELO_STARTUP_TRACE_VARIABLE "KELO_STARTUP_TRACE"
// The last stage of every start-up that gets as far as the message loop.
#define KELO_STARTUP_DONE "start-up done"

// Records that the start-up stage pszStage (a string that outlives the start-up) has just ended.
void StartupMark(const char* pszStage);
