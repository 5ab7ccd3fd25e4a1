#pragma once
// Root of the framework's data objects: run-time class information and serialisation.
#include "framework/core/CRuntimeClass.h"

class CArchive;

class CObject
{
public:
    static const CRuntimeClass classCObject;

    // The virtual operations, in this order: class information, destruction, serialisation.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar) {}

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// p when its run-time class is pClass or one derived from it; null otherwise.
inline CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* p)
{
    return p && p->IsKindOf(pClass) ? p : nullptr;
}
// p as a class_name*, or null when it is not one.
#define KELO_DYNAMIC_DOWNCAST(class_name, p) \
    static_cast<class_name*>(AfxDynamicDownCast(KELO_RUNTIME_CLASS(class_name), (p)))
