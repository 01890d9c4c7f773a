// COM-style interfaces of the model-view-controller foundation: identification by GUID,
// reference counts, messages, subjects and observers.
#pragma once

#include <windows.h>

#include <cstdint>

class CString;

namespace corvalis {
namespace foundation {

// {0122C05E-122A-46A0-939C-E67047CF00CA}
constexpr GUID IID_IEventRouter = {
    0x0122C05E, 0x122A, 0x46A0, {0x93, 0x9C, 0xE6, 0x70, 0x47, 0xCF, 0x00, 0xCA}};
// {92FC248C-8324-4580-99F2-425959FB01E2}
constexpr GUID IID_IObserver = {
    0x92FC248C, 0x8324, 0x4580, {0x99, 0xF2, 0x42, 0x59, 0x59, 0xFB, 0x01, 0xE2}};
// {92627E6B-AC36-42D7-9720-B79DC327041C}
constexpr GUID IID_IMessage = {
    0x92627E6B, 0xAC36, 0x42D7, {0x97, 0x20, 0xB7, 0x9D, 0xC3, 0x27, 0x04, 0x1C}};
// {E7707E00-1E4F-4F4E-A525-290CFA9C1EF3}
constexpr GUID IID_IVisual = {
    0xE7707E00, 0x1E4F, 0x4F4E, {0xA5, 0x25, 0x29, 0x0C, 0xFA, 0x9C, 0x1E, 0xF3}};
// {A332FE8E-B30D-47EE-AF1B-7E863FDEFFE5}
constexpr GUID IID_IBounds2D = {
    0xA332FE8E, 0xB30D, 0x47EE, {0xAF, 0x1B, 0x7E, 0x86, 0x3F, 0xDE, 0xFF, 0xE5}};
// {A989AFCB-D665-4FAF-93A6-34E378BF75E0}
constexpr GUID IID_ISize2D = {
    0xA989AFCB, 0xD665, 0x4FAF, {0x93, 0xA6, 0x34, 0xE3, 0x78, 0xBF, 0x75, 0xE0}};
// {9EBF6B30-E26A-4CEA-BA7F-2C7E8220AA58}
constexpr GUID IID_ILogCoordinates = {
    0x9EBF6B30, 0xE26A, 0x4CEA, {0xBA, 0x7F, 0x2C, 0x7E, 0x82, 0x20, 0xAA, 0x58}};
// {8407B2B4-4B5E-11D3-AF1B-006008AFE059}
constexpr GUID IID_IZoom = {
    0x8407B2B4, 0x4B5E, 0x11D3, {0xAF, 0x1B, 0x00, 0x60, 0x08, 0xAF, 0xE0, 0x59}};
// {8407B2B1-4B5E-11D3-AF1B-006008AFE059}
constexpr GUID IID_IRefCount = {
    0x8407B2B1, 0x4B5E, 0x11D3, {0xAF, 0x1B, 0x00, 0x60, 0x08, 0xAF, 0xE0, 0x59}};
// {8407B2B0-4B5E-11D3-AF1B-006008AFE059}
constexpr GUID IID_IQueryGuid = {
    0x8407B2B0, 0x4B5E, 0x11D3, {0xAF, 0x1B, 0x00, 0x60, 0x08, 0xAF, 0xE0, 0x59}};
// {722E1FCB-034F-4030-A600-3140A9D23DB4}
constexpr GUID IID_IViewportWindow = {
    0x722E1FCB, 0x034F, 0x4030, {0xA6, 0x00, 0x31, 0x40, 0xA9, 0xD2, 0x3D, 0xB4}};
// {0F5F5DE3-B582-4539-9145-E749250F2FDA}
constexpr GUID IID_IMouseEvent = {
    0x0F5F5DE3, 0xB582, 0x4539, {0x91, 0x45, 0xE7, 0x49, 0x25, 0x0F, 0x2F, 0xDA}};

inline bool SameGuid(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           *reinterpret_cast<const uint64_t*>(a.Data4) ==
               *reinterpret_cast<const uint64_t*>(b.Data4);
}

class IQueryGuid {
public:
    virtual bool QueryGuid(const GUID& guid, void** out) = 0;

protected:
    ~IQueryGuid() = default;
};

class IRefCount {
public:
    virtual int32_t AddRef() = 0;
    virtual int32_t Release() = 0;

protected:
    ~IRefCount() = default;
};

class IMessage : public IQueryGuid, public IRefCount {
public:
    virtual uint32_t GetTypeID() const = 0;
    virtual void Sprint(CString& out) = 0;

protected:
    ~IMessage() = default;
};

// Reference-counted message base. Senders build messages on the stack; a message deletes
// itself only when a receiver took a reference and released the last one.
template <class Base> class CRefCountImpl : public Base {
public:
    virtual ~CRefCountImpl() = default;
    int32_t AddRef() override { return ++m_refCount; }
    int32_t Release() override {
        const int32_t count = --m_refCount;
        if (count == 0)
            delete this;
        return count;
    }

protected:
    int32_t m_refCount = 0;
};

class ISubject;

class IObserver : public IQueryGuid, public IRefCount {
public:
    virtual void OnUpdate(ISubject* subject, IMessage* message) = 0;

protected:
    ~IObserver() = default;
};

class ISubject : public IQueryGuid, public IRefCount {
public:
    virtual void AddObserver(IObserver* observer) = 0;
    virtual void RemoveObserver(IObserver* observer) = 0;
    virtual void NotifyObservers(IObserver* sender, IMessage* message) = 0;

protected:
    ~ISubject() = default;
};

} // namespace foundation
} // namespace corvalis
