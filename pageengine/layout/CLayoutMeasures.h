#pragma once
// The widths measured of cells and tables during one layout, by node. A layout measures few
// of a page's nodes: they are kept in a small hash table rather than in an entry per node,
// which would be cleared for every layout.
#include <cstddef>
#include <vector>

class CLayoutMeasures
{
public:
    void Clear();
    // The narrowest and widest widths measured of a node; false when it has none yet.
    bool Find(int nNode, int* pnMin, int* pnMax) const;
    void Add(int nNode, int nMin, int nMax);

private:
    struct Entry
    {
        int nNode;   // -1 for a free entry
        int nMin, nMax;
    };

    // Where a node's entry is, or the free one it would take.
    size_t Slot(int nNode) const;
    void Grow();

    std::vector<Entry> m_entries;   // a power of two long, at most half full
    size_t m_nCount = 0;
};
