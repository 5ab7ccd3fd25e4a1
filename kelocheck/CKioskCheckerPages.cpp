// The pages: the start page and every local page its links lead to, their links,
// pictures and link commands.
#include "kelocheck/CKioskChecker.h"
#include "links/CLinkCommandRunner.h"
#include "links/LinkCommands.h"
#include "links/PageRules.h"
#include "pageengine/io/CKioskFolder.h"
#include "pageengine/view/CHtmlPage.h"
#include "pageengine/view/CPageAddress.h"
#include <windows.h>
#include <cstring>

namespace
{
const char kStartPage[] = "res\\main.html";
// Pages followed from the start page at most: a bound for kiosks of generated pages.
const size_t kMaxPages = 1000;
const char* const kCommandNames[LINK_COMMAND_COUNT] = {"quitter", "exec", "fonc"};

const struct
{
    unsigned nFlag;
    const char* pszText;
} kUnshown[] = {
    {UNSHOWN_SCRIPT, "script (<script>, attributs on...)\xa0: la vue int\xe9gr\xe9" "e ne l'ex\xe9" "cute pas"},
    {UNSHOWN_FORM, "formulaire (<form>, <input>...)\xa0: la vue int\xe9gr\xe9" "e ne l'affiche pas"},
    {UNSHOWN_FRAME, "cadres (<frameset>, <frame>, <iframe>)\xa0: la vue int\xe9gr\xe9" "e ne les affiche pas"},
};

const CKioskChecker::FileKind kPicture = {"image", "non affich\xe9" "e"};
const CKioskChecker::FileKind kStyleSheet = {"feuille de style", "non appliqu\xe9" "e"};

std::string Quoted(const std::string& str)
{
    return "\xab\xa0" + str + "\xa0\xbb";
}

std::string Lower(std::string str)
{
    ::CharLowerBuffA(&str[0], static_cast<DWORD>(str.size()));
    return str;
}

// Whether strPath is a file a page may read and can be read: inside the kiosk folder, on a
// disk, by the same rule the page view follows.
bool IsReadableFile(const std::string& strKioskFolder, const std::string& strPath)
{
    std::string bytes;
    return CKioskFolder(strKioskFolder).ReadFile(strPath, 1, bytes) != FALSE;
}

// Whether strPath names something a page may read: the page view's own rule.
bool IsInsideKioskFolder(const std::string& strKioskFolder, const std::string& strPath)
{
    return !CKioskFolder(strKioskFolder).Admit(strPath).empty();
}
} // namespace

void CKioskChecker::CheckPages()
{
    const std::string strStart = m_strFolder + kStartPage;
    if (!IsReadableFile(m_strFolder, strStart)) {
        Note(true, strStart, "page d'accueil introuvable ou illisible");
        return;
    }
    std::vector<std::string> toVisit = {strStart};
    m_visited.insert(Lower(strStart));
    while (!toVisit.empty()) {
        std::string strPage = toVisit.back();
        toVisit.pop_back();
        CheckPage(strPage, toVisit);
    }
}

void CKioskChecker::CheckPage(const std::string& strPath, std::vector<std::string>& toVisit)
{
    CHtmlPage page;
    page.SetKioskFolder(CKioskFolder(m_strFolder));
    if (!page.LoadFile(strPath))
        return;   // its link is reported where it is
    const CHtmlDocument& document = page.Document();
    for (const auto& unshown : kUnshown) {
        if (document.m_nUnshown & unshown.nFlag)
            Note(false, strPath, unshown.pszText);
    }
    const std::string& strBase = page.BaseFolder();
    if (const char* pszBackground = document.BodyAttribute("background"))
        CheckFile(strPath, strBase, pszBackground, kPicture);
    for (const CHtmlStyleSheet& sheet : document.m_styleSheets) {
        if (!sheet.strHref.empty())
            CheckFile(strPath, strBase, sheet.strHref.c_str(), kStyleSheet);
    }
    for (size_t i = 0; i < document.NodeCount(); ++i) {
        int nNode = static_cast<int>(i);
        HtmlTag nTag = document.Node(nNode).nTag;
        if (nTag == TAG_A) {
            if (const char* pszHref = document.Attribute(nNode, "href"))
                CheckLink(strPath, strBase, pszHref, toVisit);
        } else if (nTag == TAG_IMG) {
            if (const char* pszSrc = document.Attribute(nNode, "src"))
                CheckFile(strPath, strBase, pszSrc, kPicture);
        }
    }
}

