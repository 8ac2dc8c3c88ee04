// Message maps: a static table of entries per class, chained to the base
// class's table. Dispatch walks from the most derived class to the base and
// calls the first entry that matches. Handlers are captureless lambdas made
// by the ON_* macros, so each entry is a plain function pointer.
#pragma once
#include <windows.h>

class CCmdTarget;

// Returns true when the entry handled the message; *result is its LRESULT.
using AfxHandler = bool (*)(CCmdTarget* self, WPARAM wParam, LPARAM lParam, LRESULT* result);

enum AfxEntryKind : UINT {
    AfxEnd = 0,
    AfxMessage,         // a window message (message)
    AfxRegistered,      // a registered window message (*registered)
    AfxCommand,         // WM_COMMAND with notification code and id range
    AfxNotify,          // WM_NOTIFY with code and id range
    AfxReflectCommand,  // WM_COMMAND reflected to the control that sent it
    AfxReflectNotify,   // WM_NOTIFY reflected to the control that sent it
    AfxReflectMessage,  // WM_DRAWITEM, WM_CTLCOLOR*, ... reflected to the control
    AfxThreadMessage,   // a message posted to a thread (message)
    AfxRegisteredThreadMessage,
};

struct AFX_MSGMAP_ENTRY {
    UINT kind;
    UINT message;
    UINT code;
    UINT idFirst;
    UINT idLast;
    const UINT* registered;
    AfxHandler handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* entries;
};

// The root of every class that has a message map.
class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Finds and calls the first matching entry, most derived class first.
    bool DispatchEntry(UINT kind, UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                       LRESULT* result);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                     \
    {                                                                                   \
        typedef theClass ThisClass;                                                     \
        typedef baseClass TheBaseClass;                                                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                               \
            {AfxEnd, 0, 0, 0, 0, nullptr, nullptr}};                                    \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,         \
                                              &_messageEntries[0]};                     \
        return &messageMap;                                                             \
    }

// Internal: an entry whose body sees `self` (ThisClass*), wParam, lParam, result.
#define AFX_ENTRY(kind, msg, code, first, last, reg, body)                              \
    {kind, (UINT)(msg), (UINT)(code), (UINT)(first), (UINT)(last), reg,                 \
     [](CCmdTarget* _target, WPARAM wParam, LPARAM lParam, LRESULT* result) -> bool {   \
         ThisClass* self = static_cast<ThisClass*>(_target);                            \
         (void)self; (void)wParam; (void)lParam; (void)result;                          \
         body                                                                           \
     }},
#define AFX_MSG(msg, body) AFX_ENTRY(AfxMessage, msg, 0, 0, 0, nullptr, body)

// Generic entries.
#define ON_MESSAGE(msg, fn) AFX_MSG(msg, *result = self->fn(wParam, lParam); return true;)
#define ON_REGISTERED_MESSAGE(var, fn) \
    AFX_ENTRY(AfxRegistered, 0, 0, 0, 0, &var, *result = self->fn(wParam, lParam); return true;)
#define ON_THREAD_MESSAGE(msg, fn) \
    AFX_ENTRY(AfxThreadMessage, msg, 0, 0, 0, nullptr, self->fn(wParam, lParam); return true;)
#define ON_REGISTERED_THREAD_MESSAGE(var, fn) \
    AFX_ENTRY(AfxRegisteredThreadMessage, 0, 0, 0, 0, &var, self->fn(wParam, lParam); return true;)

// WM_COMMAND: menu items, accelerators and control notifications.
#define ON_COMMAND(id, fn) AFX_ENTRY(AfxCommand, 0, 0, id, id, nullptr, self->fn(); return true;)
#define ON_COMMAND_RANGE(first, last, fn) \
    AFX_ENTRY(AfxCommand, 0, 0, first, last, nullptr, self->fn((UINT)LOWORD(wParam)); return true;)
