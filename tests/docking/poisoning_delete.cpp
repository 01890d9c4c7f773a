// The test program's operator delete: freed blocks are filled with a pattern and kept a while
// before they go back to the heap, so a use after free reads garbage (and Wine's heap checks
// see writes into them) instead of a new object that took the same place.
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
struct Block {
    size_t size;
    size_t pad; // keeps the user part aligned to 8
};
const size_t kQuarantine = 2048;
void* g_held[kQuarantine];
size_t g_next = 0;

void* Allocate(size_t size) {
    auto* p = static_cast<Block*>(std::malloc(sizeof(Block) + (size ? size : 1)));
    if (p == nullptr)
        throw std::bad_alloc();
    p->size = size;
    return p + 1;
}

void Release(void* user) {
    if (user == nullptr)
        return;
    Block* p = static_cast<Block*>(user) - 1;
    std::memset(user, 0xDD, p->size);
    void* old = g_held[g_next];
    g_held[g_next] = p;
    g_next = (g_next + 1) % kQuarantine;
    std::free(old);
}
} // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}
