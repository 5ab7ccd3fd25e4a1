#pragma once
// The link language's commands as every reader of a link's command text sees them: the
// interpreter that runs them, and whoever checks a kiosk's links before a visitor does.
#include "framework/core/CString.h"

// The commands, in the order their names are matched.
enum LinkCommand
{
    LINK_COMMAND_QUITTER,   // quitter(question): asks, and quits on Yes
    LINK_COMMAND_EXEC,      // exec(name): plays the video program Video\name
    LINK_COMMAND_FONC,      // fonc(code): controls the video; 0 stops it
    LINK_COMMAND_COUNT,
    LINK_COMMAND_UNKNOWN = LINK_COMMAND_COUNT,   // a name no command has
    LINK_COMMAND_NONE,                           // the text holds no further command
};

// The command that starts at *ppCursor ("/exec(film1.exe)..."), its name matched without
// regard to case. For a command, the cursor is moved past its "(" to where its argument
// starts; an unknown name's argument is so read as further commands. LINK_COMMAND_NONE,
// cursor untouched, where anything but "/" stands or no "(" follows: the text ends there.
LinkCommand NextLinkCommand(const char** ppCursor);

// The path of the video program pszName, relative to the "Video" folder beside the program
// file strProgramFile: that file's folder, "\Video\", then the name. FALSE (and strPath
// untouched) for a name that would leave the folder: "..", a rooted, UNC or drive path, a
// forward slash or a character no file name may hold.
BOOL BuildVideoPath(const CString& strProgramFile, const char* pszName, CString& strPath);
