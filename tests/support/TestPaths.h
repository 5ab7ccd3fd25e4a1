#pragma once
// Paths of the build's own programs, as a Windows program under Wine sees them.
#include "framework/core/CString.h"

// A Linux path of the build (given at compile time) as a Windows path: Wine maps / to Z:.
CString WindowsPathOf(const char* pszLinuxPath);

// Copies a file; FALSE when it cannot.
BOOL CopyFileTo(const CString& strFrom, const CString& strTo);
