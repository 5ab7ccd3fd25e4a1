#include "pageengine/layout/CPageBoxes.h"
#include <algorithm>

void CPageBoxes::Index()
{
    // Running extremes kept as they go: the lowest bottom so far from the first box, the
    // highest top so far from the last.
    size_t n = m_boxes.size();
    m_anMaxBottom.clear();
    m_anMaxBottom.reserve(n);
    int nMaxBottom = n ? m_boxes[0].rc.bottom : 0;
    for (const CPageBox& box : m_boxes) {
        nMaxBottom = std::max<int>(nMaxBottom, box.rc.bottom);
        m_anMaxBottom.push_back(nMaxBottom);
    }
    m_anMinTop.resize(n);
    int nMinTop = n ? m_boxes[n - 1].rc.top : 0;
    for (size_t i = n; i-- > 0;) {
        nMinTop = std::min<int>(nMinTop, m_boxes[i].rc.top);
        m_anMinTop[i] = nMinTop;
    }
}

void CPageBoxes::BoxRange(int nTop, int nBottom, size_t* pnFirst, size_t* pnEnd) const
{
    // Boxes before the first whose running lowest bottom passes nTop all end above the
    // rows; boxes from the first whose remaining highest top reaches nBottom all start
    // below them.
    *pnFirst = static_cast<size_t>(std::upper_bound(m_anMaxBottom.begin(), m_anMaxBottom.end(), nTop) - m_anMaxBottom.begin());
    *pnEnd = static_cast<size_t>(std::lower_bound(m_anMinTop.begin(), m_anMinTop.end(), nBottom) - m_anMinTop.begin());
    if (*pnEnd < *pnFirst)
        *pnEnd = *pnFirst;
}

int CPageBoxes::LinkAt(POINT pt) const
{
    size_t nFirst = 0, nEnd = 0;
    BoxRange(pt.y, pt.y + 1, &nFirst, &nEnd);
    int nLink = -1;
    // The last box drawn at the point is the one seen there; backgrounds count only when
    // they are a link's.
    for (size_t i = nFirst; i < nEnd; ++i) {
        const CPageBox& box = m_boxes[i];
        if (::PtInRect(&box.rc, pt) && ((box.nKind != BOX_FILL && box.nKind != BOX_TILE) || box.nLink >= 0))
            nLink = box.nLink;
    }
    return nLink;
}

std::vector<RECT> CPageBoxes::LinkRects(int nLink) const
{
    std::vector<RECT> rects;
    for (const CPageBox& box : m_boxes)
        if (box.nLink == nLink && nLink >= 0)
            rects.push_back(box.rc);
    return rects;
}
