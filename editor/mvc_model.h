// The observable model of the foundation and the event router.
#pragma once

#include "editor/mvc_interfaces.h"

#include <vector>

namespace corvalis {
namespace foundation {

// Observers in the order in which they were added.
class ObserverList {
public:
    void Add(IObserver* observer);
    void Remove(IObserver* observer);
    void Notify(ISubject* subject, IObserver* sender, IMessage* message);
    const std::vector<IObserver*>& Items() const { return m_observers; }

private:
    std::vector<IObserver*> m_observers;
};

class CMvcModel : public ISubject {
public:
    CMvcModel() = default;
    CMvcModel(const CMvcModel&) = delete;
    CMvcModel& operator=(const CMvcModel&) = delete;
    virtual ~CMvcModel() = default;

    bool QueryGuid(const GUID& guid, void** out) override;
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    void AddObserver(IObserver* observer) override { m_observers.Add(observer); }
    void RemoveObserver(IObserver* observer) override { m_observers.Remove(observer); }
    void NotifyObservers(IObserver* sender, IMessage* message) override {
        m_observers.Notify(this, sender, message);
    }

    virtual BOOL IsModified() { return FALSE; }
    virtual void ClearTransactions() {}
    // Who observes the model now, in the order they were added.
    const std::vector<IObserver*>& GetObservers() const { return m_observers.Items(); }

protected:
    ObserverList m_observers;
};

class IEvent {
public:
    virtual bool QueryGuid(const GUID& guid, void** out) = 0;
    virtual int32_t AddRef() = 0;
    virtual int32_t Release() = 0;

protected:
    ~IEvent() = default;
};

class IEventListener {
public:
    virtual int32_t AddRef() = 0;
    virtual int32_t Release() = 0;
    virtual bool HandleEvent(IEvent* event) = 0;

protected:
    ~IEventListener() = default;
};

class IEventRouter : public IRefCount, public IQueryGuid {
public:
    virtual bool RouteEvent(IEvent* event) = 0;
    virtual bool AddListener(IEventListener* listener) = 0;
    virtual bool RemoveListener(IEventListener* listener) = 0;

protected:
    ~IEventRouter() = default;
};

// Listener bookkeeping shared by routers and controllers.
class ListenerList {
public:
    ListenerList() = default;
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;
    ~ListenerList();
    bool Route(IEvent* event);
    bool Add(IEventListener* listener);
    bool Remove(IEventListener* listener);

private:
    std::vector<IEventListener*> m_listeners;
};

class IEventRouterImpl : public IEventRouter {
public:
    virtual ~IEventRouterImpl() = default;
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    bool QueryGuid(const GUID& guid, void** out) override;
    bool RouteEvent(IEvent* event) override { return m_listeners.Route(event); }
    bool AddListener(IEventListener* listener) override { return m_listeners.Add(listener); }
    bool RemoveListener(IEventListener* listener) override { return m_listeners.Remove(listener); }

protected:
    ListenerList m_listeners;
};

} // namespace foundation
} // namespace corvalis
