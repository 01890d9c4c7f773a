// Blocks of one size carved from larger chunks and kept on a free list once given back: the
// objects that an editor makes and drops by the thousand (undo steps, line marks) then cost no
// heap call each. Blocks of another size (a derived class) go to the heap as usual.
#pragma once

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <new>

template <size_t Size> class SECEditFixedPool {
public:
    static void* Take(size_t size) {
        if (size != Size)
            return ::operator new(size);
        State& s = Get();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.free) {
            // The chunks stay for the life of the process: blocks may come back during exit.
            // Each is twice the one before, up to a limit: a pool that is used a lot costs few
            // heap calls, one that is used little costs little memory.
            const size_t count = s.nextChunk;
            auto* chunk = static_cast<Block*>(::operator new(sizeof(Block) * count));
            for (size_t i = 0; i < count; ++i)
                chunk[i].next = i + 1 < count ? &chunk[i + 1] : nullptr;
            s.free = chunk;
            s.nextChunk = std::min(count * 2, kLastChunk);
        }
        Block* b = s.free;
        s.free = b->next;
        return b;
    }
    static void Give(void* p, size_t size) {
        if (!p)
            return;
        if (size != Size) {
            ::operator delete(p);
            return;
        }
        State& s = Get();
        std::lock_guard<std::mutex> lock(s.mutex);
        Block* b = static_cast<Block*>(p);
        b->next = s.free;
        s.free = b;
    }

private:
    union Block {
        Block* next;
        alignas(std::max_align_t) unsigned char bytes[Size];
    };
    // Blocks in the first and in the largest chunk: 256 small ones, or 64 KB, and at most 1 MB.
    static constexpr size_t kFirstChunk =
        std::max<size_t>(1, std::min<size_t>(256, 65536 / sizeof(Block)));
    static constexpr size_t kLastChunk = std::max(kFirstChunk, (size_t{1} << 20) / sizeof(Block));
    struct State {
        std::mutex mutex;
        Block* free = nullptr;
        size_t nextChunk = kFirstChunk;
    };
    static State& Get() {
        static State* state = new State; // never destroyed, like the chunks
        return *state;
    }
};
