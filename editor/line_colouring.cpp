#include "editor/line_colouring.h"

void SECEditLineColouring::Add(int length, int group) {
    do {
        const int piece = length > 0xFFFF ? 0xFFFF : length;
        m_segments.push_back(MakeColourSegment(piece, group));
        length -= piece;
    } while (length > 0);
}

int SECEditLineColouring::Covered() const {
    int total = 0;
    for (SECEditColourSegment s : m_segments)
        total += SegmentLength(s);
    return total;
}
