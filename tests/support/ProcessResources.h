#pragma once
// Counts of what this process holds, for tests that repeat an operation and expect to
// hold no more afterwards. (GDI objects: GdiObjectCounter.h; heap: HeapUsage.h.)
#include <windows.h>

// Open kernel handles. GetProcessHandleCount gives 0 under Wine, so every handle value
// is probed instead.
int CountKernelHandles();
// Windows of this process, top-level and child.
int CountOwnWindows();
// Threads of this process.
int CountOwnThreads();
