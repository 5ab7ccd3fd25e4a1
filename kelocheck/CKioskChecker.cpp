#include "kelocheck/CKioskChecker.h"
#include "dib/CDIB.h"
#include "settings/FolderScan.h"
#include "settings/SettingsFiles.h"
#include "skin/SkinConstants.h"
#include "skin/SkinImage.h"
#include <algorithm>

namespace
{
const char kSkinsFolder[] = "SKINS\\";
const char kSkinFile[] = "Skin.ini";
const char kChoiceFile[] = "SKINS\\Lanceur.ini";
// What the settings reader makes of a missing Appli key.
const char kNoApplication[] = "error";

std::string Quoted(const std::string& str)
{
    return "\xab\xa0" + str + "\xa0\xbb";
}

std::string WithoutTrailingBackslash(const CString& str)
{
    std::string strOut = str.str();
    if (!strOut.empty() && strOut.back() == '\\')
        strOut.pop_back();
    return strOut;
}
} // namespace

CKioskChecker::Result CKioskChecker::Check(const std::string& strFolder)
{
    m_findings.clear();
    m_visited.clear();
    char szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameA(strFolder.c_str(), MAX_PATH, szFull, nullptr);
    m_strFolder = nLength && nLength < MAX_PATH ? std::string(szFull, nLength) : strFolder;
    if (m_strFolder.empty() || m_strFolder.back() != '\\')
        m_strFolder += '\\';
    if (!FolderExists(m_strFolder.c_str())) {
        Note(true, m_strFolder, "dossier introuvable");
        return RESULT_NO_KIOSK;
    }
    if (!SkinFileExists((m_strFolder + "Kelo.ini").c_str())) {
        Note(true, m_strFolder + "Kelo.ini", "introuvable\xa0: ce dossier n'est pas un kiosque");
        return RESULT_NO_KIOSK;
    }

    m_settings = CSkinSettings();
    m_settings.m_strExeDir = m_strFolder.c_str();
    CollectFolders(m_settings.m_strExeDir + "SKINS", m_settings.m_astrSkinFolders);
    ReadSettingsFiles(m_settings);

    CheckSettings();
    CheckSkins();
    CheckPages();
    return Count(true) ? RESULT_ERRORS : RESULT_CLEAN;
}

int CKioskChecker::Count(bool bErrors) const
{
    return static_cast<int>(std::count_if(m_findings.begin(), m_findings.end(),
                                          [bErrors](const FINDING& finding) { return finding.bError == bErrors; }));
}

void CKioskChecker::Note(bool bError, const std::string& strPath, const std::string& strText)
{
    m_findings.push_back({bError, Shown(strPath), strText});
}

std::string CKioskChecker::Shown(const std::string& strPath) const
{
    if (strPath.size() > m_strFolder.size() &&
        ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, strPath.c_str(), static_cast<int>(m_strFolder.size()),
                         m_strFolder.c_str(), static_cast<int>(m_strFolder.size())) == CSTR_EQUAL)
        return strPath.substr(m_strFolder.size());
    return strPath;
}

void CKioskChecker::CheckSettings()
{
    const std::string strMainFile = m_strFolder + "Kelo.ini";
    std::string strApplication = WithoutTrailingBackslash(m_settings.m_strAppDir).substr(m_strFolder.size());
    if (strApplication == kNoApplication)
        Note(true, strMainFile, "aucun dossier d'application (cl\xe9 Appli de [Generalite])");
    else if (!FolderExists(m_settings.m_strAppDir))
        Note(true, strMainFile, "le dossier d'application " + Quoted(strApplication) + " (Appli) est introuvable");
}

void CKioskChecker::CheckSkins()
{
    const std::string strChoice = m_strFolder + kChoiceFile;
    const CString strSkins = m_settings.m_strExeDir + kSkinsFolder;
    const CString& strChosen = m_settings.m_strSkinDir;
    if (strChosen.IsEmpty())
        Note(true, strChoice, "aucun skin choisi (cl\xe9 skin de [Generalite])");
    else if (!FolderExists(strChosen))
        Note(true, strChoice, "le skin " + Quoted(WithoutTrailingBackslash(strChosen).substr(strSkins.GetLength())) +
                                  " est introuvable dans SKINS");
    else
        CheckSkin(strChosen, true);

    // The other skins the launcher menu offers: the folders right below SKINS.
    for (INT_PTR i = 0; i < m_settings.m_astrSkinFolders.GetSize(); ++i) {
        const CString strDir = m_settings.m_astrSkinFolders[i] + "\\";
        const CString strName = strDir.Mid(strSkins.GetLength());
        if (strName.Find('\\') == strName.GetLength() - 1 && strDir.CompareNoCase(strChosen) != 0)
            CheckSkin(strDir, false);
    }
}