#define ON_CONTROL(code, id, fn) AFX_ENTRY(AfxCommand, 0, code, id, id, nullptr, self->fn(); return true;)
#define ON_CONTROL_RANGE(code, first, last, fn) \
    AFX_ENTRY(AfxCommand, 0, code, first, last, nullptr, self->fn((UINT)LOWORD(wParam)); return true;)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)

// WM_NOTIFY: handler (NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, fn)                                                         \
    AFX_ENTRY(AfxNotify, 0, code, id, id, nullptr,                                      \
              self->fn(reinterpret_cast<NMHDR*>(lParam), result); return true;)
#define ON_NOTIFY_RANGE(code, first, last, fn)                                          \
    AFX_ENTRY(AfxNotify, 0, code, first, last, nullptr,                                 \
              self->fn((UINT)reinterpret_cast<NMHDR*>(lParam)->idFrom,                  \
                       reinterpret_cast<NMHDR*>(lParam), result); return true;)

// Reflected notifications: handled by the control's own object first.
#define ON_CONTROL_REFLECT(code, fn) \
    AFX_ENTRY(AfxReflectCommand, 0, code, 0, 0, nullptr, self->fn(); return true;)
#define ON_CONTROL_REFLECT_EX(code, fn) \
    AFX_ENTRY(AfxReflectCommand, 0, code, 0, 0, nullptr, return self->fn() != FALSE;)
#define ON_NOTIFY_REFLECT(code, fn)                                                     \
    AFX_ENTRY(AfxReflectNotify, 0, code, 0, 0, nullptr,                                 \
              self->fn(reinterpret_cast<NMHDR*>(lParam), result); return true;)
#define ON_NOTIFY_REFLECT_EX(code, fn)                                                  \
    AFX_ENTRY(AfxReflectNotify, 0, code, 0, 0, nullptr,                                 \
              return self->fn(reinterpret_cast<NMHDR*>(lParam), result) != FALSE;)
#define ON_WM_DRAWITEM_REFLECT()                                                        \
    AFX_ENTRY(AfxReflectMessage, WM_DRAWITEM, 0, 0, 0, nullptr,                         \
              self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *result = TRUE; return true;)
#define ON_WM_MEASUREITEM_REFLECT()                                                     \
    AFX_ENTRY(AfxReflectMessage, WM_MEASUREITEM, 0, 0, 0, nullptr,                      \
              self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *result = TRUE; return true;)
// CtlColor (CDC*, UINT ctlType) -> HBRUSH; a null brush leaves it to the parent.
#define AFX_CTLCOLOR_REFLECT(msg)                                                       \
    AFX_ENTRY(AfxReflectMessage, msg, 0, 0, 0, nullptr,                                 \
              CDC _dc; _dc.Attach((HDC)wParam);                                         \
              HBRUSH _b = self->CtlColor(&_dc, (UINT)((msg) - WM_CTLCOLORMSGBOX));      \
              _dc.Detach(); *result = (LRESULT)_b; return _b != nullptr;)
#define ON_WM_CTLCOLOR_REFLECT()                                                        \
    AFX_CTLCOLOR_REFLECT(WM_CTLCOLOREDIT) AFX_CTLCOLOR_REFLECT(WM_CTLCOLORLISTBOX)      \
    AFX_CTLCOLOR_REFLECT(WM_CTLCOLORBTN) AFX_CTLCOLOR_REFLECT(WM_CTLCOLORSCROLLBAR)     \
    AFX_CTLCOLOR_REFLECT(WM_CTLCOLORSTATIC)
#define ON_WM_VSCROLL_REFLECT()                                                         \
    AFX_ENTRY(AfxReflectMessage, WM_VSCROLL, 0, 0, 0, nullptr,                          \
              self->VScroll(LOWORD(wParam), HIWORD(wParam)); return true;)
#define ON_WM_HSCROLL_REFLECT()                                                         \
    AFX_ENTRY(AfxReflectMessage, WM_HSCROLL, 0, 0, 0, nullptr,                          \
              self->HScroll(LOWORD(wParam), HIWORD(wParam)); return true;)

