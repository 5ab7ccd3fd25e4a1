#include "framework/file/CArchive.h"
#include <algorithm>
#include <cstring>

namespace
{
const WORD NULL_TAG = 0;
const WORD NEW_CLASS_TAG = 0xFFFF;
const size_t MAX_CLASS_NAME_LENGTH = 64;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(static_cast<size_t>(std::max(nBufSize, 128)))
{
}

CArchive::~CArchive()
{
    if (m_pFile && IsStoring()) {
        try {
            Flush();
        } catch (const CFileException&) {
        }
    }
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsLoading()) {
        if (m_nEnd > m_nCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_nEnd - m_nCur), CFile::current);
        m_nCur = m_nEnd = 0;
    } else {
        size_t nBuffered = m_nCur;
        m_nCur = 0;
        m_pFile->Write(m_buffer.data(), static_cast<UINT>(nBuffered));
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::FillBuffer()
{
    m_nCur = 0;
    m_nEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!m_pFile || !IsLoading())
        return 0;
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax) {
        if (m_nCur == m_nEnd) {
            FillBuffer();
            if (m_nEnd == 0)
                break;
        }
        size_t nChunk = std::min<size_t>(nMax - nDone, m_nEnd - m_nCur);
        std::memcpy(pDest + nDone, m_buffer.data() + m_nCur, nChunk);
        m_nCur += nChunk;
        nDone += static_cast<UINT>(nChunk);
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!m_pFile || !IsStoring())
        return;
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_nCur == m_buffer.size())
            Flush();
        size_t nChunk = std::min<size_t>(nMax, m_buffer.size() - m_nCur);
        std::memcpy(m_buffer.data() + m_nCur, pSrc, nChunk);
        m_nCur += nChunk;
        pSrc += nChunk;
        nMax -= static_cast<UINT>(nChunk);
    }
}

void CArchive::WriteObject(const CObject* pObj)
{
    if (!pObj) {
        Write(&NULL_TAG, sizeof(NULL_TAG));
        return;
    }
    const CRuntimeClass* pClass = pObj->GetRuntimeClass();
    WORD wSchema = static_cast<WORD>(pClass->m_wSchema);
    WORD wLength = static_cast<WORD>(std::strlen(pClass->m_lpszClassName));
    Write(&NEW_CLASS_TAG, sizeof(NEW_CLASS_TAG));
    Write(&wSchema, sizeof(wSchema));
    Write(&wLength, sizeof(wLength));
    Write(pClass->m_lpszClassName, wLength);
    const_cast<CObject*>(pObj)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRequested)
{
    WORD wTag = 0;
    if (Read(&wTag, sizeof(wTag)) != sizeof(wTag) || wTag != NEW_CLASS_TAG)
        return nullptr;
    WORD wSchema = 0;
    WORD wLength = 0;
    if (Read(&wSchema, sizeof(wSchema)) != sizeof(wSchema) || Read(&wLength, sizeof(wLength)) != sizeof(wLength) ||
        wLength == 0 || wLength > MAX_CLASS_NAME_LENGTH)
        return nullptr;
    char szName[MAX_CLASS_NAME_LENGTH + 1] = {};
    if (Read(szName, wLength) != wLength)
        return nullptr;

    const CRuntimeClass* pClass = CRuntimeClass::FromName(szName);
    // Classes made by name but not serialisable (schema 0xFFFF) are registered too.
    if (!pClass || pClass->m_wSchema == 0xFFFF || pClass->m_wSchema != wSchema ||
        (pClassRequested && !pClass->IsDerivedFrom(pClassRequested)))
        return nullptr;
    CObject* pObj = pClass->CreateObject();
    if (pObj)
        pObj->Serialize(*this);
    return pObj;
}
