#pragma once
// Run-time class information: a class's name, its schema number and how to make a
// default object of it. Serialisable classes register theirs, so an archive can make
// the right object from the name it stored.
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
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered serialisable class of that name, or null.
    static const CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Adds a class to the list FromName searches; one static instance per serialisable class.
struct CRuntimeClassRegistration
{
    explicit CRuntimeClassRegistration(const CRuntimeClass* pClass);
    const CRuntimeClass* m_pClass;
    const CRuntimeClassRegistration* m_pNext;
};

#define KELO_RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: run-time class information and creation by name.
#define KELO_DECLARE_SERIAL(class_name)                                   \
public:                                                                   \
    static const CRuntimeClass class##class_name;                         \
    const CRuntimeClass* GetRuntimeClass() const override;                \
    static CObject* CreateObject();

// In one source file: the class's name, base and schema, registered for archives.
#define KELO_IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)       \
    CObject* class_name::CreateObject() { return new class_name; }        \
    const CRuntimeClass class_name::class##class_name = {                 \
        #class_name, static_cast<int>(sizeof(class_name)), (wSchema),     \
        &class_name::CreateObject, KELO_RUNTIME_CLASS(base_class_name)};  \
    const CRuntimeClass* class_name::GetRuntimeClass() const              \
    {                                                                     \
        return KELO_RUNTIME_CLASS(class_name);                            \
    }                                                                     \
    static const CRuntimeClassRegistration s_registration##class_name(    \
        KELO_RUNTIME_CLASS(class_name));
