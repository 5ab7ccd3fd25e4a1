#include "framework/gdi/CScopedSelect.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CGdiObject.h"
#include "framework/gdi/CPalette.h"

CScopedSelect::CScopedSelect(CDC* pDC, CGdiObject* pObject)
    : CScopedSelect(pDC, pObject ? pObject->m_hObject : nullptr)
{
}

CScopedSelect::CScopedSelect(CDC* pDC, HGDIOBJ hObject)
{
    if (!pDC)
        return;
    m_hOld = pDC->SelectObject(hObject);
    if (m_hOld)
        m_hDC = pDC->m_hDC;
}

CScopedSelect::CScopedSelect(CDC* pDC, int nStockObject)
    : CScopedSelect(pDC, ::GetStockObject(nStockObject))
{
}

CScopedSelect::CScopedSelect(CDC* pDC, CPalette* pPalette, BOOL bForceBackground)
    : m_bPalette(true)
{
    if (!pDC)
        return;
    m_hOld = pDC->SelectPalette(pPalette, bForceBackground);
    if (m_hOld)
        m_hDC = pDC->m_hDC;
}

CScopedSelect::~CScopedSelect()
{
    if (!m_hDC)
        return;
    if (m_bPalette)
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(m_hOld), FALSE);
    else
        ::SelectObject(m_hDC, m_hOld);
}
