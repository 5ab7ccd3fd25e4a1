#include "app/CKeloApp.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace
{
// A program folder with its settings files, and an application object reading them.
class LoadSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.m_settings.m_strExeDir = m_folder.Path();
        m_app.m_settings.m_astrSkinFolders.Add("kept");
    }

    void Write(const char* pszRelative, const std::string& text) { m_folder.WriteFile(pszRelative, text); }

    std::vector<UINT> Pauses() const
    {
        return std::vector<UINT>(m_app.m_settings.m_aPauses.begin(), m_app.m_settings.m_aPauses.end());
    }

    // Writes Video.ini with the given Pauses line (or none) and reads the settings.
    std::vector<UINT> PausesFor(const char* pszLine)
    {
        Write("Kelo.ini", "[Generalite]\r\nAppli=Optique\r\n");
        Write("Optique\\VIDEOS\\Video.ini", std::string("[Generalite]\r\n") + pszLine + "\r\n");
        EXPECT_TRUE(m_app.LoadSettings());
        return Pauses();
    }

    CTempFolder m_folder{"kelo-settings"};
    CKeloApp m_app;
};

struct IntValue
{
    const char* pszSection;
    const char* pszKey;
    std::function<long(const CSkinSettings&)> read;
};

#define FIELD(f) [](const CSkinSettings& s) { return static_cast<long>(s.f); }

const std::vector<IntValue> kSkinValues = {
    {"Generalite", "Ecran", FIELD(m_crEcran)},
    {"Menu", "BTMenu_X", FIELD(m_nBtMenuX)},             {"Menu", "BTMenu_Y", FIELD(m_nBtMenuY)},
    {"Menu", "BTMini_X", FIELD(m_nBtMiniX)},             {"Menu", "BTMini_Y", FIELD(m_nBtMiniY)},
    {"Menu", "BTQuit_X", FIELD(m_nBtQuitX)},             {"Menu", "BTQuit_Y", FIELD(m_nBtQuitY)},
    {"Menu", "Menu_X", FIELD(m_nMenuX)},                 {"Menu", "Menu_Y", FIELD(m_nMenuY)},
    {"Menu", "MenuCouleurFond", FIELD(m_crMenuFond)},    {"Menu", "MenuCouleurBord", FIELD(m_crMenuBord)},
    {"Menu", "MenuCouleurTxt", FIELD(m_crMenuTxt)},      {"Menu", "AccueilCouleurTxt", FIELD(m_crAccueilTxt)},
    {"Menu", "AccueilCouleurTxtGris", FIELD(m_crAccueilTxtGris)},
    {"Menu", "AccueilCouleurTxtSurvol", FIELD(m_crAccueilTxtSurvol)},
    {"Menu", "AccueilCouleurTxtClic", FIELD(m_crAccueilTxtClic)},
    {"Menu", "AccueilCouleurTxtTitre", FIELD(m_crAccueilTxtTitre)},
    {"Menu", "BTAccueil_X", FIELD(m_nBtAccueilX)},       {"Menu", "BTAccueil_Y", FIELD(m_nBtAccueilY)},
    {"Menu", "BTPrev_X", FIELD(m_nBtPrevX)},             {"Menu", "BTPrev_Y", FIELD(m_nBtPrevY)},
    {"Menu", "BTNext_X", FIELD(m_nBtNextX)},             {"Menu", "BTNext_Y", FIELD(m_nBtNextY)},
};

