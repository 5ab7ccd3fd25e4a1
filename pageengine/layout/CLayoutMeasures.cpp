#include "pageengine/layout/CLayoutMeasures.h"
#include <algorithm>

namespace
{
const size_t kFirstEntries = 64;
} // namespace

void CLayoutMeasures::Clear()
{
    m_entries.clear();
    m_nCount = 0;
}

size_t CLayoutMeasures::Slot(int nNode) const
{
    size_t nMask = m_entries.size() - 1;
    // Nodes near each other spread over the table; entries taken push on to the next.
    size_t i = static_cast<size_t>(static_cast<unsigned>(nNode) * 2654435761u) & nMask;
    while (m_entries[i].nNode >= 0 && m_entries[i].nNode != nNode)
        i = (i + 1) & nMask;
    return i;
}

bool CLayoutMeasures::Find(int nNode, int* pnMin, int* pnMax) const
{
    if (m_entries.empty())
        return false;
    const Entry& entry = m_entries[Slot(nNode)];
    if (entry.nNode != nNode)
        return false;
    *pnMin = entry.nMin;
    *pnMax = entry.nMax;
    return true;
}

void CLayoutMeasures::Add(int nNode, int nMin, int nMax)
{
    if (2 * (m_nCount + 1) > m_entries.size())
        Grow();
    Entry& entry = m_entries[Slot(nNode)];
    if (entry.nNode < 0)
        ++m_nCount;
    entry = {nNode, nMin, nMax};
}

void CLayoutMeasures::Grow()
{
    std::vector<Entry> old;
    old.swap(m_entries);
    m_entries.assign(std::max(kFirstEntries, 2 * old.size()), Entry{-1, 0, 0});
    m_nCount = 0;
    for (const Entry& entry : old)
        if (entry.nNode >= 0)
            Add(entry.nNode, entry.nMin, entry.nMax);
}
