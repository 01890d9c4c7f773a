// A bounded circular stack of commands: pushing onto a full stack lets the oldest fall out.
#pragma once

#include <vector>

namespace corvalis {
namespace foundation {

template <class T> class IStack_T {
public:
    virtual T Push(T item) = 0;
    virtual T Peek() const = 0;
    virtual T Pop() = 0;
    virtual void SetCapacity(int capacity) = 0;

protected:
    ~IStack_T() = default;
};

template <class T> class CCStack_T : public IStack_T<T> {
public:
    virtual ~CCStack_T() = default;

    // Returns the element that fell out of a full stack, or null.
    T Push(T item) override {
        if (m_capacity < 1)
            return item;
        m_top = (m_top + 1) % m_capacity;
        T fallen = m_items[m_top];
        m_items[m_top] = item;
        if (m_count < m_capacity)
            ++m_count;
        return fallen;
    }
    T Peek() const override { return (m_top >= 0 && m_top < m_capacity) ? m_items[m_top] : T(); }
    T Pop() override {
        if (m_count < 1)
            return T();
        T item = m_items[m_top];
        m_items[m_top] = T();
        m_top = (m_top - 1 + m_capacity) % m_capacity;
        --m_count;
        return item;
    }
    void SetCapacity(int capacity) override {
        m_capacity = capacity;
        m_items.assign(capacity > 0 ? capacity : 0, T());
        m_top = -1;
        m_count = 0;
    }
    int GetCount() const { return m_count; }

private:
    std::vector<T> m_items;
    int m_top = -1;
    int m_capacity = -1;
    int m_count = 0;
};

} // namespace foundation
} // namespace corvalis
