#include "links/PageRules.h"
#include "links/CLinkCommandRunner.h"
#include <cstring>

namespace
{
const char kCommandScheme[] = "app://";
// The command text starts at the second '/' of the scheme.
const size_t kCommandOffset = sizeof(kCommandScheme) - 2;

BOOL IsTypingKey(UINT nVirtKey)
{
    return (nVirtKey >= '0' && nVirtKey <= '9') || (nVirtKey >= 'A' && nVirtKey <= 'Z') ||
           (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_DIVIDE) || (nVirtKey >= VK_OEM_1 && nVirtKey <= VK_OEM_3) ||
           (nVirtKey >= VK_OEM_4 && nVirtKey <= VK_OEM_8) || nVirtKey == VK_OEM_102;
}
} // namespace

LinkAction ClassifyLink(LPCSTR pszURL, LPCSTR* ppszCommand)
{
    if (!pszURL || _strnicmp(pszURL, kCommandScheme, sizeof(kCommandScheme) - 1) != 0)
        return LINK_FOLLOW;
    LPCSTR pszCommand = pszURL + kCommandOffset;
    if (std::strlen(pszCommand) > LINK_COMMAND_MAX)
        return LINK_REFUSE;
    if (ppszCommand)
        *ppszCommand = pszCommand;
    return LINK_RUN;
}

BOOL InterceptLink(LPCSTR pszURL)
{
    LPCSTR pszCommand = nullptr;
    switch (ClassifyLink(pszURL, &pszCommand)) {
    case LINK_FOLLOW:
        return FALSE;
    case LINK_RUN:
        std::strcpy(g_szLinkCommand, pszCommand);
        CLinkCommandRunner::Start(g_szLinkCommand);
        return TRUE;
    case LINK_REFUSE:
    default:
        return TRUE;
    }
}

BOOL IsPageKey(UINT nMessage, UINT nVirtKey, BOOL bCtrl, BOOL bAlt)
{
    if (nMessage == WM_SYSKEYDOWN || nMessage == WM_SYSCHAR)
        return FALSE;
    if (nMessage != WM_KEYDOWN)
        return TRUE;
    switch (nVirtKey) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        return TRUE;
    case VK_TAB:
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_SPACE:
        return !bCtrl && !bAlt;
    default:
        return !bCtrl && !bAlt && IsTypingKey(nVirtKey);
    }
}
