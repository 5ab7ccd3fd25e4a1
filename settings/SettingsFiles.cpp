#include "settings/SettingsFiles.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{
// Text values are read into 181 bytes: at most 180 characters survive.
const DWORD kTextBufferSize = 181;
const UINT kPauseListEnd = 999;

// The skin choice, below the program folder: read at each start and each skin change,
// written by the launcher menu together with the start page's script.
const char kChoiceFile[] = "SKINS\\Lanceur.ini";
const char kChoiceSection[] = "Generalite";
const char kChoiceKey[] = "skin";
const char kScriptFile[] = "SKINS\\Skins.js";
const char kScriptSection[] = "lien";
const char kScriptKey[] = "Chemin";
// Below the program folder: the skins, each a folder with its Skin.ini.
const char kSkinsFolder[] = "SKINS\\";
const char kSkinFile[] = "Skin.ini";

// A file name without a folder (the skin's files when no skin is chosen) would be looked
// for in the Windows folder: such a file is never read, its values are the defaults.
bool NamesAFolder(const CString& strFile)
{
    return strFile.Find('\\') >= 0;
}

// strFile when it is a file to read; else an empty name, whose values are the defaults
// without a look for the file at each key.
CString FileToRead(const CString& strFile)
{
    if (!NamesAFolder(strFile))
        return CString();
    const DWORD dwAttributes = ::GetFileAttributesA(strFile);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ? strFile : CString();
}

CString ReadText(const char* pszSection, const char* pszKey, const char* pszDefault, const CString& strFile)
{
    if (!NamesAFolder(strFile))
        return CString(pszDefault);
    char szValue[kTextBufferSize] = {};
    ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, szValue, kTextBufferSize, strFile);
    return CString(szValue);
}

int ReadInt(const char* pszSection, const char* pszKey, int nDefault, const CString& strFile)
{
    if (!NamesAFolder(strFile))
        return nDefault;
    return static_cast<int>(::GetPrivateProfileIntA(pszSection, pszKey, nDefault, strFile));
}

// Whether strPath, made whole, lies below strFolder (which ends in a backslash): a
// settings value naming a folder never leads out of the kiosk, by "..", a drive or a share.
bool StaysBelow(const CString& strFolder, const CString& strPath)
{
    char szFolder[MAX_PATH], szPath[MAX_PATH];
    DWORD nFolder = ::GetFullPathNameA(strFolder, MAX_PATH, szFolder, nullptr);
    DWORD nPath = ::GetFullPathNameA(strPath, MAX_PATH, szPath, nullptr);
    if (nFolder == 0 || nFolder >= MAX_PATH || nPath == 0 || nPath >= MAX_PATH || nPath < nFolder ||
        szFolder[nFolder - 1] != '\\' || std::strchr(szPath + 2, ':'))
        return false;
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, szFolder, static_cast<int>(nFolder), szPath,
                            static_cast<int>(nFolder)) == CSTR_EQUAL;
}

// atoi without its undefined overflow: out-of-range numbers stop at the int limits.
int ToInt(const char* psz)
{
    long nValue = std::strtol(psz, nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}

// "10,20,30" gives 0, 10, 20, 30, 999. An empty item ends the list: the rest is then
// converted as a whole, so "10,,20,30" gives 0, 10, 20, 999.
void ParsePauses(const CString& strValue, CUIntArray& aPauses)
{
    aPauses.RemoveAll();
    aPauses.Add(0);
    CString strRest = strValue;
    for (;;) {
        int nComma = strRest.Find(',');
        CString strItem = nComma >= 0 ? strRest.Left(nComma) : CString();
        if (!strItem.IsEmpty())
            aPauses.Add(static_cast<UINT>(ToInt(strItem)));
        if (nComma >= 0)
            strRest = strRest.Mid(nComma + 1);
        if (strItem.IsEmpty())
            break;
    }
    if (!strRest.IsEmpty())
        aPauses.Add(static_cast<UINT>(ToInt(strRest)));
    aPauses.Add(kPauseListEnd);
}

// "navigateur" or "integree" (also written with its accents), in any case.
PageViewChoice PageViewOf(const CString& strValue)
{
    if (strValue.CompareNoCase("navigateur") == 0)
        return PAGE_VIEW_BROWSER;
    if (strValue.CompareNoCase("integree") == 0 || strValue.CompareNoCase("int\xe9gr\xe9" "e") == 0)
        return PAGE_VIEW_BUILTIN;
    return PAGE_VIEW_AUTOMATIC;
}
// "#rrggbb" in hexadecimal digits of either case; FALSE, and crColour untouched, for
// anything else.
BOOL ParseHtmlColour(const CString& strValue, COLORREF& crColour)
{
    if (strValue.GetLength() != 7 || strValue[0] != '#')
        return FALSE;
    unsigned long nRgb = 0;
    for (int i = 1; i < 7; ++i) {
        char ch = strValue[i];
        int nDigit = (ch >= '0' && ch <= '9')   ? ch - '0'
                     : (ch >= 'a' && ch <= 'f') ? ch - 'a' + 10
                     : (ch >= 'A' && ch <= 'F') ? ch - 'A' + 10
                                                : -1;
        if (nDigit < 0)
            return FALSE;
        nRgb = nRgb * 16 + static_cast<unsigned long>(nDigit);
    }
    crColour = RGB((nRgb >> 16) & 0xFF, (nRgb >> 8) & 0xFF, nRgb & 0xFF);
    return TRUE;
}
} // namespace

