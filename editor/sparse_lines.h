// One optional owned object for each line of a document, kept in pages of lines that exist only
// where some line of theirs has an object: millions of lines with a few marks or a screen of
// coloured lines cost a pointer for every page, not one for every line. Inserting or removing
// lines moves the objects behind them, which costs a step for every page behind and one for
// every object moved.
#pragma once

#include "editor/fixed_pool.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

template <class T> class SECEditSparseLines {
public:
    int GetSize() const { return m_size; }
    // How many lines have an object.
    int GetCount() const { return m_count; }

    // The object of a line, or null (also for a line outside).
    T* Get(int line) const {
        if (line < 0 || line >= m_size)
            return nullptr;
        const Page* page = m_pages[line >> kShift].get();
        return page ? page->slots[line & kMask].get() : nullptr;
    }
    // Gives the line its object, in place of any it had; returns it.
    T* Set(int line, std::unique_ptr<T> object) {
        if (line < 0 || line >= m_size)
            return nullptr;
        T* raw = object.get();
        if (!object) {
            Take(line);
            return nullptr;
        }
        Put(line, std::move(object));
        return raw;
    }
    // Hands the line's object to the caller, leaving the line without one.
    std::unique_ptr<T> Take(int line) {
        if (line < 0 || line >= m_size)
            return nullptr;
        const int p = line >> kShift;
        Page* page = m_pages[p].get();
        if (!page || !page->slots[line & kMask])
            return nullptr;
        std::unique_ptr<T> object = std::move(page->slots[line & kMask]);
        --m_count;
        if (--page->used == 0)
            Retire(m_pages[p]);
        return object;
    }

    // Every object dropped; `size` lines without one.
    void Clear(int size) {
        m_pages.clear();
        m_count = 0;
        m_size = 0;
        Resize(size);
    }
    // `count` lines without objects before `at`; the objects from `at` on move behind them.
    void Insert(int at, int count) {
        if (count <= 0)
            return;
        at = std::max(0, std::min(at, m_size));
        const int oldSize = m_size;
        Resize(m_size + count);
        if (m_count == 0 || at == oldSize)
            return;
        // From the back: every object lands behind the place of one already moved.
        const int firstPage = at >> kShift;
        for (int p = (oldSize - 1) >> kShift; p >= firstPage; --p) {
            if (!m_pages[p])
                continue;
            const int low = std::max(at, p << kShift) - (p << kShift);
            for (int s = kMask; s >= low; --s)
                if (m_pages[p]->slots[s])
                    Move((p << kShift) + s, (p << kShift) + s + count);
        }
        RetireEmptyPages(firstPage);
    }
    // The lines [first, first + count) go with their objects; the objects behind move up.
    void Erase(int first, int count) {
        first = std::max(0, first);
        count = std::min(count, m_size - first);
        if (count <= 0)
            return;
        const int end = first + count;
        for (int line = NextFrom(first); line >= 0 && line < end; line = NextFrom(line + 1))
            Take(line);
        for (int line = NextFrom(end); line >= 0; line = NextFrom(line + 1))
            Move(line, line - count);
        RetireEmptyPages(first >> kShift);
        Resize(m_size - count);
    }

    // The first line at or after `line` (and at or before `last`) that has an object, or -1.
    int NextFrom(int line, int last = INT_MAX) const {
        line = std::max(0, line);
        last = std::min(last, m_size - 1);
        if (line > last)
            return -1;
        for (int p = line >> kShift; p <= (last >> kShift); ++p) {
            const Page* page = m_pages[p].get();
            if (!page)
                continue;
            for (int s = p == (line >> kShift) ? (line & kMask) : 0; s < kPage; ++s)
                if (page->slots[s])
                    return (p << kShift) + s <= last ? (p << kShift) + s : -1;
        }
        return -1;
    }
    // The last line at or before `line` that has an object, or -1.
    int PreviousFrom(int line) const {
        line = std::min(line, m_size - 1);
        for (int p = line >> kShift; line >= 0 && p >= 0; --p) {
            const Page* page = m_pages[p].get();
            if (!page)
                continue;
            for (int s = p == (line >> kShift) ? (line & kMask) : kMask; s >= 0; --s)
                if (page->slots[s])
                    return (p << kShift) + s;
        }
        return -1;
    }

private:
    static constexpr int kShift = 6;
    static constexpr int kPage = 1 << kShift;
    static constexpr int kMask = kPage - 1;
    struct Page {
        std::unique_ptr<T> slots[kPage];
        int used = 0;
        // Pages come and go with the lines that are marked or coloured: from a pool.
        static void* operator new(size_t size) { return SECEditFixedPool<sizeof(Page)>::Take(size); }
        static void operator delete(void* p, size_t size) {
            SECEditFixedPool<sizeof(Page)>::Give(p, size);
        }
    };

    void Put(int line, std::unique_ptr<T> object) {
        std::unique_ptr<Page>& page = m_pages[line >> kShift];
        if (!page)
            page = m_spare ? std::move(m_spare) : std::make_unique<Page>();
        std::unique_ptr<T>& slot = page->slots[line & kMask];
        if (!slot) {
            ++page->used;
            ++m_count;
        }
        slot = std::move(object);
    }
    // Moves an object without giving back the page it leaves: objects that move on by a few
    // lines would otherwise give back and take a page at every step.
    void Move(int from, int to) {
        Page* source = m_pages[from >> kShift].get();
        std::unique_ptr<T> object = std::move(source->slots[from & kMask]);
        --source->used;
        --m_count;
        Put(to, std::move(object));
    }
    void RetireEmptyPages(int firstPage) {
        for (size_t p = std::max(0, firstPage); p < m_pages.size(); ++p)
            if (m_pages[p] && m_pages[p]->used == 0)
                Retire(m_pages[p]);
    }
    // One empty page is kept for the next line that needs one: a mark set and cleared again
    // and again costs no heap call each time.
    void Retire(std::unique_ptr<Page>& page) {
        if (!m_spare)
            m_spare = std::move(page);
        page.reset();
    }
    void Resize(int size) {
        m_size = std::max(0, size);
        m_pages.resize((static_cast<size_t>(m_size) + kMask) >> kShift);
    }

    std::vector<std::unique_ptr<Page>> m_pages;
    std::unique_ptr<Page> m_spare;
    int m_size = 0;
    int m_count = 0;
};
