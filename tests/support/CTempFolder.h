#pragma once
// A fresh folder below the Windows temporary folder, deleted with everything in it when
// the object goes out of scope.
#include "framework/core/CString.h"
#include <string>

class CTempFolder
{
public:
    explicit CTempFolder(const char* pszPrefix = "kelo");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The folder, with a trailing backslash.
    const CString& Path() const { return m_strPath; }
    // Creates a folder below this one (and the folders above it); returns its full path.
    CString MakeFolder(const char* pszRelative) const;
    // Writes bytes to a file below this one, creating its folders; returns its full path.
    CString WriteFile(const char* pszRelative, const std::string& bytes) const;

private:
    CString m_strPath;
};

// Deletes a folder and everything below it.
void DeleteTree(const CString& strFolder);

// Writes bytes to a file, replacing it; FALSE when it cannot be created.
BOOL WriteFileBytes(const CString& strPath, const std::string& bytes);
// The bytes of a file, empty when it cannot be read.
std::string ReadFileBytes(const CString& strPath);