void CKioskChecker::CheckSkin(const CString& strDir, bool bChosen)
{
    if (!SkinFileExists(strDir + kSkinFile)) {
        Note(true, (strDir + kSkinFile).str(), "introuvable\xa0: ce dossier de SKINS n'est pas un skin");
        return;
    }
    CDIB left, right, top, bottom;
    bool bBorders = ReadSkinBitmap(strDir, SKIN_FILE_LEFT, true, left);
    bBorders = ReadSkinBitmap(strDir, SKIN_FILE_RIGHT, true, right) && bBorders;
    bBorders = ReadSkinBitmap(strDir, SKIN_FILE_TOP, true, top) && bBorders;
    bBorders = ReadSkinBitmap(strDir, SKIN_FILE_BOTTOM, true, bottom) && bBorders;
    if (bBorders) {
        // Gauche and Droit stand at the sides, full height; Haut and Bas between them.
        const int nBetween = SKIN_CLIENT_WIDTH - left.GetWidth() - right.GetWidth();
        for (const std::pair<const char*, CDIB*>& side : {std::make_pair(SKIN_FILE_LEFT, &left), std::make_pair(SKIN_FILE_RIGHT, &right)}) {
            if (side.second->GetHeight() != SKIN_CLIENT_HEIGHT)
                Note(false, (strDir + side.first).str(),
                     "hauteur de " + std::to_string(side.second->GetHeight()) + " pixels au lieu des " +
                         std::to_string(SKIN_CLIENT_HEIGHT) + " de la fen\xeatre");
        }
        for (const std::pair<const char*, CDIB*>& band : {std::make_pair(SKIN_FILE_TOP, &top), std::make_pair(SKIN_FILE_BOTTOM, &bottom)}) {
            if (band.second->GetWidth() != nBetween)
                Note(false, (strDir + band.first).str(),
                     "largeur de " + std::to_string(band.second->GetWidth()) + " pixels au lieu des " +
                         std::to_string(nBetween) + " entre Gauche et Droit");
        }
        if (nBetween <= 0 || top.GetHeight() + bottom.GetHeight() >= SKIN_CLIENT_HEIGHT)
            Note(false, (strDir + kSkinFile).str(), "le cadre ne laisse aucune place \xe0 la page");
    }
    // Only the chosen skin's positions are in the settings read.
    const CSkinSettings& s = m_settings;
    POINT ptMenu = {s.m_nBtMenuX, s.m_nBtMenuY}, ptMini = {s.m_nBtMiniX, s.m_nBtMiniY}, ptQuit = {s.m_nBtQuitX, s.m_nBtQuitY};
    CheckButton(strDir, SKIN_FILE_MENU, false, bChosen ? &ptMenu : nullptr);
    CheckButton(strDir, SKIN_FILE_MINI, true, bChosen ? &ptMini : nullptr);
    CheckButton(strDir, SKIN_FILE_QUIT, true, bChosen ? &ptQuit : nullptr);
}

bool CKioskChecker::ReadSkinBitmap(const CString& strDir, const char* pszFile, bool bRequired, CDIB& dib)
{
    const CString strPath = strDir + pszFile;
    if (!SkinFileExists(strPath)) {
        if (bRequired)
            Note(true, strPath.str(), "image introuvable");
        return false;
    }
    if (!LoadSkinImage(&dib, strPath)) {
        Note(true, strPath.str(), "image illisible (un fichier BMP est attendu)");
        return false;
    }
    return true;
}

void CKioskChecker::CheckButton(const CString& strDir, const char* pszFile, bool bRequired, const POINT* pptAt)
{
    CDIB strip;
    if (!ReadSkinBitmap(strDir, pszFile, bRequired, strip))
        return;
    const std::string strPath = (strDir + pszFile).str();
    if (strip.GetHeight() % SKIN_STRIP_IMAGES != 0) {
        Note(true, strPath,
             "hauteur de " + std::to_string(strip.GetHeight()) + " pixels\xa0: ne se partage pas en " +
                 std::to_string(SKIN_STRIP_IMAGES) + " images (inutilis\xe9" "e, normale, survol, appui)");
        return;
    }
    if (pptAt && (pptAt->x < 0 || pptAt->y < 0 || pptAt->x + strip.GetWidth() > SKIN_CLIENT_WIDTH ||
                  pptAt->y + strip.GetHeight() / SKIN_STRIP_IMAGES > SKIN_CLIENT_HEIGHT))
        Note(false, strPath,
             "le bouton plac\xe9 en " + std::to_string(pptAt->x) + ", " + std::to_string(pptAt->y) +
                 " d\xe9passe la fen\xeatre de " + std::to_string(SKIN_CLIENT_WIDTH) + " \xd7 " +
                 std::to_string(SKIN_CLIENT_HEIGHT));
}
