#pragma once
// A GDI font.
#include "framework/gdi/CGdiObject.h"

class CFont : public CGdiObject
{
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
    // FALSE when there is no font.
    BOOL GetLogFont(LOGFONTA* pLogFont) const
    {
        return m_hObject && ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont) == sizeof(LOGFONTA);
    }
};
