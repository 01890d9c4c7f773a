// A line's colouring: runs of characters, each packed into 32 bits as a length (low half) and
// a colour-group index (high half), covering the line from column 0 in order.
#pragma once

class CArchive;

#include <cstdint>
#include <vector>

using SECEditColourSegment = uint32_t;

inline SECEditColourSegment MakeColourSegment(int length, int group) {
    return static_cast<uint32_t>(length & 0xFFFF) | (static_cast<uint32_t>(group & 0xFFFF) << 16);
}
inline int SegmentLength(SECEditColourSegment s) {
    return static_cast<int>(s & 0xFFFF);
}
inline int SegmentGroup(SECEditColourSegment s) {
    return static_cast<int>(s >> 16);
}

class SECEditLineColouring {
public:
    int GetSize() const { return static_cast<int>(m_segments.size()); }
    SECEditColourSegment GetAt(int i) const { return m_segments[i]; }
    // Appends a run; runs longer than a segment can hold are split.
    void Add(int length, int group);
    // The characters that the runs cover.
    int Covered() const;
    void RemoveAll() { m_segments.clear(); }
    const std::vector<SECEditColourSegment>& Segments() const { return m_segments; }
    // The count, then the packed runs.
    void Serialize(CArchive& ar);

private:
    std::vector<SECEditColourSegment> m_segments;
};
