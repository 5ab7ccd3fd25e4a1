#pragma once
// Message maps: each class that handles messages has one small, ordered table of entries,
// chained to its base class's table. An entry names a message (or a command identifier
// range) and a handler; the handler's signature decides how wParam and lParam are unpacked.
// Each handler must belong to the map's class or one of its bases: an entry naming another
// class's member does not compile.
//
//   KELO_BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
//       OnWmCreate<&CMainFrame::OnCreate>(),
//       OnCmd<32773, &CMainFrame::OnStopVideo>(),
//       OnMessage<WM_APP_PLAYVIDEO, &CMainFrame::OnPlayVideo>(),
//   KELO_END_MESSAGE_MAP()
#include "framework/gdi/CDC.h"
#include "framework/core/CPoint.h"
#include "framework/core/HandlerMap.h"
#include <type_traits>

class CCmdTarget;
class CWnd;

struct CMessageEntry
{
    UINT nMessage;   // window message; WM_COMMAND for commands and control notifications
    UINT nCode;      // WM_COMMAND: notification code (0 for menus and accelerators)
    UINT nIdFirst;   // WM_COMMAND: first and last command or control identifier
    UINT nIdLast;
    LRESULT (*pfnThunk)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);
};

using CMessageMap = CHandlerMap<CMessageEntry>;

