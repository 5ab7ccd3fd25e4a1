#pragma once
// The one place that decides which files a page may read: disk files inside the kiosk
// folder, and nothing else. A path is made whole first and compared with the folder on a
// folder boundary, without regard to case; pipes, devices (CON, COM1, NUL.txt...), \\?\ and
// \\.\ paths, shares outside the folder and alternate streams are refused. A file is opened
// by the folder itself, checked to be on a disk and, once open, to lie inside the folder
// after every link on its way (a link inside the kiosk cannot lead out), then read from
// that handle: nothing else ever gets the name.
#include <windows.h>
#include <string>

class CKioskFolder
{
public:
    // No folder: nothing can be read.
    CKioskFolder() = default;
    // strFolder: the kiosk folder, with or without its trailing backslash.
    explicit CKioskFolder(const std::string& strFolder);

    bool IsSet() const { return !m_strFolder.empty(); }
    // The folder made whole, with its trailing backslash; empty when none was given.
    const std::string& Folder() const { return m_strFolder; }
    // The whole path of strPath when it names something a page may read; empty otherwise.
    std::string Admit(const std::string& strPath) const;
    // The first nMaxBytes bytes of a disk file inside the folder; FALSE (bytes empty) for
    // anything else. nRoomPast: capacity made past them, for whoever goes on writing there.
    BOOL ReadFile(const std::string& strPath, size_t nMaxBytes, std::string& bytes, size_t nRoomPast = 0) const;

private:
    std::string m_strFolder;
};
