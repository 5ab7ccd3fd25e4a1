#include "pageengine/view/CPageAddress.h"
#include "pageengine/dom/CHtmlAttributes.h"
#include <windows.h>

namespace
{
bool IsAlpha(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// The length of the scheme the address starts with ("http" of "http://..."), 0 for none. A
// single letter before ':' is a drive, not a scheme.
size_t SchemeLength(const std::string& str)
{
    size_t i = 0;
    while (i < str.size() && (IsAlpha(str[i]) || (i > 0 && ((str[i] >= '0' && str[i] <= '9') || str[i] == '+' ||
                                                             str[i] == '-' || str[i] == '.'))))
        ++i;
    return i >= 2 && i < str.size() && str[i] == ':' ? i : 0;
}

std::string PercentDecoded(const std::string& str)
{
    std::string strOut;
    for (size_t i = 0; i < str.size(); ++i) {
        int nHigh = i + 2 < str.size() && str[i] == '%' ? CHtmlAttributes::HexDigit(str[i + 1]) : -1;
        int nLow = nHigh >= 0 ? CHtmlAttributes::HexDigit(str[i + 2]) : -1;
        if (nLow >= 0 && (nHigh || nLow)) {
            strOut += static_cast<char>(nHigh * 16 + nLow);
            i += 2;
        } else {
            strOut += str[i];
        }
    }
    return strOut;
}
} // namespace

std::string CPageAddress::ResolveLocal(const std::string& strBaseFolder, const char* pszAddress)
{
    std::string strAddress = pszAddress ? pszAddress : "";
    size_t nFirst = strAddress.find_first_not_of(" \t\r\n");
    size_t nLast = strAddress.find_last_not_of(" \t\r\n");
    strAddress = nFirst == std::string::npos ? std::string() : strAddress.substr(nFirst, nLast - nFirst + 1);
    size_t nEnd = strAddress.find_first_of("#?");
    if (nEnd != std::string::npos)
        strAddress.resize(nEnd);
    size_t nScheme = SchemeLength(strAddress);
    if (nScheme > 0) {
        if (::lstrcmpiA(strAddress.substr(0, nScheme).c_str(), "file") != 0)
            return std::string();
        strAddress = strAddress.substr(nScheme + 1);
        size_t nSlashes = strAddress.find_first_not_of("/\\");
        if (nSlashes == std::string::npos)
            return std::string();
        // file:///C:/x and file:C:/x name a drive; file://server/share a network share.
        bool bDrive = nSlashes + 1 < strAddress.size() && IsAlpha(strAddress[nSlashes]) &&
                      strAddress[nSlashes + 1] == ':';
        strAddress = (bDrive || nSlashes != 2 ? std::string() : std::string("\\\\")) + strAddress.substr(nSlashes);
    }
    strAddress = PercentDecoded(strAddress);
    if (strAddress.empty() || strAddress.find('\0') != std::string::npos)
        return std::string();
    for (char& ch : strAddress)
        if (ch == '/')
            ch = '\\';

    std::string strPath;
    bool bAbsolute = (strAddress.size() >= 2 && IsAlpha(strAddress[0]) && strAddress[1] == ':') ||
                     strAddress.compare(0, 2, "\\\\") == 0;
    if (bAbsolute)
        strPath = strAddress;
    else if (strAddress[0] == '\\')
        strPath = strBaseFolder.substr(0, 2) + strAddress;   // the base folder's drive
    else
        strPath = strBaseFolder + strAddress;

    char szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameA(strPath.c_str(), MAX_PATH, szFull, nullptr);
    if (nLength == 0 || nLength >= MAX_PATH)
        return std::string();
    return std::string(szFull, nLength);
}

bool CPageAddress::IsPage(const std::string& strPath)
{
    size_t nDot = strPath.find_last_of(".\\");
    if (nDot == std::string::npos || strPath[nDot] != '.')
        return false;
    std::string strExtension = strPath.substr(nDot);
    return ::lstrcmpiA(strExtension.c_str(), ".htm") == 0 || ::lstrcmpiA(strExtension.c_str(), ".html") == 0;
}

std::string CPageAddress::FolderOf(const std::string& strPath)
{
    size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash + 1);
}
