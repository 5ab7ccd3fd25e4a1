// KeloCheck.exe run from outside on kiosk folders made here: one without fault passes, one
// with planted faults has each named, and a folder without Kelo.ini is no kiosk.
#include "support/DibTestSupport.h"
#include "support/TestKiosk.h"
#include "support/TestPaths.h"
#include "framework/core/ScopedWin.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
const char kMainPage[] =
    "<html><head><title>Accueil</title></head><body>"
    "<a href=\"app://exec(film1.exe)\"><img src=\"film.bmp\" alt=\"Film\"></a>"
    "<a href=\"app://fonc(0)/exec(film1.exe)\">Film</a> <a href=\"aide.html\">Aide</a>"
    " <a href=\"app://quitter(Quitter /?)\">Quitter</a> <a href=\"http://exemple.fr/\">Site</a></body></html>";
const char kHelpPage[] = "<html><body><a href=\"main.html#haut\">Retour</a></body></html>";

struct CHECKRUN
{
    DWORD nExitCode = 0xFFFFFFFF;
    std::string strOutput;
};

// Runs KeloCheck.exe on strFolder and collects what it prints.
CHECKRUN RunKeloCheck(const CString& strFolder)
{
    CHECKRUN run;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return run;
    ScopedHandle read(hRead), write(hWrite);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string strCommandLine = "\"" + WindowsPathOf(KELOCHECK_EXE).str() + "\" \"" + strFolder.str() + "\"";
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &strCommandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return run;
    ScopedHandle process(pi.hProcess), thread(pi.hThread);
    write = ScopedHandle();
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(read, buffer, sizeof(buffer), &nRead, nullptr) && nRead)
        run.strOutput.append(buffer, nRead);
    ::WaitForSingleObject(process, 30000);
    ::GetExitCodeProcess(process, &run.nExitCode);
    return run;
}

class KeloCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kiosk.Folder().MakeFolder("Demo");
        m_kiosk.Folder().WriteFile("res\\main.html", kMainPage);
        m_kiosk.Folder().WriteFile("res\\aide.html", kHelpPage);
        m_kiosk.Folder().WriteFile("res\\film.bmp", MakeBmp24(8, 8, [](int, int) { return RGB(1, 2, 3); }));
        m_kiosk.Folder().WriteFile("Video\\film1.exe", "MZ");
    }

    CTestKiosk m_kiosk;
};
} // namespace

TEST_F(KeloCheck, AKioskWithoutFaultPassesWithExitCodeZero)
{
    CHECKRUN run = RunKeloCheck(m_kiosk.Path());
    EXPECT_EQ(0u, run.nExitCode) << run.strOutput;
    EXPECT_EQ(std::string::npos, run.strOutput.find("ERREUR")) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("0 erreur, 0 avertissement.")) << run.strOutput;
}

TEST_F(KeloCheck, PlantedFaultsAreEachNamedAndGiveExitCodeOne)
{
    ASSERT_TRUE(::DeleteFileA(m_kiosk.Path() + "SKINS\\Test\\BtQuit.bmp"));
    m_kiosk.Folder().WriteFile("res\\aide.html", std::string(kHelpPage) +
                                                     "<a href=\"app://exec(film9.exe)\">9</a>"
                                                     "<a href=\"absente.html\">?</a><img src=\"absente.png\">"
                                                     "<a href=\"app://exec(..\\x.exe)\">x</a>"
                                                     "<link rel=\"stylesheet\" href=\"absente.css\">"
                                                     "<p style=\"color: red\">");
    CHECKRUN run = RunKeloCheck(m_kiosk.Path());
    EXPECT_EQ(1u, run.nExitCode);
    for (const char* pszLine : {"ERREUR SKINS\\Test\\BtQuit.bmp: image introuvable",
                                "ERREUR res\\aide.html: programme vid\xe9o introuvable\xa0: Video\\film9.exe",
                                "ERREUR res\\aide.html: lien vers une page introuvable\xa0: absente.html",
                                "ERREUR res\\aide.html: image introuvable\xa0: absente.png",
                                "ERREUR res\\aide.html: nom de vid\xe9o qui sort du dossier Video, refus\xe9\xa0: \xab\xa0..\\x.exe\xa0\xbb",
                                "ERREUR res\\aide.html: feuille de style introuvable\xa0: absente.css",
                                "6 erreurs, 0 avertissement."})
        EXPECT_NE(std::string::npos, run.strOutput.find(pszLine)) << pszLine << "\n" << run.strOutput;
}

TEST_F(KeloCheck, AFolderWithoutKeloIniIsNoKioskWithExitCodeTwo)
{
    ASSERT_TRUE(::DeleteFileA(m_kiosk.Path() + "Kelo.ini"));
    CHECKRUN run = RunKeloCheck(m_kiosk.Path());
    EXPECT_EQ(2u, run.nExitCode) << run.strOutput;
    EXPECT_NE(std::string::npos, run.strOutput.find("ERREUR Kelo.ini: introuvable")) << run.strOutput;
}
