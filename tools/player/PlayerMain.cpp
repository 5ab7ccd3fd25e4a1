// A stand-in for the outside video player, and the test double of every test that needs
// one. Copies of it under other names (film1.exe) are the sample kiosk's videos.
//   PROGRAM /s   plays: frame and playback view, the view goes when the length has passed,
//                the frame stays until it receives the exit command
//   PROGRAM      shows a short notice and ends
// With Player= in its settings, PROGRAM /s starts that player instead and ends.
#include "PlayerConfig.h"
#include "PlayerWindows.h"
#include <cstring>
#include <string>

namespace
{
bool HasPlaySwitch(const char* pszArgs)
{
    std::string strArgs(pszArgs ? pszArgs : "");
    size_t nPos = 0;
    while ((nPos = strArgs.find_first_not_of(" \t", nPos)) != std::string::npos) {
        size_t nEnd = strArgs.find_first_of(" \t", nPos);
        std::string strToken = strArgs.substr(nPos, nEnd == std::string::npos ? std::string::npos : nEnd - nPos);
        if (strToken == "/s" || strToken == "/S")
            return true;
        nPos = nEnd;
    }
    return false;
}

// The show command the launcher asked for, or -1 when it gave none.
int StartupShowCommand()
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    ::GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
}
// Starts the configured player with the play switch, as a process of its own.
bool StartPlayer(const PlayerConfig& config)
{
    std::string strCommandLine = "\"" + config.strPlayer + "\" /s";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &strCommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    AppendLog(config, "started player pid=" + std::to_string(pi.dwProcessId));
    return true;
}
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    PlayerConfig config = LoadPlayerConfig();
    AppendLog(config, "start pid=" + std::to_string(::GetCurrentProcessId()) + " show=" +
                          std::to_string(StartupShowCommand()) + " cmdline=" + ::GetCommandLineA());
    if (!HasPlaySwitch(lpCmdLine)) {
        ::MessageBoxA(nullptr, "Cette vid\xE9o de d\xE9monstration se lance depuis le lanceur de vid\xE9os.",
                      config.strName.c_str(), MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (!config.strPlayer.empty())
        return StartPlayer(config) ? 0 : 1;
    // A program slow to start: no window, no message loop yet.
    ::Sleep(config.nStartDelayMs);
    if (!CreatePlayerFrame(hInstance, config, nCmdShow))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
