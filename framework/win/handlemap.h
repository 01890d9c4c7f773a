// Maps from Win32 handles to the framework objects that wrap them. An object attached with
// Attach is permanent; FromHandle of an unknown handle makes a temporary wrapper that lives
// until the next idle time (AfxDeleteTempMaps), so pointers returned by FromHandle must not be
// kept across messages.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>

// For the Get*Safe* members, which the framework lets callers use through a null pointer: the
// compiler may otherwise assume `this` is never null and drop the test.
inline bool AfxIsNullThis(const void* p) {
    const void* volatile v = p;
    return v == nullptr;
}

// The plumbing every wrapper class shares. TTraits says how the class holds its handle and what a
// temporary wrapper of a handle is:
//   static THandle Get(const TObject&);
//   static void Set(TObject&, THandle);           // NULL unhooks the object from its handle
//   static std::unique_ptr<TObject> Make(THandle); // a temporary wrapper, handle not yet set
template <class TObject, class THandle, class TTraits> class CHandleMap {
public:
    // The bound object, else a temporary wrapper valid until the next idle time.
    TObject* FromHandle(THandle h) {
        if (h == NULL)
            return nullptr;
        if (TObject* p = Lookup(h))
            return p;
        std::unique_ptr<TObject> wrapper = TTraits::Make(h);
        TTraits::Set(*wrapper, h);
        TObject* raw = wrapper.get();
        m_temporary[h] = std::move(wrapper);
        return raw;
    }
    TObject* FromHandlePermanent(THandle h) const { return h ? Find(m_permanent, h) : nullptr; }
    TObject* Lookup(THandle h) const {
        TObject* p = FromHandlePermanent(h);
        if (p == nullptr && h != NULL) {
            auto it = m_temporary.find(h);
            p = it == m_temporary.end() ? nullptr : it->second.get();
        }
        return p;
    }
    // Binds h to the object; an object that holds a handle already, or a null handle, is refused.
    BOOL Attach(TObject& object, THandle h) {
        if (h == NULL || TTraits::Get(object) != NULL)
            return FALSE;
        TTraits::Set(object, h);
        m_permanent[h] = &object;
        return TRUE;
    }
    // Unbinds the object and hands back its handle. The handle is forgotten only when it is
    // still mapped to this object (a later Attach may own it).
    THandle Detach(TObject& object) {
        THandle h = TTraits::Get(object);
        if (h != NULL) {
            auto it = m_permanent.find(h);
            if (it != m_permanent.end() && it->second == &object)
                m_permanent.erase(it);
        }
        TTraits::Set(object, NULL);
        return h;
    }
    // Deletes the temporary wrappers, each unhooked first so that its destructor leaves the
    // Win32 object alone. A destructor that asks for a wrapper again finds a fresh map.
    void DeleteTempMap() {
        auto temps = std::move(m_temporary);
        m_temporary.clear();
        for (auto& entry : temps)
            TTraits::Set(*entry.second, NULL);
    }
    template <class F> void ForEachPermanent(F f) const {
        for (auto& entry : m_permanent)
            f(entry.first, entry.second);
    }

private:
    template <class M> static TObject* Find(const M& map, THandle h) {
        auto it = map.find(h);
        return it == map.end() ? nullptr : it->second;
    }

    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, std::unique_ptr<TObject>> m_temporary;
};

// Traits for a wrapper whose handle is the one member pHandle and whose temporary wrapper is a
// plain TObject.
template <class TObject, class THandle, THandle TObject::*pHandle> struct CHandleMemberTraits {
    static THandle Get(const TObject& object) { return object.*pHandle; }
    static void Set(TObject& object, THandle h) { object.*pHandle = h; }
    static std::unique_ptr<TObject> Make(THandle) { return std::make_unique<TObject>(); }
};

// Deletes every kind of temporary wrapper (windows, DCs, GDI objects, menus, image lists).
void AfxDeleteTempMaps();
