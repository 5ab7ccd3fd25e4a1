#pragma once
// Counts this process's open kernel handles. GetProcessHandleCount returns 0 under Wine,
// so handle values are probed one by one.
#include <windows.h>

int CountKernelHandles();
