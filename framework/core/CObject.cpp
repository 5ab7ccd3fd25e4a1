#include "framework/core/CObject.h"
#include <cstring>

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

namespace
{
const CRuntimeClassRegistration* g_pFirstRegistration = nullptr;
} // namespace

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(const CRuntimeClass* pRequiredBase) const
{
    return IsDerivedFrom(pRequiredBase) ? CreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    for (const CRuntimeClassRegistration* p = g_pFirstRegistration; p; p = p->m_pNext) {
        if (std::strcmp(p->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return p->m_pClass;
    }
    return nullptr;
}

// Registrations run during static initialisation, on one thread, before any archive exists.
CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass* pClass)
    : m_pClass(pClass), m_pNext(g_pFirstRegistration)
{
    g_pFirstRegistration = this;
}
