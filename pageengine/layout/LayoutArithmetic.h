#pragma once
// Lengths of the layout: computed in 64 bits, stored held to HTML_MAX_COORDINATE, so that
// no page, however wide its words or tables, makes the layout's arithmetic overflow.
#include "pageengine/HtmlConstants.h"

inline int ClampedLength(long long nLength)
{
    return nLength > HTML_MAX_COORDINATE ? HTML_MAX_COORDINATE
                                         : nLength < -HTML_MAX_COORDINATE ? -HTML_MAX_COORDINATE : static_cast<int>(nLength);
}

// nPercent percent of nLength.
inline int PercentOf(int nLength, int nPercent)
{
    return ClampedLength(static_cast<long long>(nLength) * nPercent / 100);
}
