// The real Kelo.exe in a kiosk set up against it: its start page names as pictures a pipe
// that a helper holds open (a read from it would wait for good), a device and network
// shares; it links to a page outside the kiosk folder, directly and through a link inside
// "res"; two folder links in SKINS lead back to their parent. The window and the page
// appear within seconds and stay responsive, the outside page never shows, and a video
// still starts from the keyboard.
#include "pageengine/view/CPageView.h"
#include "support/CKeloProcess.h"
#include "support/CPlayerSandbox.h"
#include "support/MessagePump.h"
#include "support/RealPointer.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include "support/WindowSearch.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
const DWORD kStartMs = 15000;
const DWORD kWaitMs = 8000;
const DWORD kPlayMs = 1500;
const char kPipe[] = "\\\\.\\pipe\\kelo-hostile";

// A program started with its command line, its standard handles on the file strOutput
// when one is given; its process.
ScopedHandle StartCommand(const std::string& strCommand, const CString& strOutput = CString())
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    ScopedHandle output;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!strOutput.IsEmpty()) {
        output = ScopedHandle(::CreateFileA(strOutput, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            &sa, CREATE_ALWAYS, 0, nullptr));
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = output;
    }
    PROCESS_INFORMATION pi = {};
    std::string strLine = strCommand;
    if (!::CreateProcessA(nullptr, &strLine[0], nullptr, nullptr, !strOutput.IsEmpty(), 0, nullptr, nullptr, &si, &pi))
        return ScopedHandle();
    ::CloseHandle(pi.hThread);
    return ScopedHandle(pi.hProcess);
}

// The Linux path of a Windows one, from Wine.
std::string UnixPathOf(const CString& strPath)
{
    typedef char*(__cdecl * UnixFileName)(const WCHAR*);
    auto pfnUnixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring strWide(strPath.GetString(), strPath.GetString() + strPath.GetLength());
    char* pszUnix = pfnUnixFileName ? pfnUnixFileName(strWide.c_str()) : nullptr;
    std::string strUnix = pszUnix ? pszUnix : "";
    if (pszUnix)
        ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

// A symbolic link made by the system's ln (Wine runs Linux programs), which Windows
// programs see as a reparse point.
::testing::AssertionResult MakeLink(const std::string& strTarget, const CString& strLink)
{
    std::string strCommand = "Z:\\bin\\ln -s \"" + strTarget + "\" \"" + UnixPathOf(strLink) + "\"";
    // Wine runs the Linux program on its own, with standard handles that are files; from
    // this test its start reports ERROR_INVALID_HANDLE while ln runs: the link itself is
    // what counts.
    StartCommand(strCommand, strLink + ".log");
    if (PumpUntil([&] { return ::GetFileAttributesA(strLink) != INVALID_FILE_ATTRIBUTES; }, kWaitMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no link made by " << strCommand;
}

// A window's text, without waiting on a window that does not answer.
std::string TextOf(HWND hWnd)
{
    char szText[256] = {};
    DWORD_PTR nResult = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), reinterpret_cast<LPARAM>(szText), SMTO_ABORTIFHUNG, 1000,
                               &nResult))
        return "(no answer)";
    return szText;
}

class HostileKiosk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const CString strOutsidePage = m_outside.WriteFile("dehors.html", "<title>Dehors</title><p>dehors");
        std::string strOutsideFolder = m_outside.Path().str();
        strOutsideFolder.pop_back();
        const std::string strUp = "../../" + strOutsideFolder.substr(strOutsideFolder.find_last_of('\\') + 1);
        m_kiosk.Folder().WriteFile(
            "res\\main.html",
            std::string("<title>Accueil</title><body background=\"") + kPipe + "\">"
                "<p><img src=\"" + kPipe + "\" alt=tuyau> <img src=COM1 alt=port> <img src=\"nul.bmp\" alt=nul> "
                "<img src=\"//kelo-nowhere/partage/x.bmp\" alt=partage> <img src=\"file://kelo-nowhere/partage/x.bmp\" alt=url>"
                "<p><a href=\"" + strUp + "/dehors.html\">dehors</a> <a href=\"lien.html\">lien</a> "
                "<a href=\"file:///" + strOutsidePage.str() + "\">absolu</a> <a href=\"app://exec(film1.exe)\">film</a>");
        ASSERT_TRUE(MakeLink(UnixPathOf(strOutsidePage), m_kiosk.Path() + "res\\lien.html"));
        ASSERT_TRUE(MakeLink("..", m_kiosk.Path() + "SKINS\\Test\\boucle"));
        ASSERT_TRUE(MakeLink("..", m_kiosk.Path() + "SKINS\\Test\\retour"));
        ASSERT_TRUE(::GetFileAttributesA(m_kiosk.Path() + "SKINS\\Test\\boucle") & FILE_ATTRIBUTE_REPARSE_POINT);
        m_players.InstallAt(m_kiosk.Folder().MakeFolder("Video") + "\\film1.exe", kPlayMs);
        m_pipeHolder = StartCommand("\"" + WindowsPathOf(HOLD_PIPE_EXE).str() + "\" " + kPipe);
        ASSERT_TRUE(m_pipeHolder.IsValid());
        ASSERT_TRUE(PumpUntil([] { return ::WaitNamedPipeA(kPipe, 100) != FALSE; }, kWaitMs)) << "no pipe";
    }

    void TearDown() override
    {
        if (m_pipeHolder.IsValid())
            ::TerminateProcess(m_pipeHolder, 0);
    }

    // The outside page and the pipe holder's folder; Kelo ends first, then the players, the
    // kiosk and this folder.
    CTempFolder m_outside{"kelo-outside"};
    ScopedHandle m_pipeHolder;
    CTestKiosk m_kiosk;
    CPlayerSandbox m_players;
    CKeloProcess m_kelo{m_kiosk.Path()};
};
} // namespace

TEST_F(HostileKiosk, ThePageAppearsAtOnceReadsNothingOutsideAndAVideoStartsFromTheKeyboard)
{
    ASSERT_TRUE(m_kelo.Start());
    HWND hWndMain = m_kelo.WaitForWindow(nullptr, kStartMs);
    ASSERT_NE(nullptr, hWndMain) << "no window: the skin scan or the page hangs";
    HWND hWndView = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (hWndView = FindVisibleDescendant(hWndMain, CPageView::s_pszClassName)) != nullptr; },
                          kWaitMs));
    ASSERT_TRUE(PumpUntil([&] { return TextOf(hWndView) == "Accueil"; }, kWaitMs)) << TextOf(hWndView);

    // A click where there is no link gives the page the keyboard; each outside link is
    // followed from it and leads nowhere, the page stays and answers.
    CRect rcView;
    ::GetWindowRect(hWndView, &rcView);
    ASSERT_TRUE(ClickAt({rcView.left + 10, rcView.bottom - 10}));
    for (int nLink = 0; nLink < 3; ++nLink) {
        ASSERT_TRUE(PressKeys("Tab Return"));
        PumpUntil([] { return false; }, 500);
        EXPECT_EQ("Accueil", TextOf(hWndView)) << "link " << nLink;
    }
    ASSERT_TRUE(PressKeys("Tab Return"));
    EXPECT_TRUE(PumpUntil([&] { return !m_players.Events("film1", "start").empty(); }, kWaitMs)) << "the video did not start";
}
