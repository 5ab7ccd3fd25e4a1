#pragma once
// Reading the values of declarations: their parts, numbers with units, lengths, colours
// and addresses. Each reader returns false for what it does not understand and leaves its
// output alone then.
#include <windows.h>
#include <string>
#include <vector>

class CCssValue
{
public:
    // The parts of a value split at blanks, a '/' a part of its own, a function's parentheses and
    // a quoted text kept whole: "1px solid rgb(0, 0, 0)" has three parts. At most
    // CSS_MAX_VALUE_PARTS.
    static std::vector<std::string> Parts(const std::string& strValue);
    // Whether str is the keyword pszKeyword (lower-case) in any case.
    static bool Is(const std::string& str, const char* pszKeyword);
    // A number and what follows it, lower-case: "1.5em" is 1.5 and "em".
    static bool Number(const std::string& str, double* pdNumber, std::string* pstrUnit);
    // A length in pixels: px, pt, pc, in, cm, mm, em and ex (of nEmPixels), rem, or 0
    // without a unit; a percentage when pdPercent is given, left in it (pdPixels is then
    // left alone).
    static bool Length(const std::string& str, int nEmPixels, double* pdPixels, double* pdPercent);
    // #rgb, #rrggbb, rgb(r, g, b) and rgba() in numbers or percentages, or a colour's name.
    static bool Color(const std::string& str, COLORREF* pcr);
    // The address of url(...), its quotes taken off.
    static bool Url(const std::string& str, std::string* pstrAddress);
    // A number of pixels rounded and held to -nLimit..nLimit.
    static int Pixels(double dPixels, int nLimit);
};
