#pragma once
// Folder tests and the recursive scan of the skin folders.
#include "framework/core/CStringArray.h"

// TRUE when pszPath names an existing folder (a file fails: the pattern path\* finds nothing).
BOOL FolderExists(const char* pszPath);

// Appends every folder below pszRoot to astrFolders, depth first, each folder before its
// own subfolders, in the order the file system returns them. Names ending in a full stop
// are skipped with everything below them, and so are paths of MAX_PATH characters or
// more. FALSE when the root is empty or not a folder; the list is never cleared.
BOOL CollectFolders(const char* pszRoot, CStringArray& astrFolders);
