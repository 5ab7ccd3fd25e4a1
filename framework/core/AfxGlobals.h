#pragma once
// Process-wide access to the application object and its module.
#include "framework/core/CString.h"
#include <windows.h>

class CWinApp;
class CWnd;

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();
// The program's module (the application's m_hInstance once set, else the .exe's module).
HINSTANCE AfxGetInstanceHandle();
// Where string, menu and icon resources are loaded from: the same module.
HINSTANCE AfxGetResourceHandle();
// The full path of a module's file (of the .exe for null), of any length.
CString AfxGetModuleFileName(HMODULE hModule = nullptr);

// The application's main window, or null.
CWnd* AfxGetMainWnd();
// The application's title (its m_strAppName), or string IDS_APP_TITLE without one.
CString AfxGetAppTitle();

// A message box with the application's title as caption, owned by the main window if
// there is one (also when called on another thread).
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with the text of a string resource.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
