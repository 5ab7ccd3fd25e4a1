#pragma once
// Root of the framework's data objects: run-time class information and serialisation.
#include "framework/CRuntimeClass.h"

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
