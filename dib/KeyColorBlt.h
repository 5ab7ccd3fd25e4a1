#pragma once
// Masked drawing with a key colour, made of GDI raster operations on whole rectangles (no
// loop over pixels): a monochrome mask is made from the key colour, the image is cut out
// against white, the destination against the mask, and the two are combined. The bitmap
// object's transparent drawing, the skin buttons and the popup menu's images share it.
#include <windows.h>

class CDC;

// Copies cx x cy pixels from pSrc at (xSrc, ySrc) to pDest at (x, y), except the pixels
// of colour crKey, where the destination keeps its own. A pixel has the key colour when it
// equals crKey in the source's own format, so on a source of few colours every colour that
// converts to the key's value is transparent. The destination is read once and written
// once; nothing is drawn for an empty size.
void KeyColorBlt(CDC* pDest, int x, int y, int cx, int cy, CDC* pSrc, int xSrc, int ySrc, COLORREF crKey);
// The same from a bitmap, which must not be selected into another DC.
void KeyColorBlt(CDC* pDest, int x, int y, int cx, int cy, HBITMAP hSrc, int xSrc, int ySrc, COLORREF crKey);