void CKioskChecker::CheckLink(const std::string& strPage, const std::string& strBase, const char* pszHref,
                              std::vector<std::string>& toVisit)
{
    LPCSTR pszCommands = nullptr;
    switch (ClassifyLink(pszHref, &pszCommands)) {
    case LINK_RUN:
        CheckCommands(strPage, pszCommands);
        return;
    case LINK_REFUSE:
        Note(true, strPage, "lien app:// de plus de " + std::to_string(LINK_COMMAND_MAX) +
                                " caract\xe8res apr\xe8s app:/\xa0: Kelo le refuse");
        return;
    case LINK_FOLLOW:
    default:
        break;
    }
    std::string strTarget = CPageAddress::ResolveLocal(strBase, pszHref);
    // Other schemes (http:, mailto:...) and links within the page lead to no file of the kiosk.
    if (strTarget.empty() || strTarget.back() == '\\' || Lower(strTarget) == Lower(strPage))
        return;
    bool bPage = CPageAddress::IsPage(strTarget);
    if (!IsInsideKioskFolder(m_strFolder, strTarget)) {
        Note(true, strPage, std::string("lien vers ") + (bPage ? "une page" : "un fichier") +
                                " hors du dossier du kiosque\xa0: " + pszHref);
        return;
    }
    if (!IsReadableFile(m_strFolder, strTarget)) {
        Note(true, strPage, std::string("lien vers ") + (bPage ? "une page introuvable" : "un fichier introuvable") +
                                "\xa0: " + pszHref);
        return;
    }
    if (bPage && toVisit.size() + m_visited.size() < kMaxPages && m_visited.insert(Lower(strTarget)).second)
        toVisit.push_back(strTarget);
}

void CKioskChecker::CheckFile(const std::string& strPage, const std::string& strBase, const char* pszAddress,
                              const FileKind& kind)
{
    std::string strFile = CPageAddress::ResolveLocal(strBase, pszAddress);
    if (strFile.empty()) {
        Note(false, strPage, std::string(kind.pszName) + " qui n'est pas un fichier du kiosque, " + kind.pszUnused + "\xa0: " + pszAddress);
        return;
    }
    if (!IsInsideKioskFolder(m_strFolder, strFile))
        Note(true, strPage, std::string(kind.pszName) + " hors du dossier du kiosque\xa0: " + pszAddress);
    else if (!IsReadableFile(m_strFolder, strFile))
        Note(true, strPage, std::string(kind.pszName) + " introuvable\xa0: " + pszAddress);
}

void CKioskChecker::CheckCommands(const std::string& strPage, const char* pszCommands)
{
    const CString strProgramFile = m_settings.m_strExeDir + "Kelo.exe";
    const char* p = pszCommands;
    bool bAny = false;
    for (;;) {
        const char* pszStart = p;
        LinkCommand nCommand = NextLinkCommand(&p);
        if (nCommand == LINK_COMMAND_NONE)
            break;
        bAny = true;
        if (nCommand == LINK_COMMAND_UNKNOWN) {
            // The name stands between the "/" and the "(" the cursor is now past.
            Note(true, strPage, "commande inconnue " + Quoted(std::string(pszStart + 1, p - 1)) + " dans app:/" + pszCommands);
            continue;
        }
        const char* pszArgument = CLinkCommandRunner::ExtractArgument(&p);
        if (!pszArgument) {
            Note(true, strPage, std::string("commande ") + kCommandNames[nCommand] +
                                    " sans \xab\xa0)\xa0\xbb ou d'argument de plus de " + std::to_string(LINK_ARGUMENT_MAX) +
                                    " caract\xe8res dans app:/" + pszCommands);
            continue;
        }
        if (nCommand != LINK_COMMAND_EXEC)
            continue;
        CString strVideo;
        if (!BuildVideoPath(strProgramFile, pszArgument, strVideo))
            Note(true, strPage, "nom de vid\xe9o qui sort du dossier Video, refus\xe9\xa0: " + Quoted(pszArgument));
        else if (!IsReadableFile(m_strFolder, strVideo.str()))
            Note(true, strPage, "programme vid\xe9o introuvable\xa0: Video\\" + std::string(pszArgument));
    }
    if (!bAny || *p)
        Note(true, strPage, std::string("commande illisible\xa0: app:/") + pszCommands);
}
