#include "pageengine/layout/CPageBoxes.h"
#include <algorithm>
#include <cstring>

namespace
{
const size_t kIndexGroup = 16;   // boxes per entry of the index
} // namespace

int CPageBoxes::AddLink(const char* pszHref)
{
    size_t nLength = std::strlen(pszHref);
    m_links.push_back({static_cast<uint32_t>(m_strHrefs.size()), static_cast<uint32_t>(nLength)});
    m_strHrefs.append(pszHref, nLength);
    return static_cast<int>(m_links.size() - 1);
}

void CPageBoxes::Index()
{
    // Running extremes kept as they go, per group of boxes: the lowest bottom so far from
    // the first box, the highest top so far from the last. A few values per group rather
    // than per box: the index costs little to make and to keep. One walk over the boxes
    // finds both: each group's highest top, then those run from the last group.
    size_t n = m_boxes.size(), nGroups = (n + kIndexGroup - 1) / kIndexGroup;
    m_anMaxBottom.resize(nGroups);
    m_anMinTop.resize(nGroups);
    int nMaxBottom = n ? m_boxes[0].rc.bottom : 0;
    for (size_t g = 0; g < nGroups; ++g) {
        int nGroupTop = m_boxes[g * kIndexGroup].rc.top;
        for (size_t i = g * kIndexGroup; i < std::min(n, (g + 1) * kIndexGroup); ++i) {
            nMaxBottom = std::max<int>(nMaxBottom, m_boxes[i].rc.bottom);
            nGroupTop = std::min<int>(nGroupTop, m_boxes[i].rc.top);
        }
        m_anMaxBottom[g] = nMaxBottom;
        m_anMinTop[g] = nGroupTop;
    }
    for (size_t g = nGroups; g-- > 1;)
        m_anMinTop[g - 1] = std::min(m_anMinTop[g - 1], m_anMinTop[g]);
}

void CPageBoxes::BoxRange(int nTop, int nBottom, size_t* pnFirst, size_t* pnEnd) const
{
    // The groups before the first whose running lowest bottom passes nTop all end above
    // the rows; the groups from the first whose remaining highest top reaches nBottom all
    // start below them. The boxes between may still miss the rows.
    size_t nFirst = static_cast<size_t>(std::upper_bound(m_anMaxBottom.begin(), m_anMaxBottom.end(), nTop) - m_anMaxBottom.begin());
    size_t nEnd = static_cast<size_t>(std::lower_bound(m_anMinTop.begin(), m_anMinTop.end(), nBottom) - m_anMinTop.begin());
    *pnFirst = std::min(nFirst * kIndexGroup, m_boxes.size());
    *pnEnd = std::max(std::min(nEnd * kIndexGroup, m_boxes.size()), *pnFirst);
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
