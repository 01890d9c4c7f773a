#include "editor/line_colouring.h"
#include "editor/fixed_pool.h"

#include <climits>
#include <cstring>
#include <new>

using ColouringPool = SECEditFixedPool<sizeof(SECEditLineColouring)>;

void* SECEditLineColouring::operator new(size_t size) {
    return ColouringPool::Take(size);
}

void SECEditLineColouring::operator delete(void* p, size_t size) {
    ColouringPool::Give(p, size);
}

namespace {

// Run blocks of 32 to 4,096 runs come from pools, one for each power of two; longer lines'
// runs from the heap.
constexpr int kSmallestBlock = 32;

template <size_t Runs> using RunPool = SECEditFixedPool<Runs * sizeof(SECEditColourSegment)>;

template <class Pool> void* Pick(bool take, void* p, size_t bytes) {
    if (take)
        return Pool::Take(bytes);
    Pool::Give(p, bytes);
    return nullptr;
}

// Takes a block for `capacity` runs (a power of two of at least kSmallestBlock) or gives one
// back.
void* RunBlock(bool take, void* p, int capacity) {
    const size_t bytes = static_cast<size_t>(capacity) * sizeof(SECEditColourSegment);
    switch (capacity) {
    case 32:
        return Pick<RunPool<32>>(take, p, bytes);
    case 64:
        return Pick<RunPool<64>>(take, p, bytes);
    case 128:
        return Pick<RunPool<128>>(take, p, bytes);
    case 256:
        return Pick<RunPool<256>>(take, p, bytes);
    case 512:
        return Pick<RunPool<512>>(take, p, bytes);
    case 1024:
        return Pick<RunPool<1024>>(take, p, bytes);
    case 2048:
        return Pick<RunPool<2048>>(take, p, bytes);
    case 4096:
        return Pick<RunPool<4096>>(take, p, bytes);
    default:
        if (take)
            return ::operator new(bytes);
        ::operator delete(p);
        return nullptr;
    }
}

SECEditColourSegment* TakeRuns(int capacity) {
    return static_cast<SECEditColourSegment*>(RunBlock(true, nullptr, capacity));
}

void GiveRuns(SECEditColourSegment* runs, int capacity) {
    if (runs)
        RunBlock(false, runs, capacity);
}

} // namespace

SECEditLineColouring::SECEditLineColouring(const SECEditLineColouring& other) {
    *this = other;
}

SECEditLineColouring& SECEditLineColouring::operator=(const SECEditLineColouring& other) {
    if (this == &other)
        return *this;
    RemoveAll();
    const SECEditColourSegment* runs = other.Data();
    for (int i = 0; i < other.m_size; ++i)
        Push(runs[i]);
    return *this;
}

SECEditLineColouring::~SECEditLineColouring() {
    GiveRuns(m_more, m_capacity);
}

void SECEditLineColouring::RemoveAll() {
    GiveRuns(m_more, m_capacity);
    m_more = nullptr;
    m_capacity = kInline;
    m_size = 0;
}

void SECEditLineColouring::Grow() {
    if (m_capacity > INT_MAX / 2)
        throw std::bad_alloc(); // more runs than an int counts
    const int capacity = m_more ? m_capacity * 2 : kSmallestBlock;
    SECEditColourSegment* runs = TakeRuns(capacity);
    std::memcpy(runs, Data(), static_cast<size_t>(m_size) * sizeof(SECEditColourSegment));
    GiveRuns(m_more, m_capacity);
    m_more = runs;
    m_capacity = capacity;
}

void SECEditLineColouring::Push(SECEditColourSegment s) {
    if (m_size == m_capacity)
        Grow();
    (m_more ? m_more : m_inline)[m_size++] = s;
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
    const SECEditColourSegment* runs = Data();
    for (int i = 0; i < m_size; ++i)
        total += SegmentLength(runs[i]);
    return total;
}
