#pragma once
// Run-time class information: a class's name, its base, its schema number and how to make
// a default object of it. Three kinds of classes have it:
// - dynamic (KELO_DECLARE_DYNAMIC): name and base only, for IsKindOf;
// - dynamically created (KELO_DECLARE_DYNCREATE): also made by name, as document
//   templates make documents, frames and views;
// - serialisable (KELO_DECLARE_SERIAL): also stored in archives with a schema number.
// Classes that can be made register their information, so FromName finds them.
#include <windows.h>

class CObject;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                     // 0xFFFF for classes that cannot be serialised
    CObject* (*m_pfnCreateObject)();    // null for classes that cannot be made by name
    const CRuntimeClass* m_pBaseClass;

    // A new default object of this class, or null when the class cannot make one.
    CObject* CreateObject() const;
    // The same, only when this class derives from pRequiredBase (so the object may be cast
    // to it); null otherwise.
    CObject* CreateObject(const CRuntimeClass* pRequiredBase) const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name (dynamically created or serialisable), or null.
    static const CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Adds a class to the list FromName searches; one static instance per class that can be made.
struct CRuntimeClassRegistration
{
    explicit CRuntimeClassRegistration(const CRuntimeClass* pClass);
    const CRuntimeClass* m_pClass;
    const CRuntimeClassRegistration* m_pNext;
};

#define KELO_RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: run-time class information only.
#define KELO_DECLARE_DYNAMIC(class_name)                                  \
public:                                                                   \
    static const CRuntimeClass class##class_name;                         \
    const CRuntimeClass* GetRuntimeClass() const override;

// In the class body: run-time class information and creation by name.
#define KELO_DECLARE_DYNCREATE(class_name)                                \
    KELO_DECLARE_DYNAMIC(class_name)                                      \
    static CObject* CreateObject();

// In the class body: the same, for classes stored in archives.
#define KELO_DECLARE_SERIAL(class_name) KELO_DECLARE_DYNCREATE(class_name)

// The class's information (pfnNew null for classes that cannot be made by name).
#define KELO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = {                 \
        #class_name, static_cast<int>(sizeof(class_name)), (wSchema),     \
        (pfnNew), KELO_RUNTIME_CLASS(base_class_name)};                   \
    const CRuntimeClass* class_name::GetRuntimeClass() const              \
    {                                                                     \
        return KELO_RUNTIME_CLASS(class_name);                            \
    }

// In one source file: the class's name and base.
#define KELO_IMPLEMENT_DYNAMIC(class_name, base_class_name)               \
    KELO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

// In one source file: the class's name and base, registered for creation by name.
#define KELO_IMPLEMENT_DYNCREATE(class_name, base_class_name)             \
    KELO_IMPLEMENT_SERIAL(class_name, base_class_name, 0xFFFF)

// In one source file: the class's name, base and schema, registered for archives.
#define KELO_IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)       \
    CObject* class_name::CreateObject() { return new class_name; }        \
    KELO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema,     \
                                &class_name::CreateObject)                \
    static const CRuntimeClassRegistration s_registration##class_name(    \
        KELO_RUNTIME_CLASS(class_name));
