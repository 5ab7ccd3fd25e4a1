#pragma once
// Helpers for tests that need a video player: a temporary folder holding copies of the
// stand-in player, each with its own settings, all writing their events to one log there.
// Log lines: "<name> start pid=<n> show=<n> cmdline=<command line>", "<name> ended",
// "<name> exit".
#include "frame/PlayerProtocol.h"
#include "support/CTempFolder.h"
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef KELO_PLAYER_EXE
#error "KELO_PLAYER_EXE must name the stand-in player program"
#endif

// The stand-in as a Windows path (a build path given as a Linux path is on Wine's Z:).
inline CString StandInPlayerPath()
{
    CString strPath(KELO_PLAYER_EXE);
    strPath.Replace("/", "\\");
    return strPath[0] == '\\' ? "Z:" + strPath : strPath;
}

// Dispatches this thread's messages for nMs milliseconds; returns how many WM_TIMER
// messages of hTimerWnd went through.
inline int PumpMessages(DWORD nMs, HWND hTimerWnd = nullptr)
{
    int nTicks = 0;
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && hTimerWnd && msg.hwnd == hTimerWnd)
                ++nTicks;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= nMs)
            return nTicks;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, nMs - dwElapsed < 20 ? nMs - dwElapsed : 20, QS_ALLINPUT);
    }
}

// Dispatches messages until bDone() holds or nTimeoutMs have passed; returns bDone().
template <class Pred>
bool PumpUntil(Pred bDone, DWORD nTimeoutMs)
{
    DWORD dwStart = ::GetTickCount();
    while (!bDone()) {
        if (::GetTickCount() - dwStart >= nTimeoutMs)
            return bDone();
        PumpMessages(20);
    }
    return true;
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
    // Ends every stand-in that logged its start here and still runs.
    ~CPlayerSandbox()
    {
        for (const std::string& strLine : LogLines()) {
            DWORD nPid = PidOf(strLine);
            if (!nPid)
                continue;
            HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, nPid);
            if (hProcess) {
                ::TerminateProcess(hProcess, 1);
                ::WaitForSingleObject(hProcess, 2000);
                ::CloseHandle(hProcess);
            }
        }
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

    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        std::ifstream file(m_strLog.GetString(), std::ios::binary);
        std::string strLine;
        while (std::getline(file, strLine)) {
            if (!strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            lines.push_back(strLine);
        }
        return lines;
    }

    // The log's lines of one player's event, such as ("film1", "exit").
    std::vector<std::string> Events(const char* pszName, const char* pszEvent) const
    {
        std::string strPrefix = std::string(pszName) + " " + pszEvent;
        std::vector<std::string> found;
        for (const std::string& strLine : LogLines()) {
            if (strLine == strPrefix || strLine.compare(0, strPrefix.size() + 1, strPrefix + " ") == 0)
                found.push_back(strLine);
        }
        return found;
    }

    // Position of a player's first event in the log, or -1.
    int IndexOf(const char* pszName, const char* pszEvent) const
    {
        std::vector<std::string> lines = LogLines();
        std::string strPrefix = std::string(pszName) + " " + pszEvent;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].compare(0, strPrefix.size(), strPrefix) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Fields of a start line.
    static DWORD PidOf(const std::string& strLine) { return static_cast<DWORD>(std::strtoul(Field(strLine, "pid=").c_str(), nullptr, 10)); }
    static int ShowOf(const std::string& strLine) { return std::atoi(Field(strLine, "show=").c_str()); }
    static std::string CommandLineOf(const std::string& strLine)
    {
        size_t nPos = strLine.find(" cmdline=");
        return nPos == std::string::npos ? std::string() : strLine.substr(nPos + 9);
    }

private:
    static std::string Field(const std::string& strLine, const char* pszKey)
    {
        size_t nPos = strLine.find(std::string(" ") + pszKey);
        if (nPos == std::string::npos)
            return std::string();
        nPos += 1 + std::strlen(pszKey);
        return strLine.substr(nPos, strLine.find(' ', nPos) - nPos);
    }

    CTempFolder m_folder{"player"};
    CString m_strLog;
};