// Window messages with cracked arguments.
#define AFX_VOID(msg, call) AFX_MSG(msg, self->call; return true;)
#define AFX_MOUSE(msg, fn) AFX_VOID(msg, fn((UINT)wParam, CPoint(lParam)))
#define AFX_KEY(msg, fn) AFX_VOID(msg, fn((UINT)wParam, (UINT)LOWORD(lParam), (UINT)HIWORD(lParam)))

#define ON_WM_CREATE() AFX_MSG(WM_CREATE, *result = self->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam)); return true;)
#define ON_WM_DESTROY() AFX_VOID(WM_DESTROY, OnDestroy())
#define ON_WM_NCDESTROY() AFX_VOID(WM_NCDESTROY, OnNcDestroy())
#define ON_WM_CLOSE() AFX_VOID(WM_CLOSE, OnClose())
#define ON_WM_PAINT() AFX_VOID(WM_PAINT, OnPaint())
#define ON_WM_ERASEBKGND()                                                              \
    AFX_MSG(WM_ERASEBKGND, CDC _dc; _dc.Attach((HDC)wParam);                            \
            *result = self->OnEraseBkgnd(&_dc); _dc.Detach(); return true;)
#define ON_WM_TIMER() AFX_VOID(WM_TIMER, OnTimer((UINT_PTR)wParam))
#define ON_WM_SIZE() AFX_VOID(WM_SIZE, OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_MOVE() AFX_VOID(WM_MOVE, OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_SHOWWINDOW() AFX_VOID(WM_SHOWWINDOW, OnShowWindow((BOOL)wParam, (UINT)lParam))
#define ON_WM_ENABLE() AFX_VOID(WM_ENABLE, OnEnable((BOOL)wParam))
#define ON_WM_ACTIVATE()                                                                \
    AFX_VOID(WM_ACTIVATE, OnActivate(LOWORD(wParam), CWnd::FromHandle((HWND)lParam),    \
                                     (BOOL)HIWORD(wParam)))
#define ON_WM_ACTIVATEAPP() AFX_VOID(WM_ACTIVATEAPP, OnActivateApp((BOOL)wParam, (DWORD)lParam))
#define ON_WM_SETFOCUS() AFX_VOID(WM_SETFOCUS, OnSetFocus(CWnd::FromHandle((HWND)wParam)))
#define ON_WM_KILLFOCUS() AFX_VOID(WM_KILLFOCUS, OnKillFocus(CWnd::FromHandle((HWND)wParam)))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_VOID(WM_MOUSELEAVE, OnMouseLeave())
#define ON_WM_MOUSEWHEEL()                                                              \
    AFX_MSG(WM_MOUSEWHEEL, *result = self->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam),    \
            (short)GET_WHEEL_DELTA_WPARAM(wParam), CPoint(lParam)); return true;)
#define ON_WM_MOUSEACTIVATE()                                                           \
    AFX_MSG(WM_MOUSEACTIVATE, *result = self->OnMouseActivate(CWnd::FromHandle((HWND)wParam), \
            LOWORD(lParam), HIWORD(lParam)); return true;)
#define ON_WM_SETCURSOR()                                                               \
    AFX_MSG(WM_SETCURSOR, *result = self->OnSetCursor(CWnd::FromHandle((HWND)wParam),   \
            LOWORD(lParam), HIWORD(lParam)); return true;)
#define ON_WM_NCHITTEST() AFX_MSG(WM_NCHITTEST, *result = self->OnNcHitTest(CPoint(lParam)); return true;)
#define ON_WM_NCLBUTTONDOWN() AFX_VOID(WM_NCLBUTTONDOWN, OnNcLButtonDown((UINT)wParam, CPoint(lParam)))
#define ON_WM_NCCALCSIZE()                                                              \
    AFX_VOID(WM_NCCALCSIZE, OnNcCalcSize((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)))
