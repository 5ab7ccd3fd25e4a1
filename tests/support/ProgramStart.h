#pragma once
// Starting one of the build's programs from a test, as the shell would: the program's
// quoted path as its command line, in a folder of the test's.
#include "framework/core/CString.h"
#include "framework/core/ScopedWin.h"

// The started process's handle (invalid when it could not start); its id in
// *pdwProcessId when given.
ScopedHandle StartProgram(const CString& strExe, const CString& strFolder, DWORD* pdwProcessId = nullptr);
