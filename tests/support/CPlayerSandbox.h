#pragma once
// Tests that need a video player use copies of the stand-in player (tools/player), each
// with settings of its own and all writing their events to one log in a temporary folder.
// Log lines: "<name> start pid=<n> show=<n> cmdline=<command line>", "<name> ended",
// "<name> exit", and "<name> hangs" for a player set to hang.
#include "framework/core/CString.h"
#include "support/CTempFolder.h"
#include <string>
#include <vector>

// The stand-in player program, as a Windows path.
CString StandInPlayerPath();
// The first player frame on the desktop, and the playback view inside a frame.
HWND FindPlayerFrame();
HWND FindPlayerView(HWND hFrame);
// Waits until the process is gone; true also when it has already ended.
bool WaitForProcessEnd(DWORD nProcessId, DWORD nTimeoutMs);

class CPlayerSandbox
{
public:
    CPlayerSandbox();
    // Ends every stand-in that logged its start here and still runs, then deletes the
    // copies and the folder.
    ~CPlayerSandbox();
    CPlayerSandbox(const CPlayerSandbox&) = delete;
    CPlayerSandbox& operator=(const CPlayerSandbox&) = delete;

    const CString& Path() const { return m_folder.Path(); }
    const CTempFolder& Folder() const { return m_folder; }

    // Copies the stand-in to pszRelative below the sandbox ("Video\\film1.exe"), with
    // settings named after it: the playback length, this sandbox's log and any further
    // "Key=value\r\n" lines of strMoreSettings. Returns the copy's full path.
    CString Install(const char* pszRelative, DWORD nDurationMs, const std::string& strMoreSettings = std::string()) const;
    // The same at a full path outside the sandbox; the copy and its settings go with it.
    CString InstallAt(const CString& strExe, DWORD nDurationMs, const std::string& strMoreSettings = std::string());

    std::vector<std::string> LogLines() const { return LogLines(m_strLog); }
    static std::vector<std::string> LogLines(const CString& strLog);
    // Positions in the log of one player's event, such as ("film1", "exit").
    std::vector<size_t> Events(const char* pszName, const char* pszEvent) const;
    // A player's last start line, or an empty one.
    std::string StartOf(const char* pszName) const;
    // Runs this thread's messages until the player has logged its start and a player plays
    // (a frame with its view), at most nTimeoutMs; returns its last start line, if any.
    std::string WaitForPlayback(const char* pszName, DWORD nTimeoutMs) const;
    // The processes of every start logged here, in order.
    std::vector<DWORD> StartedProcesses() const;

    // Fields of a start line; cmdline= comes last and takes the rest of the line.
    static DWORD PidOf(const std::string& strLine);
    static int ShowOf(const std::string& strLine);
    static std::string CommandLineOf(const std::string& strLine);

private:
    // Writes the settings beside strExe and copies the stand-in there; returns the
    // settings file's path.
    CString Place(const CString& strExe, DWORD nDurationMs, const std::string& strMoreSettings) const;

    CTempFolder m_folder{"player"};
    CString m_strLog;
    // Copies and settings placed outside the folder.
    std::vector<CString> m_outside;
};
