#pragma once
// The floating pictures of the flows being laid out, the innermost flow's last: each flow
// (the page, a cell) sees only its own, from the index it started at. Lines and tables go
// in the room the floats leave beside them.
#include <windows.h>
#include <vector>

class CHtmlFloats
{
public:
    // The index a new flow's floats start at; Truncate(it) ends that flow.
    size_t Count() const { return m_floats.size(); }
    void Truncate(size_t nCount) { m_floats.resize(nCount); }
    // Floats of the flow from nFirst that end at or above y go: they are done with.
    void Prune(size_t nFirst, int y);
    // The room [*pnLeft, *pnRight) between the flow's floats at height y within the area
    // [nLeft, nRight), and the nearest bottom of those beside y; false when none is.
    bool Room(size_t nFirst, int y, int nLeft, int nRight, int* pnLeft, int* pnRight, int* pnNextBottom) const;
    // Where a float nWidth wide goes: at y or lower down, where it fits beside the others.
    POINT Find(size_t nFirst, int y, int nLeft, int nRight, int nWidth, bool bRight) const;
    void Add(const RECT& rc, bool bRight) { m_floats.push_back({rc, bRight}); }
    // The lowest of y and the bottoms of the floats of the sides nClear names (1 left,
    // 2 right, 3 both).
    int Below(size_t nFirst, int nClear, int y) const;

private:
    struct Float
    {
        RECT rc;
        bool bRight;
    };
    std::vector<Float> m_floats;
};
