#include "editor/line_colouring.h"
#include "editor/fixed_pool.h"

using ColouringPool = SECEditFixedPool<sizeof(SECEditLineColouring)>;

void* SECEditLineColouring::operator new(size_t size) {
    return ColouringPool::Take(size);
}

void SECEditLineColouring::operator delete(void* p, size_t size) {
    ColouringPool::Give(p, size);
}

void SECEditLineColouring::Push(SECEditColourSegment s) {
    if (m_more.empty() && m_size < kInline) {
        m_inline[m_size++] = s;
        return;
    }
    if (m_more.empty()) {
        m_more.reserve(2 * kInline);
        m_more.assign(m_inline, m_inline + m_size);
    }
    m_more.push_back(s);
    ++m_size;
}

void SECEditLineColouring::Add(int length, int group) {
    do {
        const int piece = length > 0xFFFF ? 0xFFFF : length;
        Push(MakeColourSegment(piece, group));
        length -= piece;
    } while (length > 0);
}

int SECEditLineColouring::Covered() const {
    int total = 0;
    for (int i = 0; i < m_size; ++i)
        total += SegmentLength(Data()[i]);
    return total;
}
