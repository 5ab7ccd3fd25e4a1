#pragma once
// Counts this process's live GDI objects. GetGuiResources is not implemented under Wine,
// so the count is read from the process's GDI handle table (reached through the PEB).
// Draw once before taking a first count: the first DC and font use creates cached objects.
#include <windows.h>

// The number of live GDI objects of this process, or -1 when the table cannot be found.
int CountGdiObjects();
