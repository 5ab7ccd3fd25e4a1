#pragma once
// Reading attribute values the way pages write them: colours, lengths, alignments and
// font sizes. Each reader leaves its output alone and returns false for a value it does
// not understand (null included).
#include <windows.h>

enum HtmlAlign { ALIGN_LEFT, ALIGN_CENTER, ALIGN_RIGHT };

class CHtmlAttributes
{
public:
    // "#rrggbb", "rrggbb", "#rgb" or one of the sixteen colour names of HTML.
    static bool Color(const char* pszValue, COLORREF* pcr);
    // "120" (pixels) or "50%"; held to 0..HTML_MAX_LENGTH.
    static bool Length(const char* pszValue, int* pnValue, bool* pbPercent);
    // left, center (or middle), right; justify reads as left.
    static bool Align(const char* pszValue, HtmlAlign* pnAlign);
    // top, middle, bottom as -1, 0, 1.
    static bool VerticalAlign(const char* pszValue, int* pnAlign);
    // A font size "1" to "7" or relative to 3 ("+1", "-2"), as pixels.
    static bool FontPixels(const char* pszValue, int* pnPixels);
    // The value of a hexadecimal digit, or -1.
    static int HexDigit(char ch);
    // An integer held to nMin..nMax; an empty value gives nEmpty.
    static bool Integer(const char* pszValue, int nMin, int nMax, int nEmpty, int* pnValue);
};
