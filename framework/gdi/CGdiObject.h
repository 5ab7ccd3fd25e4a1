#pragma once
// Owner of one GDI object handle: deleted with the object unless detached first.
#include <windows.h>

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of hObject; FALSE (and nothing taken) for a null handle.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle now; FALSE when there was none.
    BOOL DeleteObject();
};
