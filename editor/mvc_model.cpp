#include "editor/mvc_model.h"

#include <algorithm>

namespace corvalis {
namespace foundation {

void ObserverList::Add(IObserver* observer) {
    if (!observer)
        return;
    observer->AddRef();
    m_observers.push_back(observer);
}

void ObserverList::Remove(IObserver* observer) {
    for (size_t i = 0; i < m_observers.size();) {
        if (m_observers[i] == observer) {
            m_observers.erase(m_observers.begin() + i);
            observer->Release();
        } else {
            ++i;
        }
    }
}

void ObserverList::Notify(ISubject* subject, IObserver* sender, IMessage* message) {
    // An observer may remove itself or others while being told: walk a snapshot, and skip
    // whoever is gone from the list by then, since its removal may have released it for good.
    // The snapshot of the usual few observers stays on the stack: a model tells its views of
    // every line that changes colour, and a heap call for each would cost more than the news.
    constexpr size_t kFew = 8;
    IObserver* few[kFew];
    std::vector<IObserver*> many;
    const size_t count = m_observers.size();
    IObserver* const* snapshot = few;
    if (count <= kFew) {
        std::copy(m_observers.begin(), m_observers.end(), few);
    } else {
        many = m_observers;
        snapshot = many.data();
    }
    for (size_t i = 0; i < count; ++i) {
        IObserver* o = snapshot[i];
        if (o != sender &&
            std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end())
            o->OnUpdate(subject, message);
    }
}

bool CMvcModel::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IQueryGuid) || SameGuid(guid, IID_IRefCount)) {
        *out = static_cast<ISubject*>(this);
        return true;
    }
    *out = nullptr;
    return false;
}

ListenerList::~ListenerList() {
    while (!m_listeners.empty()) {
        IEventListener* l = m_listeners.back();
        m_listeners.pop_back();
        l->Release();
    }
}

bool ListenerList::Route(IEvent* event) {
    if (!event)
        return false;
    bool handled = false;
    const std::vector<IEventListener*> snapshot = m_listeners;
    for (IEventListener* l : snapshot)
        handled = l->HandleEvent(event) || handled;
    return handled;
}

bool ListenerList::Add(IEventListener* listener) {
    if (!listener)
        return false;
    listener->AddRef();
    m_listeners.push_back(listener);
    return true;
}

bool ListenerList::Remove(IEventListener* listener) {
    auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it == m_listeners.end())
        return false;
    m_listeners.erase(it);
    listener->Release();
    return true;
}

bool IEventRouterImpl::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IEventRouter)) {
        *out = static_cast<IEventRouter*>(this);
        return true;
    }
    *out = nullptr;
    return false;
}

} // namespace foundation
} // namespace corvalis
