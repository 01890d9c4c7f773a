// Blocks of one size carved from larger chunks and kept on a free list once given back: the
// objects that an editor makes and drops by the thousand (undo steps, line marks) then cost no
// heap call each. Blocks of another size (a derived class) go to the heap as usual.
#pragma once

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
            auto* chunk = static_cast<Block*>(::operator new(sizeof(Block) * kChunk));
            for (size_t i = 0; i < kChunk; ++i)
                chunk[i].next = i + 1 < kChunk ? &chunk[i + 1] : nullptr;
            s.free = chunk;
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
    static constexpr size_t kChunk = 256;
    union Block {
        Block* next;
        alignas(std::max_align_t) unsigned char bytes[Size];
    };
    struct State {
        std::mutex mutex;
        Block* free = nullptr;
    };
    static State& Get() {
        static State* state = new State; // never destroyed, like the chunks
        return *state;
    }
};
