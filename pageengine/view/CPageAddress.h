#pragma once
// The addresses of a page's links and pictures, read the way the built-in page view
// follows them: a relative address or a file: URL names a local file; anything with
// another scheme (app:, http:, mailto:...) is no local file.
#include <string>

class CPageAddress
{
public:
    // The full path of the local file an address names, relative addresses taken from
    // strBaseFolder (ending in a backslash); empty when the address names no local file.
    // The fragment (#...) and query (?...) are left out, %xx escapes decoded.
    static std::string ResolveLocal(const std::string& strBaseFolder, const char* pszAddress);
    // Whether a local file is a page the view opens (.htm, .html).
    static bool IsPage(const std::string& strPath);
    // The folder of a file's path, with its trailing backslash.
    static std::string FolderOf(const std::string& strPath);
};
