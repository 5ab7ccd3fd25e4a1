#include "PlayerConfig.h"
#include <vector>

namespace
{
const char SECTION[] = "Player";
const char SHARED_INI[] = "Player.ini";
const DWORD DEFAULT_DURATION_MS = 5000;

bool FileExists(const std::string& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsolute(const std::string& strPath)
{
    return (strPath.size() > 1 && strPath[1] == ':') || (!strPath.empty() && strPath[0] == '\\');
}
} // namespace

PlayerConfig LoadPlayerConfig()
{
    PlayerConfig config;
    std::vector<char> path(32768);
    DWORD nLength = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string strPath(path.data(), nLength);
    size_t nSlash = strPath.rfind('\\');
    config.strFolder = strPath.substr(0, nSlash + 1);
    config.strName = strPath.substr(nSlash + 1);
    size_t nDot = config.strName.rfind('.');
    if (nDot != std::string::npos)
        config.strName.erase(nDot);

    std::string strIni = config.strFolder + config.strName + ".ini";
    if (!FileExists(strIni))
        strIni = config.strFolder + SHARED_INI;
    config.nDurationMs = ::GetPrivateProfileIntA(SECTION, "Duration", DEFAULT_DURATION_MS, strIni.c_str());
    config.nStartDelayMs = ::GetPrivateProfileIntA(SECTION, "StartDelay", 0, strIni.c_str());
    config.nViewDelayMs = static_cast<int>(::GetPrivateProfileIntA(SECTION, "ViewDelay", 0, strIni.c_str()));
    config.nHangMs = ::GetPrivateProfileIntA(SECTION, "Hang", 0, strIni.c_str());
    config.bIgnoreExit = ::GetPrivateProfileIntA(SECTION, "IgnoreExit", 0, strIni.c_str()) != 0;
    char szPlayer[MAX_PATH] = "";
    ::GetPrivateProfileStringA(SECTION, "Player", "", szPlayer, sizeof(szPlayer), strIni.c_str());
    if (*szPlayer)
        config.strPlayer = IsAbsolute(szPlayer) ? szPlayer : config.strFolder + szPlayer;
    char szLog[MAX_PATH] = "";
    ::GetPrivateProfileStringA(SECTION, "Log", "", szLog, sizeof(szLog), strIni.c_str());
    if (*szLog)
        config.strLog = IsAbsolute(szLog) ? szLog : config.strFolder + szLog;
    return config;
}

void AppendLog(const PlayerConfig& config, const std::string& strText)
{
    if (config.strLog.empty())
        return;
    // One write per line in append mode: players sharing a log never mix their lines.
    HANDLE hFile = ::CreateFileA(config.strLog.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    std::string strLine = config.strName + " " + strText + "\r\n";
    DWORD nWritten = 0;
    ::WriteFile(hFile, strLine.data(), static_cast<DWORD>(strLine.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
}
