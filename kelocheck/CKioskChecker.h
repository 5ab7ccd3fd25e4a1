#pragma once
// Checks a kiosk folder before a visitor does: reads it with Kelo's own code (the settings
// reader, the skin folder scan, the bitmap reader, the page reader and the link rules) and
// lists what Kelo would not find, not read or refuse (errors), and what would not show as
// the author may expect (warnings). The findings' texts are French, in the ANSI code page.
#include "settings/CSkinSettings.h"
#include <set>
#include <string>
#include <vector>

class CDIB;

class CKioskChecker
{
public:
    // What Check returns, also the checker program's exit code.
    enum Result
    {
        RESULT_CLEAN = 0,      // no error (there may be warnings)
        RESULT_ERRORS = 1,
        RESULT_NO_KIOSK = 2,   // the folder is missing or holds no Kelo.ini
    };

    struct FINDING
    {
        bool bError;
        std::string strFile;   // relative to the kiosk folder
        std::string strText;
    };

    // strFolder: the kiosk folder, the one Kelo.exe lies in (a trailing backslash or not).
    Result Check(const std::string& strFolder);

    const std::vector<FINDING>& Findings() const { return m_findings; }
    int Count(bool bErrors) const;

    // A file a page names (a picture, a style sheet), as the findings call it.
    struct FileKind
    {
        const char* pszName;     // "image"
        const char* pszUnused;   // what becomes of one that is no file of the kiosk: not shown, not applied
    };

private:
    void CheckSettings();
    void CheckSkins();
    void CheckSkin(const CString& strDir, bool bChosen);
    // Reads one bitmap of a skin into dib; false, with the error noted, when it is missing
    // or unreadable (a missing optional one is no error).
    bool ReadSkinBitmap(const CString& strDir, const char* pszFile, bool bRequired, CDIB& dib);
    void CheckButton(const CString& strDir, const char* pszFile, bool bRequired, const POINT* pptAt);

    void CheckPages();
    void CheckPage(const std::string& strPath, std::vector<std::string>& toVisit);
    void CheckLink(const std::string& strPage, const std::string& strBase, const char* pszHref,
                   std::vector<std::string>& toVisit);
    void CheckFile(const std::string& strPage, const std::string& strBase, const char* pszAddress, const FileKind& kind);
    void CheckCommands(const std::string& strPage, const char* pszCommands);

    void Note(bool bError, const std::string& strPath, const std::string& strText);
    // A path as the findings show it: relative to the kiosk folder when inside it.
    std::string Shown(const std::string& strPath) const;

    std::string m_strFolder;   // full path, with a trailing backslash
    CSkinSettings m_settings;
    std::set<std::string> m_visited;   // pages checked or queued, lower-case full paths
    std::vector<FINDING> m_findings;
};
