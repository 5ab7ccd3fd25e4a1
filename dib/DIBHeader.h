#pragma once
// Free functions on a bitmap header (a BITMAPINFOHEADER, or a BITMAPCOREHEADER when its
// size word is 12): its kind, colour count and pixel block size.
#include <windows.h>

// FALSE for a core header.
BOOL IsWin30DIB(const void* pbi);
// 2, 16 or 256 for 1, 4 and 8 bits (or biClrUsed when nonzero and smaller); for other bit
// counts biClrUsed, unbounded (up to INT_MAX).
int DIBNumColors(const void* pbi);

// The bytes the pixels of an info header need: rows of width x depth bits padded to 4
// bytes, times the height; biSizeImage for RLE images. FALSE for headers no drawing or
// pixel operation can trust: width or height not in 1..DIB_MAX_DIMENSION (top-down images
// included), a depth or compression that does not go together, other compressions, or
// an RLE image without its size.
BOOL DIBPixelBytes(const BITMAPINFOHEADER& bih, DWORD* pnBytes);
