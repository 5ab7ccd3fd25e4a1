#include "support/GdiObjectCounter.h"
#include <winternl.h>

namespace
{
// The x64 layout of the shared handle table: 65,536 entries of 24 bytes, the pointer to it
// at offset 0xF8 of the PEB.
const size_t PEB_GDI_TABLE_OFFSET = 0xF8;
const int GDI_TABLE_ENTRIES = 65536;

struct GdiTableEntry
{
    ULONGLONG qwKernelObject;
    USHORT wProcessId;
    USHORT wCount;
    USHORT wUnique;
    BYTE nType; // 0 for a free entry
    BYTE nFlags;
    ULONGLONG qwUserData;
};
static_assert(sizeof(GdiTableEntry) == 24, "GDI handle table entries are 24 bytes");
} // namespace

int CountGdiObjects()
{
    using QueryProcessFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    QueryProcessFn pfnQuery = reinterpret_cast<QueryProcessFn>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION info = {};
    if (!pfnQuery || pfnQuery(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0 ||
        !info.PebBaseAddress)
        return -1;
    const BYTE* pPeb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const GdiTableEntry* pTable = *reinterpret_cast<const GdiTableEntry* const*>(pPeb + PEB_GDI_TABLE_OFFSET);
    if (!pTable)
        return -1;
    int nCount = 0;
    for (int i = 0; i < GDI_TABLE_ENTRIES; ++i) {
        if (pTable[i].nType != 0)
            ++nCount;
    }
    return nCount;
}
