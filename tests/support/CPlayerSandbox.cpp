#include "support/CPlayerSandbox.h"
#include "videoplayer/PlayerProtocol.h"
#include "framework/core/ScopedWin.h"
#include "support/MessagePump.h"
#include "support/TestPaths.h"
#include <cstdlib>
#include <fstream>

#ifndef KELO_PLAYER_EXE
#error "KELO_PLAYER_EXE must name the stand-in player program"
#endif

namespace
{
std::string Field(const std::string& strLine, const std::string& strKey)
{
    size_t nPos = strLine.find(strKey);
    if (nPos == std::string::npos)
        return std::string();
    size_t nStart = nPos + strKey.size();
    return strLine.substr(nStart, strLine.find(' ', nStart) - nStart);
}
} // namespace

CString StandInPlayerPath()
{
    return WindowsPathOf(KELO_PLAYER_EXE);
}

HWND FindPlayerFrame()
{
    return ::FindWindowA(PLAYER_FRAME_CLASS, nullptr);
}

HWND FindPlayerView(HWND hFrame)
{
    return hFrame ? ::FindWindowExA(hFrame, nullptr, PLAYER_VIEW_CLASS, nullptr) : nullptr;
}

bool WaitForProcessEnd(DWORD nProcessId, DWORD nTimeoutMs)
{
    ScopedHandle hProcess(::OpenProcess(SYNCHRONIZE, FALSE, nProcessId));
    return !hProcess.IsValid() || ::WaitForSingleObject(hProcess, nTimeoutMs) == WAIT_OBJECT_0;
}

CPlayerSandbox::CPlayerSandbox()
    : m_strLog(m_folder.Path() + "player.log")
{
}

CPlayerSandbox::~CPlayerSandbox()
{
    // Every log here, also those of players given other settings by a test.
    WIN32_FIND_DATAA fd;
    ScopedFindHandle hFind(::FindFirstFileA(m_folder.Path() + "*.log", &fd));
    for (BOOL bMore = hFind.IsValid(); bMore; bMore = ::FindNextFileA(hFind, &fd)) {
        for (const std::string& strLine : LogLines(m_folder.Path() + fd.cFileName)) {
            ScopedHandle hProcess(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, PidOf(strLine)));
            if (hProcess.IsValid()) {
                ::TerminateProcess(hProcess, 1);
                ::WaitForSingleObject(hProcess, 2000);
            }
        }
    }
    for (const CString& strFile : m_outside)
        ::DeleteFileA(strFile);
}

CString CPlayerSandbox::Install(const char* pszRelative, DWORD nDurationMs, const std::string& strMoreSettings) const
{
    CString strExe = m_folder.Path() + pszRelative;
    m_folder.MakeFolder(CString(pszRelative).Left(CString(pszRelative).ReverseFind('\\') + 1));
    Place(strExe, nDurationMs, strMoreSettings);
    return strExe;
}

CString CPlayerSandbox::InstallAt(const CString& strExe, DWORD nDurationMs, const std::string& strMoreSettings)
{
    m_outside.push_back(Place(strExe, nDurationMs, strMoreSettings));
    m_outside.push_back(strExe);
    return strExe;
}

CString CPlayerSandbox::Place(const CString& strExe, DWORD nDurationMs, const std::string& strMoreSettings) const
{
    CString strIni = strExe.Left(strExe.ReverseFind('.')) + ".ini";
    WriteFileBytes(strIni, "[Player]\r\nDuration=" + std::to_string(nDurationMs) + "\r\nLog=" + m_strLog.str() + "\r\n" +
                               strMoreSettings);
    ::CopyFileA(StandInPlayerPath(), strExe, FALSE);
    return strIni;
}

std::vector<std::string> CPlayerSandbox::LogLines(const CString& strLog)
{
    std::vector<std::string> lines;
    std::ifstream file(strLog.GetString(), std::ios::binary);
    for (std::string strLine; std::getline(file, strLine);)
        lines.push_back(strLine.substr(0, strLine.find('\r')));
    return lines;
}

std::vector<size_t> CPlayerSandbox::Events(const char* pszName, const char* pszEvent) const
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

std::string CPlayerSandbox::StartOf(const char* pszName) const
{
    std::vector<size_t> starts = Events(pszName, "start");
    return starts.empty() ? std::string() : LogLines()[starts.back()];
}

std::string CPlayerSandbox::WaitForPlayback(const char* pszName, DWORD nTimeoutMs) const
{
    PumpUntil([&] { return !StartOf(pszName).empty() && FindPlayerView(FindPlayerFrame()); }, nTimeoutMs);
    return StartOf(pszName);
}

std::vector<DWORD> CPlayerSandbox::StartedProcesses() const
{
    std::vector<DWORD> pids;
    for (const std::string& strLine : LogLines()) {
        if (DWORD nPid = PidOf(strLine))
            pids.push_back(nPid);
    }
    return pids;
}

DWORD CPlayerSandbox::PidOf(const std::string& strLine)
{
    return std::strtoul(Field(strLine, " pid=").c_str(), nullptr, 10);
}

int CPlayerSandbox::ShowOf(const std::string& strLine)
{
    return std::atoi(Field(strLine, " show=").c_str());
}

std::string CPlayerSandbox::CommandLineOf(const std::string& strLine)
{
    size_t nPos = strLine.find(" cmdline=");
    return nPos == std::string::npos ? std::string() : strLine.substr(nPos + 9);
}
