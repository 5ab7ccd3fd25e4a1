// Compiled (syntax only) by the build's compile check, never linked. A message map entry
// whose handler belongs to a class outside the map's class and its bases must not compile;
// with KELO_COMPILE_CHECK_CONTROL the same entry names a base class's handler and compiles,
// which shows that the failure comes from the entry alone.
#include "framework/window/CWnd.h"

class CBaseWnd : public CWnd
{
public:
    LRESULT OnPing(WPARAM, LPARAM) { return 0; }
};

class CSiblingWnd : public CWnd
{
public:
    LRESULT OnPing(WPARAM, LPARAM) { return 0; }
};

#ifdef KELO_COMPILE_CHECK_CONTROL
using CHandlerWnd = CBaseWnd;
#else
using CHandlerWnd = CSiblingWnd;
#endif

class CMapWnd : public CBaseWnd
{
    KELO_DECLARE_MESSAGE_MAP()
};

KELO_BEGIN_MESSAGE_MAP(CMapWnd, CBaseWnd)
    OnMessage<WM_USER, &CHandlerWnd::OnPing>(),
KELO_END_MESSAGE_MAP()
