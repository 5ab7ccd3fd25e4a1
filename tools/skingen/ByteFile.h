#pragma once
// The generator's files byte by byte: little-endian fields of the BMP and cursor headers,
// and whole files written at once. Host program: standard C++ only.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The low nBytes bytes of v, least significant first.
inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Writes the file anew; false when it could not be written whole.
inline bool WriteBytes(const std::string& strPath, const void* pData, size_t nSize)
{
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        return false;
    bool bOk = std::fwrite(pData, 1, nSize, pFile) == nSize;
    return std::fclose(pFile) == 0 && bOk;
}
