#pragma once
// Reading the images of a skin folder.
#include "framework/core/CString.h"

class CDIB;

// Loads strPath into pDib. A name without a folder (no skin chosen) or a path that does
// not fit a file path (MAX_PATH) is not tried and, like a missing or unreadable file,
// leaves the image pDib already holds (a new CDIB holds the 16 x 16 black placeholder).
// Never asks for a file.
BOOL LoadSkinImage(CDIB* pDib, const CString& strPath);
// Whether strPath names a file (not a folder) that exists; a name without a folder never does.
BOOL SkinFileExists(const CString& strPath);
