#include "pageengine/layout/CHtmlFloats.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include <algorithm>

void CHtmlFloats::Prune(size_t nFirst, int y)
{
    auto first = m_floats.begin() + static_cast<std::ptrdiff_t>(nFirst);
    m_floats.erase(std::remove_if(first, m_floats.end(), [y](const Float& f) { return f.rc.bottom <= y; }), m_floats.end());
}

bool CHtmlFloats::Room(size_t nFirst, int y, int nLeft, int nRight, int* pnLeft, int* pnRight, int* pnNextBottom) const
{
    *pnLeft = nLeft;
    *pnRight = nRight;
    *pnNextBottom = HTML_MAX_COORDINATE;
    bool bAny = false;
    for (size_t i = nFirst; i < m_floats.size(); ++i) {
        const RECT& rc = m_floats[i].rc;
        if (rc.top > y || rc.bottom <= y)
            continue;
        bAny = true;
        *pnNextBottom = std::min<int>(*pnNextBottom, rc.bottom);
        if (m_floats[i].bRight)
            *pnRight = std::min<int>(*pnRight, rc.left);
        else
            *pnLeft = std::max<int>(*pnLeft, rc.right);
    }
    return bAny;
}

POINT CHtmlFloats::Find(size_t nFirst, int y, int nLeft, int nRight, int nWidth, bool bRight) const
{
    // Each step goes below one of the floats beside y: it ends.
    int nRoomLeft = 0, nRoomRight = 0, nNextBottom = 0;
    while (Room(nFirst, y, nLeft, nRight, &nRoomLeft, &nRoomRight, &nNextBottom) && nRoomRight - nRoomLeft < nWidth)
        y = nNextBottom;
    return {bRight ? ClampedLength(static_cast<long long>(nRoomRight) - nWidth) : nRoomLeft, y};
}

int CHtmlFloats::Below(size_t nFirst, int nClear, int y) const
{
    for (size_t i = nFirst; i < m_floats.size(); ++i)
        if (nClear & (m_floats[i].bRight ? 2 : 1))
            y = std::max<int>(y, m_floats[i].rc.bottom);
    return y;
}
