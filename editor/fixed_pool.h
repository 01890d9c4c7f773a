// Blocks of one size carved from larger chunks and kept on a free list once given back: the
// objects that an editor makes and drops by the thousand (undo steps, line marks) then cost no
// heap call each. Blocks of another size (a derived class) go to the heap as usual.
#pragma once

#include <algorithm>
#include <cstddef>
#include <atomic>
#include <new>
#include <thread>

template <size_t Size> class SECEditFixedPool {
public:
    static void* Take(size_t size) {
        if (size != Size)
            return ::operator new(size);
        State& s = Get();
        Lock lock(s);
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
        Lock lock(s);
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
        std::atomic_flag busy = ATOMIC_FLAG_INIT;
        Block* free = nullptr;
        size_t nextChunk = kFirstChunk;
    };
    // A spin lock: taking a block is a few instructions, and a system lock would cost more
    // than the block saves. Blocks are almost always taken on one thread.
    class Lock {
    public:
        explicit Lock(State& s) : m_state(s) {
            while (m_state.busy.test_and_set(std::memory_order_acquire))
                std::this_thread::yield();
        }
        ~Lock() { m_state.busy.clear(std::memory_order_release); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        State& m_state;
    };
    static State& Get() {
        static State* state = new State; // never destroyed, like the chunks
        return *state;
    }
};
