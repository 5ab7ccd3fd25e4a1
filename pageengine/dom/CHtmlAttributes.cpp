#include "pageengine/dom/CHtmlAttributes.h"
#include "pageengine/HtmlConstants.h"
#include <cstdlib>
#include <cstring>

namespace
{
// A word a value may be, and what it stands for.
template <class T> struct Named
{
    const char* pszName;
    T value;
};

const Named<COLORREF> kColors[] = {
    {"black", RGB(0, 0, 0)},        {"silver", RGB(192, 192, 192)}, {"gray", RGB(128, 128, 128)},
    {"white", RGB(255, 255, 255)},  {"maroon", RGB(128, 0, 0)},     {"red", RGB(255, 0, 0)},
    {"purple", RGB(128, 0, 128)},   {"fuchsia", RGB(255, 0, 255)},  {"green", RGB(0, 128, 0)},
    {"lime", RGB(0, 255, 0)},       {"olive", RGB(128, 128, 0)},    {"yellow", RGB(255, 255, 0)},
    {"navy", RGB(0, 0, 128)},       {"blue", RGB(0, 0, 255)},       {"teal", RGB(0, 128, 128)},
    {"aqua", RGB(0, 255, 255)}};

const Named<HtmlAlign> kAligns[] = {{"left", ALIGN_LEFT},     {"justify", ALIGN_LEFT}, {"center", ALIGN_CENTER},
                                    {"middle", ALIGN_CENTER}, {"right", ALIGN_RIGHT}};
const Named<int> kVerticalAligns[] = {{"top", -1}, {"middle", 0}, {"center", 0}, {"bottom", 1}};

const int kFontPixels[] = {10, 13, 16, 18, 24, 32, 48};

const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
    return p;
}

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// Whether p holds ASCII letters, digits and '#' only: such a value equals a name in the
// locale's comparison exactly when it does letter for letter, so the (slow) locale call
// is only needed for other values.
bool IsPlainWord(const char* p)
{
    for (; *p; ++p) {
        char ch = AsciiLower(*p);
        if (!((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '#'))
            return false;
    }
    return true;
}

bool SameAsciiWord(const char* p, const char* pszName)
{
    for (; *p && AsciiLower(*p) == *pszName; ++p, ++pszName) {
    }
    return *p == '\0' && *pszName == '\0';
}

// What the word p is (in any case) stands for; false for any other word.
template <class T, size_t N> bool LookUp(const char* p, const Named<T> (&names)[N], T* pValue)
{
    bool bPlain = IsPlainWord(p);
    for (const Named<T>& name : names)
        if (bPlain ? SameAsciiWord(p, name.pszName) : ::lstrcmpiA(p, name.pszName) == 0) {
            *pValue = name.value;
            return true;
        }
    return false;
}

// The leading decimal number of a value, held to nLimit; false without a digit.
bool LeadingNumber(const char* p, long nLimit, long* pnValue, const char** ppEnd)
{
    if (*p < '0' || *p > '9')
        return false;
    long nValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (nValue <= nLimit)
            nValue = nValue * 10 + (*p - '0');
    *pnValue = nValue > nLimit ? nLimit : nValue;
    *ppEnd = p;
    return true;
}
} // namespace

bool CHtmlAttributes::Color(const char* pszValue, COLORREF* pcr)
{
    if (!pszValue)
        return false;
    const char* p = SkipBlanks(pszValue);
    if (LookUp(p, kColors, pcr))
        return true;
    if (*p == '#')
        ++p;
    size_t nLength = std::strlen(p);
    while (nLength > 0 && (p[nLength - 1] == ' ' || p[nLength - 1] == '\t'))
        --nLength;
    auto digit = [p](size_t i) { return HexDigit(p[i]); };
    for (size_t i = 0; i < nLength; ++i)
        if (digit(i) < 0)
            return false;
    if (nLength == 6) {
        *pcr = RGB(digit(0) * 16 + digit(1), digit(2) * 16 + digit(3), digit(4) * 16 + digit(5));
        return true;
    }
    if (nLength == 3) {
        *pcr = RGB(digit(0) * 17, digit(1) * 17, digit(2) * 17);
        return true;
    }
    return false;
}

bool CHtmlAttributes::Length(const char* pszValue, int* pnValue, bool* pbPercent)
{
    if (!pszValue)
        return false;
    const char* p = SkipBlanks(pszValue);
    long nValue = 0;
    if (!LeadingNumber(p, HTML_MAX_LENGTH, &nValue, &p))
        return false;
    while (*p == '.' || (*p >= '0' && *p <= '9'))
        ++p;
    *pbPercent = *SkipBlanks(p) == '%';
    *pnValue = static_cast<int>(*pbPercent && nValue > 100 ? 100 : nValue);
    return true;
}

bool CHtmlAttributes::Align(const char* pszValue, HtmlAlign* pnAlign)
{
    return pszValue && LookUp(SkipBlanks(pszValue), kAligns, pnAlign);
}

bool CHtmlAttributes::VerticalAlign(const char* pszValue, int* pnAlign)
{
    return pszValue && LookUp(SkipBlanks(pszValue), kVerticalAligns, pnAlign);
}

bool CHtmlAttributes::FontPixels(const char* pszValue, int* pnPixels)
{
    if (!pszValue)
        return false;
    const char* p = SkipBlanks(pszValue);
    int nSign = *p == '+' ? 1 : *p == '-' ? -1 : 0;
    if (nSign)
        ++p;
    long nValue = 0;
    if (!LeadingNumber(p, 100, &nValue, &p))
        return false;
    long nSize = nSign ? 3 + nSign * nValue : nValue;
    nSize = nSize < 1 ? 1 : nSize > 7 ? 7 : nSize;
    *pnPixels = kFontPixels[nSize - 1];
    return true;
}

int CHtmlAttributes::HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

bool CHtmlAttributes::Integer(const char* pszValue, int nMin, int nMax, int nEmpty, int* pnValue)
{
    if (!pszValue)
        return false;
    const char* p = SkipBlanks(pszValue);
    long nValue = 0;
    if (*p == '\0')
        nValue = nEmpty;
    else if (!LeadingNumber(p, nMax, &nValue, &p))
        return false;
    *pnValue = static_cast<int>(nValue < nMin ? nMin : nValue > nMax ? nMax : nValue);
    return true;
}
