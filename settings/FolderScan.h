#pragma once
// Folder tests and the recursive scan of the skin folders.
#include "framework/core/CStringArray.h"

// TRUE when pszPath names an existing folder (a file fails: the pattern path\* finds nothing).
BOOL FolderExists(const char* pszPath);

// How deep below the root, and how many folders in all, the scan goes: a kiosk's skins
// lie one or two levels down, and the scan must end however the folders are made.
const int FOLDER_SCAN_MAX_DEPTH = 8;
const int FOLDER_SCAN_MAX_FOLDERS = 1000;

// Appends every folder below pszRoot to astrFolders, depth first, each folder before its
// own subfolders, in the order the file system returns them. Names ending in a full stop
// are skipped with everything below them, and so are paths of MAX_PATH characters or
// more and links (symbolic links, junctions: any reparse point), which could lead back up
// the tree. At most FOLDER_SCAN_MAX_DEPTH levels and FOLDER_SCAN_MAX_FOLDERS folders are
// added. FALSE when the root is empty or not a folder; the list is never cleared.
BOOL CollectFolders(const char* pszRoot, CStringArray& astrFolders);
