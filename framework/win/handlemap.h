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

template <class TObject, class THandle> class CHandleMap {
public:
    TObject* LookupPermanent(THandle h) const {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    TObject* LookupTemporary(THandle h) const {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.get();
    }
    TObject* Lookup(THandle h) const {
        TObject* p = LookupPermanent(h);
        return p ? p : LookupTemporary(h);
    }
    void SetPermanent(THandle h, TObject* p) { m_permanent[h] = p; }
    // Forgets the handle only when it is still mapped to p (a later Attach may own it).
    void RemovePermanent(THandle h, const TObject* p) {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == p)
            m_permanent.erase(it);
    }
    TObject* AddTemporary(THandle h, std::unique_ptr<TObject> p) {
        TObject* raw = p.get();
        m_temporary[h] = std::move(p);
        return raw;
    }
    // Deletes the temporary wrappers; clearHandle first unhooks each from its handle so that
    // its destructor leaves the Win32 object alone.
    template <class F> void DeleteTemporary(F clearHandle) {
        auto temps = std::move(m_temporary);
        m_temporary.clear();
        for (auto& entry : temps)
            clearHandle(entry.second.get());
    }
    template <class F> void ForEachPermanent(F f) const {
        for (auto& entry : m_permanent)
            f(entry.first, entry.second);
    }
    bool IsTemporary(const TObject* p) const {
        for (auto& entry : m_temporary)
            if (entry.second.get() == p)
                return true;
        return false;
    }

private:
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, std::unique_ptr<TObject>> m_temporary;
};

// Deletes every kind of temporary wrapper (windows, DCs, GDI objects, menus, image lists).
void AfxDeleteTempMaps();
