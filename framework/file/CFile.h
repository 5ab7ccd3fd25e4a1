#pragma once
// A file opened with the framework's mode and share flags. Read, Write and Seek throw
// CFileException when the system refuses them; Open reports failure as FALSE.
#include "framework/file/CFileException.h"

class CFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(LPCSTR lpszFileName, UINT nOpenFlags); // throws CFileException when it cannot open
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Bytes read; fewer than asked only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws (a full disk is diskFull).
    virtual void Write(const void* lpBuf, UINT nCount);
    // The new position from the start of the file.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    virtual void Close();

    const CString& GetFilePath() const { return m_strFileName; }
    // The full path of a file name; the name as given when it has none within MAX_PATH.
    static CString FullPathName(LPCSTR lpszFileName);
    HANDLE m_hFile = INVALID_HANDLE_VALUE;

private:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
};
