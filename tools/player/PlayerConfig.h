#pragma once
// The stand-in player's settings, read from an INI file beside the program: the file
// named after the program (film1.ini beside film1.exe) or else the shared "Player.ini".
//   [Player]
//   Duration=5000      length of the playback in milliseconds
//   Log=player.log     optional: a file (beside the program unless absolute) that gets one
//                      line per event: the start with its command line, the end of the
//                      playback, the exit command
#include <windows.h>
#include <string>

struct PlayerConfig
{
    std::string strName;      // the program file's name without extension
    std::string strFolder;    // the program's folder, with a trailing backslash
    std::string strLog;       // full path of the log file; empty when none
    DWORD nDurationMs = 5000;
};

PlayerConfig LoadPlayerConfig();
// Appends "<name> <text>" as one line to the log, if there is one.
void AppendLog(const PlayerConfig& config, const std::string& strText);
