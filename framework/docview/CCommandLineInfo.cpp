#include "framework/docview/CCommandLineInfo.h"
#include <string>
#include <vector>

namespace
{
std::vector<std::string> SplitCommandLine(const char* p)
{
    std::vector<std::string> args;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            return args;
        std::string arg;
        bool bQuoted = false;
        while (*p && (bQuoted || (*p != ' ' && *p != '\t'))) {
            size_t nBackslashes = 0;
            while (*p == '\\') {
                ++nBackslashes;
                ++p;
            }
            if (*p == '"') {
                // 2n backslashes and a quote: n backslashes and the quote groups; 2n+1: a quote.
                arg.append(nBackslashes / 2, '\\');
                if (nBackslashes % 2)
                    arg += '"';
                else
                    bQuoted = !bQuoted;
                ++p;
            } else {
                arg.append(nBackslashes, '\\');
                if (*p && (bQuoted || (*p != ' ' && *p != '\t')))
                    arg += *p++;
            }
        }
        args.push_back(arg);
    }
}
} // namespace

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (!bFlag && *pszParam && m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}

void CCommandLineInfo::ParseArguments(LPCSTR lpszCmdLine)
{
    std::vector<std::string> args = SplitCommandLine(lpszCmdLine ? lpszCmdLine : "");
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        BOOL bFlag = !arg.empty() && (arg[0] == '/' || arg[0] == '-');
        ParseParam(arg.c_str() + (bFlag ? 1 : 0), bFlag, i + 1 == args.size());
    }
}
