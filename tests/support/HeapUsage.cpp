#include "support/HeapUsage.h"
#include <vector>

SIZE_T CountHeapBytesInUse()
{
    std::vector<HANDLE> heaps(64);
    DWORD nHeaps = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (nHeaps > heaps.size()) {
        heaps.resize(nHeaps);
        nHeaps = ::GetProcessHeaps(nHeaps, heaps.data());
    }
    SIZE_T nBytes = 0;
    for (DWORD i = 0; i < nHeaps && i < heaps.size(); ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                nBytes += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return nBytes;
}
