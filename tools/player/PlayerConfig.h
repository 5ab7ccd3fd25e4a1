#pragma once
// The stand-in player's settings, read from an INI file beside the program: the file
// named after the program (film1.ini beside film1.exe) or else the shared "Player.ini".
//   [Player]
//   Duration=5000      length of the playback in milliseconds
//   Log=player.log     optional: a file (beside the program unless absolute) that gets one
//                      line per event: the start with its command line, the end of the
//                      playback, the exit command
// Misbehaviours of real players, for tests of the launcher (all off by default):
//   StartDelay=3000    sleeps this long before creating any window
//   ViewDelay=2000     the playback view appears this long after the frame; -1: never
//   Hang=60000         once both windows are up, stops handling messages for this long
//                      (logging "hangs" as it begins)
//   IgnoreExit=1       takes the exit command (and logs it) but stays open
// A video program that opens an outside player, as real ones do:
//   Player=film2.exe   PROGRAM /s starts that program (beside it unless absolute) with
//                      " /s" as a process of its own, and ends
#include <windows.h>
#include <string>

struct PlayerConfig
{
    std::string strName;      // the program file's name without extension
    std::string strFolder;    // the program's folder, with a trailing backslash
    std::string strLog;       // full path of the log file; empty when none
    DWORD nDurationMs = 5000;
    DWORD nStartDelayMs = 0;
    int nViewDelayMs = 0;     // negative: no view ever
    DWORD nHangMs = 0;
    bool bIgnoreExit = false;
    std::string strPlayer;    // full path of the player to start; empty: plays itself
};

PlayerConfig LoadPlayerConfig();
// Appends "<name> <text>" as one line to the log, if there is one.
void AppendLog(const PlayerConfig& config, const std::string& strText);
