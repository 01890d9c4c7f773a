#include "framework/core/object.h"

#include "framework/core/guard.h"

#include "framework/core/exceptions.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {
std::vector<CRuntimeClass*>& ClassList() {
    static std::vector<CRuntimeClass*> list;
    return list;
}
std::mutex& ClassListLock() {
    static std::mutex m;
    return m;
}
} // namespace

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
    std::lock_guard<std::mutex> lock(ClassListLock());
    ClassList().push_back(pNewClass);
}

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CObject::~CObject() {}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return &CObject::classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == NULL)
        return NULL;
    // Callers take NULL for "cannot be made"; the reason goes to the diagnostics.
    return AfxGuardLibraryEntry(L"object creation", (CObject*)NULL,
                                [&] { return (*m_pfnCreateObject)(); });
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == NULL)
        return NULL;
    std::lock_guard<std::mutex> lock(ClassListLock());
    for (CRuntimeClass* p : ClassList())
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return NULL;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName) {
    if (lpszClassName == NULL)
        return NULL;
    // Class names are identifiers: compare character by character, no code page involved.
    std::lock_guard<std::mutex> lock(ClassListLock());
    for (CRuntimeClass* p : ClassList()) {
        LPCSTR a = p->m_lpszClassName;
        LPCWSTR w = lpszClassName;
        while (*a != 0 && (wchar_t)(unsigned char)*a == *w) {
            ++a;
            ++w;
        }
        if (*a == 0 && *w == 0)
            return p;
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName) {
    CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : NULL;
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}