#define ON_WM_KEYDOWN() AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY(WM_CHAR, OnChar)
#define ON_WM_GETDLGCODE() AFX_MSG(WM_GETDLGCODE, *result = self->OnGetDlgCode(); return true;)
#define ON_WM_CAPTURECHANGED() AFX_VOID(WM_CAPTURECHANGED, OnCaptureChanged(CWnd::FromHandle((HWND)lParam)))
#define ON_WM_CANCELMODE() AFX_VOID(WM_CANCELMODE, OnCancelMode())
#define ON_WM_SYSCOMMAND() AFX_VOID(WM_SYSCOMMAND, OnSysCommand((UINT)wParam, lParam))
#define ON_WM_SYSCOLORCHANGE() AFX_VOID(WM_SYSCOLORCHANGE, OnSysColorChange())
#define ON_WM_QUERYDRAGICON() AFX_MSG(WM_QUERYDRAGICON, *result = (LRESULT)self->OnQueryDragIcon(); return true;)
#define ON_WM_CONTEXTMENU() AFX_VOID(WM_CONTEXTMENU, OnContextMenu(CWnd::FromHandle((HWND)wParam), CPoint(lParam)))
#define ON_WM_HELPINFO() AFX_MSG(WM_HELP, *result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)); return true;)
#define ON_WM_WINDOWPOSCHANGING() AFX_VOID(WM_WINDOWPOSCHANGING, OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() AFX_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_INPUT() AFX_VOID(WM_INPUT, OnRawInput((UINT)GET_RAWINPUT_CODE_WPARAM(wParam), (HRAWINPUT)lParam))
#define ON_WM_DEVICECHANGE() AFX_MSG(WM_DEVICECHANGE, *result = self->OnDeviceChange((UINT)wParam, (DWORD_PTR)lParam); return true;)
#define ON_WM_WTSSESSION_CHANGE() AFX_VOID(WM_WTSSESSION_CHANGE, OnSessionChange((UINT)wParam, (UINT)lParam))
#define ON_WM_QUERYENDSESSION() AFX_MSG(WM_QUERYENDSESSION, *result = self->OnQueryEndSession(); return true;)
#define ON_WM_ENDSESSION() AFX_VOID(WM_ENDSESSION, OnEndSession((BOOL)wParam))
#define ON_WM_DRAWITEM() AFX_VOID(WM_DRAWITEM, OnDrawItem((int)wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM() AFX_VOID(WM_MEASUREITEM, OnMeasureItem((int)wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define ON_WM_VSCROLL() AFX_VOID(WM_VSCROLL, OnVScroll(LOWORD(wParam), HIWORD(wParam), CWnd::FromHandle((HWND)lParam)))
#define ON_WM_HSCROLL() AFX_VOID(WM_HSCROLL, OnHScroll(LOWORD(wParam), HIWORD(wParam), CWnd::FromHandle((HWND)lParam)))
// OnCtlColor (CDC*, CWnd*, UINT ctlType) -> HBRUSH, for every WM_CTLCOLOR* message.
#define AFX_CTLCOLOR(msg)                                                               \
    AFX_MSG(msg, CDC _dc; _dc.Attach((HDC)wParam);                                      \
            *result = (LRESULT)self->OnCtlColor(&_dc, CWnd::FromHandle((HWND)lParam),   \
                                                (UINT)((msg) - WM_CTLCOLORMSGBOX));     \
            _dc.Detach(); return true;)
#define ON_WM_CTLCOLOR()                                                                \
    AFX_CTLCOLOR(WM_CTLCOLORMSGBOX) AFX_CTLCOLOR(WM_CTLCOLOREDIT)                       \
    AFX_CTLCOLOR(WM_CTLCOLORLISTBOX) AFX_CTLCOLOR(WM_CTLCOLORBTN)                       \
    AFX_CTLCOLOR(WM_CTLCOLORDLG) AFX_CTLCOLOR(WM_CTLCOLORSCROLLBAR)                     \
    AFX_CTLCOLOR(WM_CTLCOLORSTATIC)
