// A line's colouring: runs of characters, each packed into 32 bits as a length (low half) and
// a colour-group index (high half), covering the line from column 0 in order.
#pragma once

class CArchive;

#include <cstdint>

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

// Most lines have a few runs: they are held inside the object, and the object comes from a
// pool, so that colouring line after line costs no heap call a line. The runs of a line that
// outgrows them go to a block of a power-of-two size from a pool of its own.
class SECEditLineColouring {
public:
    SECEditLineColouring() = default;
    SECEditLineColouring(const SECEditLineColouring& other);
    SECEditLineColouring& operator=(const SECEditLineColouring& other);
    ~SECEditLineColouring();

    int GetSize() const { return m_size; }
    SECEditColourSegment GetAt(int i) const { return Data()[i]; }
    // Appends a run; runs longer than a segment can hold are split.
    void Add(int length, int group);
    // The characters that the runs cover.
    int Covered() const;
    void RemoveAll();
    // The count, then the packed runs.
    void Serialize(CArchive& ar);
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);

private:
    void Push(SECEditColourSegment s);
    void Grow();
    const SECEditColourSegment* Data() const { return m_more ? m_more : m_inline; }

    static constexpr int kInline = 14;
    SECEditColourSegment m_inline[kInline];
    int m_size = 0;
    int m_capacity = kInline;
    SECEditColourSegment* m_more = nullptr; // every run, once they outgrow the inline ones
};