namespace MessageMapDetail
{
template <class M> struct ClassOf;
template <class C, class R, class... A> struct ClassOf<R (C::*)(A...)> { using type = C; };
template <auto H> using HandlerClass = typename ClassOf<decltype(H)>::type;

template <auto H> HandlerClass<H>* Target(CCmdTarget* p) { return static_cast<HandlerClass<H>*>(p); }

template <auto H>
constexpr HandlerMapDetail::TypedEntry<CMessageEntry, HandlerClass<H>>
Entry(UINT nMessage, UINT nCode, UINT nIdFirst, UINT nIdLast, LRESULT (*pfnThunk)(CCmdTarget*, WPARAM, LPARAM))
{
    return {{nMessage, nCode, nIdFirst, nIdLast, pfnThunk}};
}

template <auto H> LRESULT Raw(CCmdTarget* p, WPARAM w, LPARAM l) { return (Target<H>(p)->*H)(w, l); }
template <auto H> LRESULT Void(CCmdTarget* p, WPARAM, LPARAM) { (Target<H>(p)->*H)(); return 0; }
template <auto H> LRESULT Create(CCmdTarget* p, WPARAM, LPARAM l)
{
    return (Target<H>(p)->*H)(reinterpret_cast<LPCREATESTRUCTA>(l));
}
template <auto H> LRESULT Point(CCmdTarget* p, WPARAM, LPARAM l) { return (Target<H>(p)->*H)(CPoint(l)); }
template <auto H> LRESULT Size(CCmdTarget* p, WPARAM w, LPARAM l)
{
    (Target<H>(p)->*H)(static_cast<UINT>(w), static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    return 0;
}
template <auto H> LRESULT Timer(CCmdTarget* p, WPARAM w, LPARAM) { (Target<H>(p)->*H)(static_cast<UINT_PTR>(w)); return 0; }
template <auto H> LRESULT Mouse(CCmdTarget* p, WPARAM w, LPARAM l)
{
    (Target<H>(p)->*H)(static_cast<UINT>(w), CPoint(l));
    return 0;
}
template <auto H> LRESULT SysCommand(CCmdTarget* p, WPARAM w, LPARAM l)
{
    (Target<H>(p)->*H)(static_cast<UINT>(w), l);
    return 0;
}
template <auto H> LRESULT EraseBkgnd(CCmdTarget* p, WPARAM w, LPARAM)
{
    HDC hDC = reinterpret_cast<HDC>(w);
    if constexpr (std::is_invocable<decltype(H), HandlerClass<H>*, HDC>::value) {
        return (Target<H>(p)->*H)(hDC);
    } else {
        // The DC belongs to the sender; the wrapper only borrows it.
        CDC dc;
        dc.Attach(hDC);
        return (Target<H>(p)->*H)(&dc);
    }
}
template <auto H> LRESULT Cursor(CCmdTarget* p, WPARAM w, LPARAM l)
{
    return (Target<H>(p)->*H)(reinterpret_cast<HWND>(w), LOWORD(l), HIWORD(l));
}
template <auto H> LRESULT Key(CCmdTarget* p, WPARAM w, LPARAM l)
{
    (Target<H>(p)->*H)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    return 0;
}
template <auto H> LRESULT CaptureChanged(CCmdTarget* p, WPARAM, LPARAM l)
{
    (Target<H>(p)->*H)(reinterpret_cast<HWND>(l));
    return 0;
}
template <auto H> LRESULT MouseWheel(CCmdTarget* p, WPARAM w, LPARAM l)
{
    (Target<H>(p)->*H)(GET_KEYSTATE_WPARAM(w), GET_WHEEL_DELTA_WPARAM(w), CPoint(l));
    return 0;
}
} // namespace MessageMapDetail

// Any message: LRESULT OnX(WPARAM, LPARAM).
template <UINT Msg, auto H> constexpr auto OnMessage() { return MessageMapDetail::Entry<H>(Msg, 0, 0, 0, &MessageMapDetail::Raw<H>); }
// Menu or accelerator command: void OnX(). (Named apart from CWnd::OnCommand, which
// would hide it inside a window class's map.)
template <UINT Id, auto H> constexpr auto OnCmd() { return MessageMapDetail::Entry<H>(WM_COMMAND, 0, Id, Id, &MessageMapDetail::Void<H>); }
template <UINT First, UINT Last, auto H> constexpr auto OnCmdRange()
{
    return MessageMapDetail::Entry<H>(WM_COMMAND, 0, First, Last, &MessageMapDetail::Void<H>);
}
// Control notification: void OnX().
template <UINT Code, UINT Id, auto H> constexpr auto OnControl() { return MessageMapDetail::Entry<H>(WM_COMMAND, Code, Id, Id, &MessageMapDetail::Void<H>); }

// int OnCreate(LPCREATESTRUCTA)
template <auto H> constexpr auto OnWmCreate() { return MessageMapDetail::Entry<H>(WM_CREATE, 0, 0, 0, &MessageMapDetail::Create<H>); }
// LRESULT OnNcHitTest(CPoint)
template <auto H> constexpr auto OnWmNcHitTest() { return MessageMapDetail::Entry<H>(WM_NCHITTEST, 0, 0, 0, &MessageMapDetail::Point<H>); }
// void OnSize(UINT nType, int cx, int cy)
template <auto H> constexpr auto OnWmSize() { return MessageMapDetail::Entry<H>(WM_SIZE, 0, 0, 0, &MessageMapDetail::Size<H>); }
// void OnTimer(UINT_PTR nIDEvent)
template <auto H> constexpr auto OnWmTimer() { return MessageMapDetail::Entry<H>(WM_TIMER, 0, 0, 0, &MessageMapDetail::Timer<H>); }
// void OnX() for messages without arguments
template <auto H> constexpr auto OnWmPaint() { return MessageMapDetail::Entry<H>(WM_PAINT, 0, 0, 0, &MessageMapDetail::Void<H>); }
template <auto H> constexpr auto OnWmClose() { return MessageMapDetail::Entry<H>(WM_CLOSE, 0, 0, 0, &MessageMapDetail::Void<H>); }
template <auto H> constexpr auto OnWmDestroy() { return MessageMapDetail::Entry<H>(WM_DESTROY, 0, 0, 0, &MessageMapDetail::Void<H>); }
// void OnX(UINT nFlags, CPoint point) for mouse messages
// (the point in client coordinates; the wheel has its own entry)
template <UINT Msg, auto H> constexpr auto OnWmMouse()
{
    static_assert(Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL && Msg != WM_MOUSEHWHEEL,
                  "OnWmMouse takes the client-area mouse messages");
    return MessageMapDetail::Entry<H>(Msg, 0, 0, 0, &MessageMapDetail::Mouse<H>);
}
// void OnSysCommand(UINT nID, LPARAM lParam)
template <auto H> constexpr auto OnWmSysCommand() { return MessageMapDetail::Entry<H>(WM_SYSCOMMAND, 0, 0, 0, &MessageMapDetail::SysCommand<H>); }
// BOOL OnEraseBkgnd(CDC* pDC) or BOOL OnEraseBkgnd(HDC hDC); nonzero when the background is drawn
template <auto H> constexpr auto OnWmEraseBkgnd() { return MessageMapDetail::Entry<H>(WM_ERASEBKGND, 0, 0, 0, &MessageMapDetail::EraseBkgnd<H>); }
// BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message); nonzero when the cursor is set
template <auto H> constexpr auto OnWmSetCursor() { return MessageMapDetail::Entry<H>(WM_SETCURSOR, 0, 0, 0, &MessageMapDetail::Cursor<H>); }
// void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
template <auto H> constexpr auto OnWmChar() { return MessageMapDetail::Entry<H>(WM_CHAR, 0, 0, 0, &MessageMapDetail::Key<H>); }
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
template <auto H> constexpr auto OnWmKeyDown() { return MessageMapDetail::Entry<H>(WM_KEYDOWN, 0, 0, 0, &MessageMapDetail::Key<H>); }
// void OnCaptureChanged(HWND hWndNewCapture)
template <auto H> constexpr auto OnWmCaptureChanged()
{
    return MessageMapDetail::Entry<H>(WM_CAPTURECHANGED, 0, 0, 0, &MessageMapDetail::CaptureChanged<H>);
}
// void OnMouseWheel(UINT nFlags, short zDelta, CPoint ptScreen)
template <auto H> constexpr auto OnWmMouseWheel() { return MessageMapDetail::Entry<H>(WM_MOUSEWHEEL, 0, 0, 0, &MessageMapDetail::MouseWheel<H>); }

namespace MessageMapDetail
{
template <auto H> LRESULT InitDialog(CCmdTarget* p, WPARAM, LPARAM) { return (Target<H>(p)->*H)(); }
template <auto H> LRESULT MDIActivate(CCmdTarget* p, WPARAM w, LPARAM l)
{
    using C = HandlerClass<H>;
    C* pWnd = Target<H>(p);
    HWND hWndActivate = reinterpret_cast<HWND>(l);
    (pWnd->*H)(hWndActivate == pWnd->m_hWnd, C::FromHandlePermanent(hWndActivate),
               C::FromHandlePermanent(reinterpret_cast<HWND>(w)));
    return 0;
}
} // namespace MessageMapDetail

// BOOL OnInitDialog(): TRUE lets the dialog manager give the first control the focus.
template <auto H> constexpr auto OnWmInitDialog() { return MessageMapDetail::Entry<H>(WM_INITDIALOG, 0, 0, 0, &MessageMapDetail::InitDialog<H>); }
// void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd), for an MDI
// child; the windows are null when they have no object.
template <auto H> constexpr auto OnWmMDIActivate()
{
    return MessageMapDetail::Entry<H>(WM_MDIACTIVATE, 0, 0, 0, &MessageMapDetail::MDIActivate<H>);
}

// In the class declaration.
#define KELO_DECLARE_MESSAGE_MAP() KELO_DECLARE_HANDLER_MAP(CMessageMap, GetThisMessageMap, GetMessageMap)

// In the source file: the class, its base, then the entries in order.
#define KELO_BEGIN_MESSAGE_MAP(theClass, baseClass) \
    KELO_BEGIN_HANDLER_MAP(CMessageMap, CMessageEntry, GetThisMessageMap, GetMessageMap, theClass, baseClass)

#define KELO_END_MESSAGE_MAP() KELO_END_HANDLER_MAP(CMessageMap, GetThisMessageMap)
