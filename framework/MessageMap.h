#pragma once
// Message maps: each class that handles messages has one small, ordered table of entries,
// chained to its base class's table. An entry names a message (or a command identifier
// range) and a handler; the handler's signature decides how wParam and lParam are unpacked.
//
//   KELO_BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
//       OnWmCreate<&CMainFrame::OnCreate>(),
//       OnCmd<32773, &CMainFrame::OnStopVideo>(),
//       OnMessage<WM_APP_PLAYVIDEO, &CMainFrame::OnPlayVideo>(),
//   KELO_END_MESSAGE_MAP()
#include "framework/CPoint.h"
#include <cstddef>

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

struct CMessageMap
{
    const CMessageMap* (*pfnGetBaseMap)();
    const CMessageEntry* pEntries;
    size_t nCount;
};

namespace MessageMapDetail
{
template <class M> struct ClassOf;
template <class C, class R, class... A> struct ClassOf<R (C::*)(A...)> { using type = C; };
template <auto H> using HandlerClass = typename ClassOf<decltype(H)>::type;

template <auto H> HandlerClass<H>* Target(CCmdTarget* p) { return static_cast<HandlerClass<H>*>(p); }

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
} // namespace MessageMapDetail

// Any message: LRESULT OnX(WPARAM, LPARAM).
template <UINT Msg, auto H> constexpr CMessageEntry OnMessage() { return {Msg, 0, 0, 0, &MessageMapDetail::Raw<H>}; }
// Menu or accelerator command: void OnX(). (Named apart from CWnd::OnCommand, which
// would hide it inside a window class's map.)
template <UINT Id, auto H> constexpr CMessageEntry OnCmd() { return {WM_COMMAND, 0, Id, Id, &MessageMapDetail::Void<H>}; }
template <UINT First, UINT Last, auto H> constexpr CMessageEntry OnCmdRange()
{
    return {WM_COMMAND, 0, First, Last, &MessageMapDetail::Void<H>};
}
// Control notification: void OnX().
template <UINT Code, UINT Id, auto H> constexpr CMessageEntry OnControl() { return {WM_COMMAND, Code, Id, Id, &MessageMapDetail::Void<H>}; }

// int OnCreate(LPCREATESTRUCTA)
template <auto H> constexpr CMessageEntry OnWmCreate() { return {WM_CREATE, 0, 0, 0, &MessageMapDetail::Create<H>}; }
// LRESULT OnNcHitTest(CPoint)
template <auto H> constexpr CMessageEntry OnWmNcHitTest() { return {WM_NCHITTEST, 0, 0, 0, &MessageMapDetail::Point<H>}; }
// void OnSize(UINT nType, int cx, int cy)
template <auto H> constexpr CMessageEntry OnWmSize() { return {WM_SIZE, 0, 0, 0, &MessageMapDetail::Size<H>}; }
// void OnTimer(UINT_PTR nIDEvent)
template <auto H> constexpr CMessageEntry OnWmTimer() { return {WM_TIMER, 0, 0, 0, &MessageMapDetail::Timer<H>}; }
// void OnX() for messages without arguments
template <auto H> constexpr CMessageEntry OnWmPaint() { return {WM_PAINT, 0, 0, 0, &MessageMapDetail::Void<H>}; }
template <auto H> constexpr CMessageEntry OnWmClose() { return {WM_CLOSE, 0, 0, 0, &MessageMapDetail::Void<H>}; }
template <auto H> constexpr CMessageEntry OnWmDestroy() { return {WM_DESTROY, 0, 0, 0, &MessageMapDetail::Void<H>}; }
// void OnX(UINT nFlags, CPoint point) for mouse messages
template <UINT Msg, auto H> constexpr CMessageEntry OnWmMouse() { return {Msg, 0, 0, 0, &MessageMapDetail::Mouse<H>}; }
// void OnSysCommand(UINT nID, LPARAM lParam)
template <auto H> constexpr CMessageEntry OnWmSysCommand() { return {WM_SYSCOMMAND, 0, 0, 0, &MessageMapDetail::SysCommand<H>}; }

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
template <auto H> constexpr CMessageEntry OnWmInitDialog() { return {WM_INITDIALOG, 0, 0, 0, &MessageMapDetail::InitDialog<H>}; }
// void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd), for an MDI
// child; the windows are null when they have no object.
template <auto H> constexpr CMessageEntry OnWmMDIActivate() { return {WM_MDIACTIVATE, 0, 0, 0, &MessageMapDetail::MDIActivate<H>}; }

// In the class declaration.
#define KELO_DECLARE_MESSAGE_MAP()                              \
public:                                                         \
    static const CMessageMap* GetThisMessageMap();              \
    const CMessageMap* GetMessageMap() const override;          \
private:

// In the source file: the class, its base, then the entries in order.
#define KELO_BEGIN_MESSAGE_MAP(theClass, baseClass)                             \
    const CMessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const CMessageMap* theClass::GetThisMessageMap()                            \
    {                                                                           \
        using TheBase = baseClass;                                              \
        static const CMessageEntry s_entries[] = {

#define KELO_END_MESSAGE_MAP()                                                  \
            CMessageEntry{0, 0, 0, 0, nullptr}};                                \
        static const CMessageMap s_map = {&TheBase::GetThisMessageMap, s_entries,       \
                                          sizeof(s_entries) / sizeof(s_entries[0]) - 1}; \
        return &s_map;                                                          \
    }
