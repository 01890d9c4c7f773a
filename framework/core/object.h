// Run-time classes: CObject, CRuntimeClass and the DYNAMIC / DYNCREATE / SERIAL declarations.
#pragma once

#include <windows.h>

class CObject;
class CArchive;

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

// An iteration position in a list or map (opaque).
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Bit in a class's schema that marks it versionable: loading accepts any schema and the
// object reads it back with CArchive::GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                        // 0xFFFF: not serializable
    CObject*(PASCAL* m_pfnCreateObject)(); // NULL: not creatable
    CRuntimeClass* m_pBaseClass;

    // A new object of this class, or NULL when the class is not creatable or creation fails.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Lookup in the module-wide list of run-time classes (every class with IMPLEMENT_*).
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);

    // Archive form of the class reference: schema word, name length word, 8-bit name.
    void Store(CArchive& ar) const;
    // Reads the form written by Store; NULL when the class is unknown (schema is set anyway).
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the module-wide list (run by IMPLEMENT_* at static initialisation).
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);

    static CRuntimeClass classCObject;

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// A pointer to the object as class_name, or NULL when it is not of that kind (or is NULL).
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (CObject*)(object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Helper of IMPLEMENT_SERIAL's extraction operator (defined with CArchive).
CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRequested);

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                       \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name),           \
                                                   (UINT)(wSchema), pfnNew,                        \
                                                   RUNTIME_CLASS(base_class_name)};                \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                            \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                           \
        return RUNTIME_CLASS(class_name);                                                          \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* PASCAL class_name::CreateObject() {                                                   \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* PASCAL class_name::CreateObject() {                                                   \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)         \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                         \
        pOb = (class_name*)AfxReadObjectFromArchive(ar, RUNTIME_CLASS(class_name));                \
        return ar;                                                                                 \
    }
