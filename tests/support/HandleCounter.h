#pragma once
// Counts of this process's USER windows and kernel handles, for leak checks under Wine,
// where GetGuiResources and GetProcessHandleCount give 0. GDI objects: GdiObjectCounter.h.
#include <windows.h>

// The windows of the calling thread, top-level and child.
int CountThreadWindows();
// The kernel handles of this process, found by probing the handle values.
int CountKernelHandles();