const std::vector<IntValue> kLayoutValues = {
    {"Video", "Video_X", FIELD(m_nVideoX)},                     {"Video", "Video_Y", FIELD(m_nVideoY)},
    {"Video", "Slider_X", FIELD(m_nSliderX)},                   {"Video", "Slider_Y", FIELD(m_nSliderY)},
    {"Video", "BTSliderPlay_X", FIELD(m_nBtSliderPlayX)},       {"Video", "BTSliderPlay_Y", FIELD(m_nBtSliderPlayY)},
    {"Video", "BTSliderPause_X", FIELD(m_nBtSliderPauseX)},     {"Video", "BTSliderPause_Y", FIELD(m_nBtSliderPauseY)},
    {"Video", "BTSliderStop_X", FIELD(m_nBtSliderStopX)},       {"Video", "BTSliderStop_Y", FIELD(m_nBtSliderStopY)},
    {"Video", "BTSliderImgPrev_X", FIELD(m_nBtSliderImgPrevX)}, {"Video", "BTSliderImgPrev_Y", FIELD(m_nBtSliderImgPrevY)},
    {"Video", "BTSliderImgNext_X", FIELD(m_nBtSliderImgNextX)}, {"Video", "BTSliderImgNext_Y", FIELD(m_nBtSliderImgNextY)},
    {"Video", "CadreNImagage_X", FIELD(m_nCadreNImagageX)},     {"Video", "CadreNImagage_Y", FIELD(m_nCadreNImagageY)},
    {"Texte", "Txt1_X0", FIELD(m_rcTxt1.left)},  {"Texte", "Txt1_Y0", FIELD(m_rcTxt1.top)},
    {"Texte", "Txt1_X1", FIELD(m_rcTxt1.right)}, {"Texte", "Txt1_Y1", FIELD(m_rcTxt1.bottom)},
    {"Texte", "Txt2_X0", FIELD(m_rcTxt2.left)},  {"Texte", "Txt2_Y0", FIELD(m_rcTxt2.top)},
    {"Texte", "Txt2_X1", FIELD(m_rcTxt2.right)}, {"Texte", "Txt2_Y1", FIELD(m_rcTxt2.bottom)},
};

// An INI file giving each value a number of its own (first + index), section by section.
std::string IniOf(const std::vector<IntValue>& values, long nFirst)
{
    std::string text, section;
    for (size_t i = 0; i < values.size(); ++i) {
        if (section != values[i].pszSection) {
            section = values[i].pszSection;
            text += "[" + section + "]\r\n";
        }
        text += std::string(values[i].pszKey) + "=" + std::to_string(nFirst + static_cast<long>(i)) + "\r\n";
    }
    return text;
}

void ExpectValues(const CSkinSettings& s, const std::vector<IntValue>& values, long nFirst)
{
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(nFirst + static_cast<long>(i), values[i].read(s)) << values[i].pszSection << "/" << values[i].pszKey;
}
} // namespace

TEST_F(LoadSettings, ReadsEveryValueFromItsFileSectionAndKey)
{
    Write("Kelo.ini", "[Generalite]\r\nAppli=Produits\\Optique\r\n");
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Bleu\r\n");
    Write("SKINS\\Bleu\\Skin.ini", IniOf(kSkinValues, 1003));
    std::string strLayout = IniOf(kLayoutValues, 2026);
    strLayout.insert(strLayout.find("\r\n") + 2, "Cadre Video=2\r\n");
    Write("SKINS\\Bleu\\Optique.ini", strLayout);
    Write("Produits\\Optique\\VIDEOS\\Video.ini", "[Generalite]\r\nRalenti=4\r\nPauses=10,20,30\r\n");

    ASSERT_TRUE(m_app.LoadSettings());
    const CSkinSettings& s = m_app.m_settings;
    const CString& exe = m_folder.Path();
    EXPECT_EQ(exe + "Produits\\Optique\\", s.m_strAppDir);
    EXPECT_EQ(CString("Optique"), s.m_strAppName);
    EXPECT_EQ(exe + "Produits\\Optique\\RES\\", s.m_strResDir);
    EXPECT_EQ(exe + "Produits\\Optique\\VIDEOS\\", s.m_strVideoDir);
    EXPECT_EQ(exe + "SKINS\\Bleu\\", s.m_strSkinDir);
    ExpectValues(s, kSkinValues, 1003);
    ExpectValues(s, kLayoutValues, 2026);
    EXPECT_TRUE(s.m_bCadreVideo);
    EXPECT_EQ(4, s.m_nRalenti);
    EXPECT_EQ((std::vector<UINT>{0, 10, 20, 30, 999}), Pauses());
    // Never touched by a reload.
    EXPECT_EQ(exe, s.m_strExeDir);
    ASSERT_EQ(1, s.m_astrSkinFolders.GetSize());
    EXPECT_EQ(CString("kept"), s.m_astrSkinFolders[0]);
}

