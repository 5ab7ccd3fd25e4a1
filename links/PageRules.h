#pragma once
// The rules every page view applies, whichever way it shows the start page: what a
// navigation to an address does, and which keys reach the page.
#include <windows.h>

// What a page view does with a navigation it is about to make.
enum LinkAction
{
    LINK_FOLLOW,   // any address but an "app://" link: the view navigates
    LINK_RUN,      // an "app://" link: the navigation is cancelled and its command text run
    LINK_REFUSE,   // an "app://" link whose command text is longer than LINK_COMMAND_MAX:
                   // cancelled, and nothing of it runs (a cut command could run another)
};

// The action for pszURL (a null address counts as empty). The scheme "app://" is matched
// without regard to case; for LINK_RUN, *ppszCommand points into pszURL at the command
// text, which starts with the "/" after "app:/" (app://exec(a.exe) gives /exec(a.exe)).
LinkAction ClassifyLink(LPCSTR pszURL, LPCSTR* ppszCommand);

// Applies the rule to a navigation: a command text is copied into g_szLinkCommand and
// handed to a new CLinkCommandRunner. TRUE when the view must cancel the navigation.
BOOL InterceptLink(LPCSTR pszURL);

// Whether a key message reaches the page, or is taken from it before the page's host
// sees it as an accelerator (new window, open, print, find, reload, history, full
// screen...). Reaching it: Tab and Shift+Tab, Enter, the arrow and scrolling keys, and
// typing keys (letters, digits, punctuation), all without Ctrl or Alt; key releases and
// characters. bCtrl, bAlt: whether Ctrl or Alt is held.
BOOL IsPageKey(UINT nMessage, UINT nVirtKey, BOOL bCtrl, BOOL bAlt);
