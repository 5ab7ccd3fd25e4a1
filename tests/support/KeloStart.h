#pragma once
// Kelo's start-up inside a test program, as InitInstance runs it for a program in a given
// folder (a kiosk), and its end: the main frame, documents and skin of the application
// object theApp.
#include "framework/core/CString.h"

// FALSE when InitInstance fails.
BOOL StartKeloIn(const CString& strProgramFolder);
// Closes the documents and the main frame, and ends the application object's run.
void EndKelo();
