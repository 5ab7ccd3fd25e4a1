#pragma once
// Bytes in use in all of this process's heaps (the process heap, which GlobalAlloc uses,
// and the C runtime's), summed by walking them.
#include <windows.h>

SIZE_T CountHeapBytesInUse();
