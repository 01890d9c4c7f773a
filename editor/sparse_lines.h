// One optional owned object for each line of a document, held only for the lines that have one:
// millions of lines with a few marks or a screen of coloured lines cost a node for each object,
// nothing for the others. The objects sit in a balanced search tree (a treap) keyed by line.
// Inserting or removing lines shifts every key behind them at once, as an amount left on the
// subtree that holds them and handed down only when a step passes through: an edit costs steps
// in the logarithm of the objects held, however many lines and objects lie behind it.
#pragma once

#include "editor/fixed_pool.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>

template <class T> class SECEditSparseLines {
public:
    SECEditSparseLines() = default;
    ~SECEditSparseLines() { Destroy(m_root); }
    SECEditSparseLines(const SECEditSparseLines&) = delete;
    SECEditSparseLines& operator=(const SECEditSparseLines&) = delete;

    int GetSize() const { return m_size; }
    // How many lines have an object.
    int GetCount() const { return m_count; }
    // The tree steps that changes have taken so far: what edits cost, counted rather than timed.
    int64_t GetSteps() const { return m_steps; }

    // The object of a line, or null (also for a line outside).
    T* Get(int line) const {
        const Node* node = Find(line);
        return node ? node->object.get() : nullptr;
    }
    // Gives the line its object, in place of any it had; returns it.
    T* Set(int line, std::unique_ptr<T> object) {
        if (line < 0 || line >= m_size)
            return nullptr;
        if (!object) {
            Take(line);
            return nullptr;
        }
        T* raw = object.get();
        if (Node* node = const_cast<Node*>(Find(line))) {
            node->object = std::move(object);
            return raw;
        }
        m_seed ^= m_seed << 13;
        m_seed ^= m_seed >> 17;
        m_seed ^= m_seed << 5;
        Node* node = new Node(line, std::move(object), m_seed);
        // Down from the root to the first node the new one outranks; what hangs there splits
        // around the new line below it. Lines set one after another (an insertion marking
        // its lines) then walk the tree's right edge only as far as the new node's rank.
        Node** slot = &m_root;
        while (*slot && (*slot)->priority > node->priority) {
            ++m_steps;
            HandDown(*slot);
            slot = line < (*slot)->key ? &(*slot)->left : &(*slot)->right;
        }
        Split(*slot, line, node->left, node->right);
        *slot = node;
        ++m_count;
        m_last = std::max(m_last, line);
        return raw;
    }
    // Hands the line's object to the caller, leaving the line without one.
    std::unique_ptr<T> Take(int line) {
        if (line < 0 || line >= m_size)
            return nullptr;
        // Down to the line's node, handing the shifts on the way down; its two subtrees
        // take its place.
        Node** slot = &m_root;
        while (*slot && (*slot)->key != line) {
            ++m_steps;
            HandDown(*slot);
            slot = line < (*slot)->key ? &(*slot)->left : &(*slot)->right;
        }
        Node* node = *slot;
        if (!node)
            return nullptr;
        HandDown(node);
        *slot = Merge(node->left, node->right);
        std::unique_ptr<T> object = std::move(node->object);
        delete node;
        --m_count;
        if (line == m_last)
            m_last = LastLine();
        return object;
    }

    // Every object dropped; `size` lines without one.
    void Clear(int size) {
        Destroy(m_root);
        m_root = nullptr;
        m_count = 0;
        m_last = -1;
        m_size = std::max(0, size);
    }
    // `count` lines without objects before `at`; the objects from `at` on move behind them.
    void Insert(int at, int count) {
        if (count <= 0)
            return;
        at = std::max(0, std::min(at, m_size));
        m_size += count;
        Node* left = nullptr;
        Node* right = nullptr;
        Split(m_root, at, left, right);
        Shift(right, count);
        m_root = Merge(left, right);
        if (m_last >= at)
            m_last += count;
    }
    // The lines [first, first + count) go with their objects; the objects behind move up.
    void Erase(int first, int count) {
        first = std::max(0, first);
        count = std::min(count, m_size - first);
        if (count <= 0)
            return;
        Node* left = nullptr;
        Node* rest = nullptr;
        Node* gone = nullptr;
        Node* right = nullptr;
        Split(m_root, first, left, rest);
        Split(rest, first + count, gone, right);
        m_count -= Destroy(gone);
        Shift(right, -count);
        m_root = Merge(left, right);
        m_size -= count;
        m_last = LastLine();
    }

    // The first line at or after `line` (and at or before `last`) that has an object, or -1.
    int NextFrom(int line, int last = INT_MAX) const {
        line = std::max(0, line);
        last = std::min(last, m_size - 1);
        if (line > last || line > m_last)
            return -1;
        int best = -1;
        int shift = 0;
        for (const Node* node = m_root; node;) {
            const int key = node->key + shift;
            shift += node->shift;
            if (key >= line) {
                best = key;
                node = node->left;
            } else {
                node = node->right;
            }
        }
        return best >= 0 && best <= last ? best : -1;
    }
    // The last line at or before `line` that has an object, or -1.
    int PreviousFrom(int line) const {
        line = std::min(line, m_size - 1);
        int best = -1;
        int shift = 0;
        for (const Node* node = m_root; node && line >= 0;) {
            const int key = node->key + shift;
            shift += node->shift;
            if (key <= line) {
                best = key;
                node = node->right;
            } else {
                node = node->left;
            }
        }
        return best;
    }

private:
    // A node's key is its line once the shifts of the nodes above it are added; its own shift
    // is still owed to the nodes below it.
    struct Node {
        Node(int line, std::unique_ptr<T> o, uint32_t p)
            : key(line), priority(p), object(std::move(o)) {}
        int key;
        int shift = 0;
        uint32_t priority;
        Node* left = nullptr;
        Node* right = nullptr;
        std::unique_ptr<T> object;
        // Nodes come and go with the lines that are marked or coloured: from a pool.
        static void* operator new(size_t size) {
            return SECEditFixedPool<sizeof(Node)>::Take(size);
        }
        static void operator delete(void* p, size_t size) {
            SECEditFixedPool<sizeof(Node)>::Give(p, size);
        }
    };

    const Node* Find(int line) const {
        // Lines asked for in order, as colouring and marking go, lie behind the last object.
        if (line < 0 || line >= m_size || line > m_last)
            return nullptr;
        int shift = 0;
        for (const Node* node = m_root; node;) {
            const int key = node->key + shift;
            if (key == line)
                return node;
            shift += node->shift;
            node = line < key ? node->left : node->right;
        }
        return nullptr;
    }
    // The line of the last object, or -1: down the tree's right edge.
    int LastLine() const {
        int last = -1;
        int shift = 0;
        for (const Node* node = m_root; node; node = node->right) {
            last = node->key + shift;
            shift += node->shift;
        }
        return last;
    }
    static void Shift(Node* node, int amount) {
        if (node) {
            node->key += amount;
            node->shift += amount;
        }
    }
    static void HandDown(Node* node) {
        if (node->shift != 0) {
            Shift(node->left, node->shift);
            Shift(node->right, node->shift);
            node->shift = 0;
        }
    }
    // The nodes before `line` to `left`, the others to `right`.
    void Split(Node* node, int line, Node*& left, Node*& right) {
        if (!node) {
            left = right = nullptr;
            return;
        }
        ++m_steps;
        HandDown(node);
        if (node->key < line) {
            Split(node->right, line, node->right, right);
            left = node;
        } else {
            Split(node->left, line, left, node->left);
            right = node;
        }
    }
    // Every line in `left` lies before every line in `right`.
    Node* Merge(Node* left, Node* right) {
        if (!left)
            return right;
        if (!right)
            return left;
        ++m_steps;
        if (left->priority > right->priority) {
            HandDown(left);
            left->right = Merge(left->right, right);
            return left;
        }
        HandDown(right);
        right->left = Merge(left, right->left);
        return right;
    }
    // Deletes a subtree with its objects; returns how many nodes it had.
    static int Destroy(Node* node) {
        int n = 0;
        while (node) {
            n += 1 + Destroy(node->left);
            Node* right = node->right;
            delete node;
            node = right;
        }
        return n;
    }

    Node* m_root = nullptr;
    int m_last = -1; // the line of the last object, or -1
    int m_size = 0;
    int m_count = 0;
    uint32_t m_seed = 2463534242u;
    int64_t m_steps = 0;
};
