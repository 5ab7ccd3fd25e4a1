#pragma once
// What the program's command line asks for: with no file name a new document, with one
// the opening of that file. Switches (starting with / or -) ask for nothing Kelo does and
// are passed over.
#include "framework/core/CString.h"

class CCommandLineInfo
{
public:
    enum { FileNew, FileOpen, FileNothing };

    virtual ~CCommandLineInfo() = default;

    // One argument: bFlag when it was a switch (given without its / or -), bLast for the
    // last one.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
    // Splits a command line (without the program's name) by the system's rules (blanks
    // separate, double quotes group, backslashes escape quotes) and parses each argument.
    void ParseArguments(LPCSTR lpszCmdLine);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
};