TEST_F(LoadSettings, MissingFilesGiveTheDefaults)
{
    ASSERT_TRUE(m_app.LoadSettings());
    const CSkinSettings& s = m_app.m_settings;
    EXPECT_EQ(m_folder.Path() + "error\\", s.m_strAppDir);
    EXPECT_EQ(CString("error"), s.m_strAppName);
    EXPECT_EQ(m_folder.Path() + "error\\VIDEOS\\", s.m_strVideoDir);
    EXPECT_TRUE(s.m_strSkinDir.IsEmpty());
    for (const IntValue& value : kSkinValues)
        EXPECT_EQ(0, value.read(s)) << value.pszKey;
    for (const IntValue& value : kLayoutValues)
        EXPECT_EQ(0, value.read(s)) << value.pszKey;
    EXPECT_FALSE(s.m_bCadreVideo);
    EXPECT_EQ(1, s.m_nRalenti);
    EXPECT_EQ((std::vector<UINT>{0, 0, 999}), Pauses());
}

TEST_F(LoadSettings, MissingSectionsAndKeysGiveTheDefaults)
{
    Write("Kelo.ini", "[Autre]\r\nAppli=Optique\r\n");
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskins=Bleu\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(CString("error"), m_app.m_settings.m_strAppName);
    EXPECT_TRUE(m_app.m_settings.m_strSkinDir.IsEmpty());

    Write("Kelo.ini", "[Generalite]\r\nAppli=Optique\r\n");
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Bleu\r\n");
    Write("SKINS\\Bleu\\Skin.ini", "[Menu]\r\nEcran=255\r\nBTMenu_X=7\r\n");
    Write("SKINS\\Bleu\\Optique.ini", "[Video]\r\nCadre Video=0\r\nTxt1_X0=5\r\n");
    Write("Optique\\VIDEOS\\Video.ini", "[Generalite]\r\nPauses=5\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    const CSkinSettings& s = m_app.m_settings;
    EXPECT_EQ(0u, s.m_crEcran) << "Ecran belongs to Generalite";
    EXPECT_EQ(7, s.m_nBtMenuX);
    EXPECT_EQ(0, s.m_nBtMenuY);
    EXPECT_EQ(0, s.m_rcTxt1.left) << "Txt1_X0 belongs to Texte";
    EXPECT_FALSE(s.m_bCadreVideo);
    EXPECT_EQ(1, s.m_nRalenti);
    EXPECT_EQ((std::vector<UINT>{0, 5, 999}), Pauses());
}

TEST_F(LoadSettings, PageKeyChoosesTheStartPageView)
{
    const std::pair<const char*, PageViewChoice> kCases[] = {
        {"", PAGE_VIEW_AUTOMATIC},          {"Page=navigateur\r\n", PAGE_VIEW_BROWSER},
        {"Page=Integree\r\n", PAGE_VIEW_BUILTIN}, {"Page=int\xe9gr\xe9" "e\r\n", PAGE_VIEW_BUILTIN},
        {"Page=auto\r\n", PAGE_VIEW_AUTOMATIC}, {"Page=integree \r\n", PAGE_VIEW_BUILTIN}};
    for (const auto& test : kCases) {
        Write("Kelo.ini", std::string("[Generalite]\r\nAppli=Optique\r\n") + test.first);
        ASSERT_TRUE(m_app.LoadSettings());
        EXPECT_EQ(test.second, m_app.m_settings.m_nPageView) << test.first;
    }
}

TEST_F(LoadSettings, FondKeyGivesTheBackdropColourOnlyAsHashAndSixHexDigits)
{
    const std::pair<const char*, COLORREF> kColours[] = {{"Fond=#204060\r\n", RGB(0x20, 0x40, 0x60)},
                                                         {"Fond=#A0b0C0\r\n", RGB(0xA0, 0xB0, 0xC0)}};
    for (const auto& test : kColours) {
        Write("Kelo.ini", std::string("[Generalite]\r\nAppli=Optique\r\n") + test.first);
        ASSERT_TRUE(m_app.LoadSettings());
        EXPECT_TRUE(m_app.m_settings.m_bBackdrop) << test.first;
        EXPECT_EQ(test.second, m_app.m_settings.m_crBackdrop) << test.first;
    }
    for (const char* pszNone : {"", "Fond=\r\n", "Fond=204060\r\n", "Fond=#20406\r\n", "Fond=#20406g\r\n",
                                "Fond=#2040600\r\n", "Fond=noir\r\n"}) {
        Write("Kelo.ini", std::string("[Generalite]\r\nAppli=Optique\r\n") + pszNone);
        ASSERT_TRUE(m_app.LoadSettings());
        EXPECT_FALSE(m_app.m_settings.m_bBackdrop) << pszNone;
    }
}

TEST_F(LoadSettings, SkinNamedErrorSkinCountsAsNoSkin)
{
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=error skin\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_TRUE(m_app.m_settings.m_strSkinDir.IsEmpty());

    // The comparison is exact: another case is a skin name like any other.
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Error Skin\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(m_folder.Path() + "SKINS\\Error Skin\\", m_app.m_settings.m_strSkinDir);
}

TEST_F(LoadSettings, KeysMatchWithoutRegardToCase)
{
    Write("SKINS\\Lanceur.ini", "[GENERALITE]\r\nSKIN=Bleu\r\n");
    Write("SKINS\\Bleu\\Skin.ini", "[menu]\r\nmenucouleurtxt=255\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(255u, m_app.m_settings.m_crMenuTxt);
}

TEST_F(LoadSettings, TextValuesAreCutAt180Characters)
{
    std::string strLong(200, 'a');
    strLong[179] = 'z';
    Write("Kelo.ini", "[Generalite]\r\nAppli=" + strLong + "\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(m_folder.Path() + CString(strLong.substr(0, 180)) + "\\", m_app.m_settings.m_strAppDir);
    EXPECT_EQ(180, m_app.m_settings.m_strAppName.GetLength());

    // A long skin name can never make the skin folder overflow anything.
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=" + std::string(5000, 's') + "\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(m_folder.Path().GetLength() + 6 + 180 + 1, m_app.m_settings.m_strSkinDir.GetLength());
}

TEST_F(LoadSettings, ApplicationWithoutSubfolder)
{
    Write("Kelo.ini", "[Generalite]\r\nAppli=Optique\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(CString("Optique"), m_app.m_settings.m_strAppName);
    EXPECT_EQ(m_folder.Path() + "Optique\\", m_app.m_settings.m_strAppDir);
    EXPECT_EQ(m_folder.Path() + "Optique\\RES\\", m_app.m_settings.m_strResDir);
}

TEST_F(LoadSettings, PauseList)
{
    EXPECT_EQ((std::vector<UINT>{0, 10, 20, 30, 999}), PausesFor("Pauses=10,20,30"));
    EXPECT_EQ((std::vector<UINT>{0, 999}), PausesFor("Pauses="));
    EXPECT_EQ((std::vector<UINT>{0, 0, 999}), PausesFor("Ralenti=2"));
    EXPECT_EQ((std::vector<UINT>{0, 5, 999}), PausesFor("Pauses=5"));
    EXPECT_EQ((std::vector<UINT>{0, 10, 999}), PausesFor("Pauses=10,"));
    EXPECT_EQ((std::vector<UINT>{0, 10, 999}), PausesFor("Pauses=,10"));
    EXPECT_EQ((std::vector<UINT>{0, 10, 20, 999}), PausesFor("Pauses=10,,20,30"));
    EXPECT_EQ((std::vector<UINT>{0, 0, 999}), PausesFor("Pauses=abc"));
}

TEST_F(LoadSettings, ReloadingRebuildsTheListAndFollowsTheNewSkin)
{
    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Bleu\r\n");
    Write("SKINS\\Bleu\\Skin.ini", "[Generalite]\r\nEcran=16711680\r\n[Menu]\r\nBTQuit_X=700\r\n");
    Write("SKINS\\Rouge\\Skin.ini", "[Generalite]\r\nEcran=255\r\n");
    Write("Kelo.ini", "[Generalite]\r\nAppli=Optique\r\n");
    Write("Optique\\VIDEOS\\Video.ini", "[Generalite]\r\nPauses=1,2\r\n");

    ASSERT_TRUE(m_app.LoadSettings());
    std::vector<UINT> first = Pauses();
    EXPECT_EQ(0x00FF0000u, m_app.m_settings.m_crEcran);
    EXPECT_EQ(700, m_app.m_settings.m_nBtQuitX);

    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(first, Pauses());
    EXPECT_EQ(m_folder.Path() + "SKINS\\Bleu\\", m_app.m_settings.m_strSkinDir);

    Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=Rouge\r\n");
    ASSERT_TRUE(m_app.LoadSettings());
    EXPECT_EQ(m_folder.Path() + "SKINS\\Rouge\\", m_app.m_settings.m_strSkinDir);
    EXPECT_EQ(255u, m_app.m_settings.m_crEcran);
    EXPECT_EQ(0, m_app.m_settings.m_nBtQuitX);
    EXPECT_EQ(first, Pauses());
}

TEST_F(LoadSettings, NothingIsReadOutsideTheKiosk)
{
    CTempFolder outside("kelo-outside");
    outside.WriteFile("Skin.ini", "[Generalite]\r\nEcran=77\r\n");
    outside.WriteFile("VIDEOS\\Video.ini", "[Generalite]\r\nRalenti=9\r\n");
    CString strLeaf = outside.Path().Left(outside.Path().GetLength() - 1);
    strLeaf = strLeaf.Mid(strLeaf.ReverseFind('\\') + 1);

    // An application folder or a skin that leads out of the kiosk counts as none.
    for (const CString& strAppli : {outside.Path(), CString("..\\") + strLeaf}) {
        Write("Kelo.ini", "[Generalite]\r\nAppli=" + std::string(strAppli.str()) + "\r\n");
        Write("SKINS\\Lanceur.ini", "[Generalite]\r\nskin=..\\..\\" + std::string(strLeaf.str()) + "\r\n");
        ASSERT_TRUE(m_app.LoadSettings());
        EXPECT_EQ(m_folder.Path() + "error\\", m_app.m_settings.m_strAppDir) << strAppli.str();
        EXPECT_EQ(1, m_app.m_settings.m_nRalenti) << strAppli.str();
        EXPECT_TRUE(m_app.m_settings.m_strSkinDir.IsEmpty());
        EXPECT_EQ(0u, m_app.m_settings.m_crEcran);
    }

    // Without a skin, no skin file is looked for in the current folder.
    ::DeleteFileA(m_folder.Path() + "SKINS\\Lanceur.ini");
    char szOld[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szOld);
    ASSERT_TRUE(::SetCurrentDirectoryA(outside.Path()));
    EXPECT_TRUE(m_app.LoadSettings());
    ::SetCurrentDirectoryA(szOld);
    EXPECT_TRUE(m_app.m_settings.m_strSkinDir.IsEmpty());
    EXPECT_EQ(0u, m_app.m_settings.m_crEcran);
}
