#pragma once
// The style of one element, made by the style step (CHtmlStyle) from its tag, its
// attributes, the page's CSS and its parent's style: all the layout and the painter know of
// how the element looks and where its contents go. Its texts live as long as the document
// or the style step, whichever ends first.
#include "pageengine/dom/CHtmlAttributes.h"
#include <windows.h>

// A width or height as the page writes it: pixels or a percentage of the room there is.
struct CHtmlLength
{
    int nValue = 0;
    bool bPercent = false;
    bool bGiven = false;
};

// How an element takes part in the layout; DISPLAY_TAG: as its tag's kind says.
enum HtmlDisplay : unsigned char
{
    DISPLAY_TAG,
    DISPLAY_NONE,
    DISPLAY_BLOCK,
    DISPLAY_INLINE,
    DISPLAY_INLINE_BLOCK,
};

// Four sides of a box, in pixels.
struct CHtmlEdges
{
    int nTop = 0, nRight = 0, nBottom = 0, nLeft = 0;
};

struct CHtmlComputedStyle
{
    // Passed on to the element's contents.
    const char* pszFaces = nullptr;   // the face list of a <font face> or font-family, null for the default
    int nPixels = 16;
    bool bBold = false, bItalic = false, bUnderline = false;
    bool bPre = false;                // blanks and line feeds kept, in a monospace font
    int nFont = 0;                    // the page's font for the above
    COLORREF crText = RGB(0, 0, 0);
    COLORREF crLink = RGB(0, 0, 238); // the text colour of links
    HtmlAlign nAlign = ALIGN_LEFT;    // of the lines
    int nLineHeight = 0;              // pixels from line to line, 0 for the font's own
    int nLineScale = 0;               // when not 0, nLineHeight is this many hundredths of the font size
    int nListDepth = 0;
    int nLink = -1;                   // the page's link the contents belong to, numbered by the layout

    // The element's own.
    const char* pszHref = nullptr;    // a link's address
    int nMarginTop = 0, nMarginBottom = 0;
    int nIndentLeft = 0, nIndentRight = 0;   // the left and right margins
    bool bAutoLeft = false, bAutoRight = false;   // margins that share the room left (centring a block of set width)
    HtmlDisplay nDisplay = DISPLAY_TAG;
    CHtmlEdges padding;               // blocks and cells, inside the border
    CHtmlEdges border;                // the widths of a solid border around the padding
    COLORREF crBorder = RGB(0, 0, 0);
    const char* pszBackground = nullptr;   // a background picture's address, as the page writes it
                                           // (a linked sheet's, from the page's folder)
    bool bAlignGiven = false;         // its align attribute set nAlign (a row's is its cells')
    HtmlAlign nPlacement = ALIGN_LEFT;   // tables, rules and pictures: where the element itself sits
    bool bPlaced = false;             // tables: false where the alignment around places it;
                                      // pictures: true when they float to that side
    int nClear = 0;                   // line breaks: below the floats of 1 left, 2 right, 3 both sides
    int nVAlign = 0;                  // rows and cells: -1 top, 0 middle, 1 bottom
    COLORREF crFill = 0;              // the page's, a block's, table's, row's or cell's background, a solid rule's colour
    bool bFill = false;
    CHtmlLength width;                // blocks, tables, cells, pictures, rules
    CHtmlLength height;               // blocks, pictures, tables, cells
    int nBorder = 0;                  // tables and pictures
    int nPadding = 1, nSpacing = 2;   // tables
    int nSpan = 1;                    // cells: the columns taken
    bool bNoWrap = false;             // cells
    int nThickness = 2;               // rules
};
