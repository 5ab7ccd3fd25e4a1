#pragma once
// A buffered stream of bytes and objects over a CFile, either loading or storing.
// Objects go through their run-time class: the archive stores the class name and schema
// ahead of the object's own Serialize data and makes the object by name when loading.
#include "framework/file/CFile.h"
#include "framework/core/CObject.h"
#include <vector>

class CArchive
{
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096);
    // Writes out what a storing archive still buffers; errors are dropped here, so call
    // Close to see them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

    // Loading: puts the file back at the archive's logical position (the first byte not yet
    // taken from the buffer). Storing: writes the buffer out. Either way the file can then be
    // used directly, and the archive goes on from the file's position afterwards.
    void Flush();
    // Flushes and detaches from the file (which stays open).
    void Close();

    // Bytes read; fewer than asked only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // A null pointer is stored as such. Storing throws what the file throws.
    void WriteObject(const CObject* pObj);
    // The object made from its stored class, or null: for a stored null pointer, an unknown
    // or non-serialisable class, another schema, a class not derived from pClassRequested
    // (when given), or data that ends early.
    CObject* ReadObject(const CRuntimeClass* pClassRequested = nullptr);

private:
    void FillBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_nCur = 0; // loading: next byte to hand out; storing: bytes buffered
    size_t m_nEnd = 0; // loading: bytes in the buffer
};