void DeriveFolders(CSkinSettings& s)
{
    s.m_strResDir = s.m_strAppDir + "RES\\";
    s.m_strVideoDir = s.m_strAppDir + "VIDEOS\\";
    s.m_strSkinDir = s.m_strExeDir + kSkinsFolder;
}

void ReadSettingsFiles(CSkinSettings& s)
{

    const CString strMainFile = FileToRead(s.m_strExeDir + "Kelo.ini");
    CString strAppli = ReadText("Generalite", "Appli", "error", strMainFile);
    if (!StaysBelow(s.m_strExeDir, s.m_strExeDir + strAppli + "\\"))
        strAppli = "error";
    s.m_strAppDir = s.m_strExeDir + strAppli + "\\";
    s.m_strAppName = strAppli.Mid(strAppli.ReverseFind('\\') + 1);
    s.m_nPageView = PageViewOf(ReadText("Generalite", "Page", "", strMainFile));
    s.m_crBackdrop = 0;
    s.m_bBackdrop = ParseHtmlColour(ReadText("Generalite", "Fond", "", strMainFile), s.m_crBackdrop);
    s.m_nIdleReturnSeconds = static_cast<UINT>(std::max(ReadInt("Generalite", "Retour", 0, strMainFile), 0));

    DeriveFolders(s);

    CString strSkin = ReadText(kChoiceSection, kChoiceKey, "error skin", FileToRead(s.m_strExeDir + kChoiceFile));
    if (strSkin != "error skin" && StaysBelow(s.m_strExeDir, s.m_strSkinDir + strSkin + "\\"))
        s.m_strSkinDir += strSkin + "\\";
    else
        s.m_strSkinDir.Empty();

    const CString strSkinFile = FileToRead(s.m_strSkinDir + kSkinFile);
    s.m_crEcran = static_cast<COLORREF>(ReadInt("Generalite", "Ecran", 0, strSkinFile));
    s.m_nBtMenuX = ReadInt("Menu", "BTMenu_X", 0, strSkinFile);
    s.m_nBtMenuY = ReadInt("Menu", "BTMenu_Y", 0, strSkinFile);
    s.m_nBtMiniX = ReadInt("Menu", "BTMini_X", 0, strSkinFile);
    s.m_nBtMiniY = ReadInt("Menu", "BTMini_Y", 0, strSkinFile);
    s.m_nBtQuitX = ReadInt("Menu", "BTQuit_X", 0, strSkinFile);
    s.m_nBtQuitY = ReadInt("Menu", "BTQuit_Y", 0, strSkinFile);
    s.m_nMenuX = ReadInt("Menu", "Menu_X", 0, strSkinFile);
    s.m_nMenuY = ReadInt("Menu", "Menu_Y", 0, strSkinFile);
    s.m_crMenuFond = static_cast<COLORREF>(ReadInt("Menu", "MenuCouleurFond", 0, strSkinFile));
    s.m_crMenuBord = static_cast<COLORREF>(ReadInt("Menu", "MenuCouleurBord", 0, strSkinFile));
    s.m_crMenuTxt = static_cast<COLORREF>(ReadInt("Menu", "MenuCouleurTxt", 0, strSkinFile));
    s.m_crAccueilTxt = static_cast<COLORREF>(ReadInt("Menu", "AccueilCouleurTxt", 0, strSkinFile));
    s.m_crAccueilTxtGris = static_cast<COLORREF>(ReadInt("Menu", "AccueilCouleurTxtGris", 0, strSkinFile));
    s.m_crAccueilTxtSurvol = static_cast<COLORREF>(ReadInt("Menu", "AccueilCouleurTxtSurvol", 0, strSkinFile));
    s.m_crAccueilTxtClic = static_cast<COLORREF>(ReadInt("Menu", "AccueilCouleurTxtClic", 0, strSkinFile));
    s.m_crAccueilTxtTitre = static_cast<COLORREF>(ReadInt("Menu", "AccueilCouleurTxtTitre", 0, strSkinFile));
    s.m_nBtAccueilX = ReadInt("Menu", "BTAccueil_X", 0, strSkinFile);
    s.m_nBtAccueilY = ReadInt("Menu", "BTAccueil_Y", 0, strSkinFile);
    s.m_nBtPrevX = ReadInt("Menu", "BTPrev_X", 0, strSkinFile);
    s.m_nBtPrevY = ReadInt("Menu", "BTPrev_Y", 0, strSkinFile);
    s.m_nBtNextX = ReadInt("Menu", "BTNext_X", 0, strSkinFile);
    s.m_nBtNextY = ReadInt("Menu", "BTNext_Y", 0, strSkinFile);

    const CString strLayoutFile = FileToRead(s.m_strSkinDir + s.m_strAppName + ".ini");
    s.m_nVideoX = ReadInt("Video", "Video_X", 0, strLayoutFile);
    s.m_nVideoY = ReadInt("Video", "Video_Y", 0, strLayoutFile);
    s.m_nSliderX = ReadInt("Video", "Slider_X", 0, strLayoutFile);
    s.m_nSliderY = ReadInt("Video", "Slider_Y", 0, strLayoutFile);
    s.m_nBtSliderPlayX = ReadInt("Video", "BTSliderPlay_X", 0, strLayoutFile);
    s.m_nBtSliderPlayY = ReadInt("Video", "BTSliderPlay_Y", 0, strLayoutFile);
    s.m_nBtSliderPauseX = ReadInt("Video", "BTSliderPause_X", 0, strLayoutFile);
    s.m_nBtSliderPauseY = ReadInt("Video", "BTSliderPause_Y", 0, strLayoutFile);
    s.m_nBtSliderStopX = ReadInt("Video", "BTSliderStop_X", 0, strLayoutFile);
    s.m_nBtSliderStopY = ReadInt("Video", "BTSliderStop_Y", 0, strLayoutFile);
    s.m_nBtSliderImgPrevX = ReadInt("Video", "BTSliderImgPrev_X", 0, strLayoutFile);
    s.m_nBtSliderImgPrevY = ReadInt("Video", "BTSliderImgPrev_Y", 0, strLayoutFile);
    s.m_nBtSliderImgNextX = ReadInt("Video", "BTSliderImgNext_X", 0, strLayoutFile);
    s.m_nBtSliderImgNextY = ReadInt("Video", "BTSliderImgNext_Y", 0, strLayoutFile);
    s.m_nCadreNImagageX = ReadInt("Video", "CadreNImagage_X", 0, strLayoutFile);
    s.m_nCadreNImagageY = ReadInt("Video", "CadreNImagage_Y", 0, strLayoutFile);
    s.m_bCadreVideo = ReadInt("Video", "Cadre Video", 0, strLayoutFile) != 0;
    s.m_rcTxt1.left = ReadInt("Texte", "Txt1_X0", 0, strLayoutFile);
    s.m_rcTxt1.top = ReadInt("Texte", "Txt1_Y0", 0, strLayoutFile);
    s.m_rcTxt1.right = ReadInt("Texte", "Txt1_X1", 0, strLayoutFile);
    s.m_rcTxt1.bottom = ReadInt("Texte", "Txt1_Y1", 0, strLayoutFile);
    s.m_rcTxt2.left = ReadInt("Texte", "Txt2_X0", 0, strLayoutFile);
    s.m_rcTxt2.top = ReadInt("Texte", "Txt2_Y0", 0, strLayoutFile);
    s.m_rcTxt2.right = ReadInt("Texte", "Txt2_X1", 0, strLayoutFile);
    s.m_rcTxt2.bottom = ReadInt("Texte", "Txt2_Y1", 0, strLayoutFile);

    const CString strVideoFile = FileToRead(s.m_strVideoDir + "Video.ini");
    s.m_nRalenti = ReadInt("Generalite", "Ralenti", 1, strVideoFile);
    ParsePauses(ReadText("Generalite", "Pauses", "error", strVideoFile), s.m_aPauses);
}

void WriteSkinChoice(const CString& strExeDir, const CString& strName)
{
    ::WritePrivateProfileStringA(kChoiceSection, kChoiceKey, strName, strExeDir + kChoiceFile);
    ::WritePrivateProfileStringA(kScriptSection, kScriptKey, "\"" + strName + "\"", strExeDir + kScriptFile);
}

void ListSkins(const CSkinSettings& settings, CStringArray& astrNames)
{
    const CString strSkins = settings.m_strExeDir + kSkinsFolder;
    for (INT_PTR i = 0; i < settings.m_astrSkinFolders.GetSize(); ++i) {
        const CString& strFolder = settings.m_astrSkinFolders[i];
        if (strFolder.GetLength() <= strSkins.GetLength() || strFolder.Left(strSkins.GetLength()).CompareNoCase(strSkins) != 0)
            continue;
        DWORD dwAttributes = ::GetFileAttributesA(strFolder + "\\" + kSkinFile);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
            astrNames.Add(strFolder.Mid(strSkins.GetLength()));
    }
}
