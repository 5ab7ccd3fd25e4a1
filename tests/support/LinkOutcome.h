#pragma once
// What one link's runner sent to a recorder standing in for the main window.
#include "support/CMessageRecorder.h"
#include <string>
#include <vector>

struct LinkOutcome
{
    // In order: "play NAME" (the name taken as the main frame takes it), "control N",
    // "quit"; a parameter the message must not carry is marked with "!".
    std::vector<std::string> commands;
    std::vector<WPARAM> enables;   // the WM_ENABLE values
    size_t nDone = 0;              // WM_APP_LINKDONE messages
    size_t nAfterDone = 0;         // messages that came after the first WM_APP_LINKDONE
};

LinkOutcome ReadLinkOutcome(const std::vector<RecordedMessage>& messages);
