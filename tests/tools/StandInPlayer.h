#pragma once
// Helpers for tests that need a video player: a temporary folder holding copies of the
// stand-in player, each with its own settings, all writing their events to one log there.
// Log lines: "<name> start pid=<n> show=<n> cmdline=<command line>", "<name> ended",
// "<name> exit".
#include "frame/PlayerProtocol.h"
#include "support/CTempFolder.h"
#include "support/MessagePump.h"
#include "support/TestPaths.h"
#include <windows.h>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#ifndef KELO_PLAYER_EXE
#error "KELO_PLAYER_EXE must name the stand-in player program"
#endif

// The stand-in as a Windows path.
inline CString StandInPlayerPath()
{
    return WindowsPathOf(KELO_PLAYER_EXE);
}

// Dispatches this thread's messages for nMs milliseconds; returns how many WM_TIMER
// messages of hTimerWnd went through.
inline int PumpMessages(DWORD nMs, HWND hTimerWnd = nullptr)
{
    int nTicks = 0;
    for (DWORD dwStart = ::GetTickCount(), dwElapsed = 0; dwElapsed < nMs; dwElapsed = ::GetTickCount() - dwStart) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, nMs - dwElapsed < 20 ? nMs - dwElapsed : 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && hTimerWnd && msg.hwnd == hTimerWnd)
                ++nTicks;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return nTicks;
}

inline HWND FindPlayerFrame()
{
    return ::FindWindowA(PLAYER_FRAME_CLASS, nullptr);
}

inline HWND FindPlayerView(HWND hFrame)
{
    return hFrame ? ::FindWindowExA(hFrame, nullptr, PLAYER_VIEW_CLASS, nullptr) : nullptr;
}

// Waits until the process is gone; true also when it has already ended.
inline bool WaitForProcessEnd(DWORD nProcessId, DWORD nTimeoutMs)
{
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE, FALSE, nProcessId);
    if (!hProcess)
        return true;
    bool bEnded = ::WaitForSingleObject(hProcess, nTimeoutMs) == WAIT_OBJECT_0;
    ::CloseHandle(hProcess);
    return bEnded;
}

class CPlayerSandbox
{
public:
    CPlayerSandbox() : m_strLog(m_folder.Path() + "player.log") {}
    // Ends every stand-in that logged its start in a log here and still runs, so that the
    // folder can go.
    ~CPlayerSandbox()
    {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = ::FindFirstFileA(m_folder.Path() + "*.log", &fd);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &fd)) {
            for (const std::string& strLine : LogLines(m_folder.Path() + fd.cFileName)) {
                HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, PidOf(strLine));
                if (hProcess) {
                    ::TerminateProcess(hProcess, 1);
                    ::WaitForSingleObject(hProcess, 2000);
                    ::CloseHandle(hProcess);
                }
            }
        }
        if (hFind != INVALID_HANDLE_VALUE)
            ::FindClose(hFind);
    }
    CPlayerSandbox(const CPlayerSandbox&) = delete;
    CPlayerSandbox& operator=(const CPlayerSandbox&) = delete;

    const CString& Path() const { return m_folder.Path(); }
    const CTempFolder& Folder() const { return m_folder; }

    // Copies the stand-in to pszRelative ("Video\\film1.exe"), with settings named after
    // it: the playback length and this sandbox's log. Returns the copy's full path.
    CString Install(const char* pszRelative, DWORD nDurationMs) const
    {
        CString strRelative(pszRelative);
        m_folder.WriteFile(strRelative.Left(strRelative.ReverseFind('.')) + ".ini",
                           "[Player]\r\nDuration=" + std::to_string(nDurationMs) + "\r\nLog=" + m_strLog.str() + "\r\n");
        CString strExe = m_folder.Path() + strRelative;
        ::CopyFileA(StandInPlayerPath(), strExe, FALSE);
        return strExe;
    }

    std::vector<std::string> LogLines() const { return LogLines(m_strLog); }
    static std::vector<std::string> LogLines(const CString& strLog)
    {
        std::vector<std::string> lines;
        std::ifstream file(strLog.GetString(), std::ios::binary);
        for (std::string strLine; std::getline(file, strLine);)
            lines.push_back(strLine.substr(0, strLine.find('\r')));
        return lines;
    }

    // Positions in the log of one player's event, such as ("film1", "exit").
    std::vector<size_t> Events(const char* pszName, const char* pszEvent) const
    {
        std::string strEvent = std::string(pszName) + " " + pszEvent;
        std::vector<std::string> lines = LogLines();
        std::vector<size_t> found;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == strEvent || lines[i].compare(0, strEvent.size() + 1, strEvent + " ") == 0)
                found.push_back(i);
        }
        return found;
    }

    // A player's last start line, or an empty one.
    std::string StartOf(const char* pszName) const
    {
        std::vector<size_t> starts = Events(pszName, "start");
        return starts.empty() ? std::string() : LogLines()[starts.back()];
    }

    // Fields of a start line; cmdline= comes last and takes the rest of the line.
    static DWORD PidOf(const std::string& strLine) { return std::strtoul(Field(strLine, " pid=").c_str(), nullptr, 10); }
    static int ShowOf(const std::string& strLine) { return std::atoi(Field(strLine, " show=").c_str()); }
    static std::string CommandLineOf(const std::string& strLine)
    {
        size_t nPos = strLine.find(" cmdline=");
        return nPos == std::string::npos ? std::string() : strLine.substr(nPos + 9);
    }

private:
    static std::string Field(const std::string& strLine, const std::string& strKey)
    {
        size_t nPos = strLine.find(strKey);
        return nPos == std::string::npos ? std::string() : strLine.substr(nPos + strKey.size(), strLine.find(' ', nPos + 1) - nPos - strKey.size());
    }

    CTempFolder m_folder{"player"};
    CString m_strLog;
};
