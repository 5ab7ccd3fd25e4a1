#include "links/LinkCommands.h"
#include <cstring>

namespace
{
// Indexed by LinkCommand; a name is matched together with its "(".
const char* const kCommandNames[LINK_COMMAND_COUNT] = {"quitter(", "exec(", "fonc("};

const char kVideoFolder[] = "\\Video\\";
// Characters that no file name holds; "/" and ":" would also lead out of the folder.
const char kForbiddenNameChars[] = "/:*?\"<>|";

// A path component of dots and blanks only: "." and ".." always, and the longer ones
// Windows may shorten to them.
bool IsDotsOnly(const char* pszStart, const char* pszEnd)
{
    if (pszStart == pszEnd)
        return false;
    for (const char* p = pszStart; p != pszEnd; ++p) {
        if (*p != '.' && *p != ' ')
            return false;
    }
    return true;
}

bool StaysInsideFolder(const char* pszName)
{
    if (pszName[0] == '\\')
        return false;
    for (const char* p = pszName; *p; ++p) {
        if (static_cast<unsigned char>(*p) < 32 || std::strchr(kForbiddenNameChars, *p))
            return false;
    }
    for (const char* pszStart = pszName;;) {
        const char* pszEnd = std::strchr(pszStart, '\\');
        if (!pszEnd)
            pszEnd = pszStart + std::strlen(pszStart);
        if (IsDotsOnly(pszStart, pszEnd))
            return false;
        if (!*pszEnd)
            return true;
        pszStart = pszEnd + 1;
    }
}
} // namespace

LinkCommand NextLinkCommand(const char** ppCursor)
{
    const char* p = *ppCursor;
    // Commands stand back to back: anything but "/" where one should start ends the text.
    if (*p != '/')
        return LINK_COMMAND_NONE;
    const char* pszName = p + 1;
    const char* pszParen = std::strchr(pszName, '(');
    if (!pszParen)
        return LINK_COMMAND_NONE;
    *ppCursor = pszParen + 1;
    for (int i = 0; i < LINK_COMMAND_COUNT; ++i) {
        if (_strnicmp(pszName, kCommandNames[i], std::strlen(kCommandNames[i])) == 0)
            return static_cast<LinkCommand>(i);
    }
    return LINK_COMMAND_UNKNOWN;
}

BOOL BuildVideoPath(const CString& strProgramFile, const char* pszName, CString& strPath)
{
    if (!pszName || !StaysInsideFolder(pszName))
        return FALSE;
    strPath = strProgramFile.Left(strProgramFile.ReverseFind('\\')) + kVideoFolder + pszName;
    return TRUE;
}
