#pragma once
// Constants of the bitmap support: the BMP layout and the transparent key colour.
#include <windows.h>

// The one transparent colour of masked drawing: magenta.
const COLORREF KEY_COLOR = RGB(255, 0, 255);

// "BM", the mark at the start of every BMP file.
const WORD DIB_HEADER_MARKER = 0x4D42;
const DWORD DIB_FILE_HEADER_SIZE = 14;
const DWORD DIB_INFO_HEADER_SIZE = 40;
const DWORD DIB_CORE_HEADER_SIZE = 12;
const int DIB_MAX_COLORS = 256;
// The info block the image keeps: the info header and room for 256 colour entries.
const DWORD DIB_INFO_BLOCK_SIZE = DIB_INFO_HEADER_SIZE + DIB_MAX_COLORS * sizeof(RGBQUAD);
// Where the pixels start in a file written with all 256 colour entries, and without any.
const DWORD DIB_OFFBITS_WITH_TABLE = DIB_FILE_HEADER_SIZE + DIB_INFO_BLOCK_SIZE;
const DWORD DIB_OFFBITS_NO_TABLE = DIB_FILE_HEADER_SIZE + DIB_INFO_HEADER_SIZE;
// Side of the placeholder image a new object holds.
const int DIB_PLACEHOLDER_SIZE = 16;
// Largest width or height the reader takes (the core header's 16-bit limit).
const LONG DIB_MAX_DIMENSION = 0xFFFF;
// Memory flags of the info and pixel blocks.
const UINT DIB_GLOBAL_FLAGS = GMEM_FIXED | GMEM_ZEROINIT;

// Filters and flags of the file dialogs.
#define DIB_OPEN_FILTER "Image files (*.DIB, *.BMP)|*.DIB;*.BMP|All files (*.*)|*.*||"
#define DIB_SAVE_NO_TABLE_FILTER "Fichiers image (*.Dib, *.Bmp)|*.Dib;*.Bmp||"
#define DIB_SAVE_NO_TABLE_NAME "Defaut.dib"

// Messages of the savers.
#define DIB_MSG_OPEN_FAILED "Failed to open file"
#define DIB_MSG_SAVE_FAILED "Failed to save file"
