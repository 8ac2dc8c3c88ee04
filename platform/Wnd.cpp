#include "Wnd.h"

#include <map>
#include <memory>
#include <unordered_map>

#include "WinThread.h"

// ---------------------------------------------------------------- message maps

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEnd, 0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

static bool EntryMatches(const AFX_MSGMAP_ENTRY& e, UINT kind, UINT message, UINT code, UINT id)
{
    if (e.kind != kind)
        return false;
    switch (kind) {
    case AfxMessage:
    case AfxThreadMessage:
    case AfxReflectMessage:
        return e.message == message;
    case AfxRegistered:
    case AfxRegisteredThreadMessage:
        return e.registered && *e.registered != 0 && *e.registered == message;
    case AfxCommand:
    case AfxNotify:
        return e.code == code && id >= e.idFirst && id <= e.idLast;
    case AfxReflectCommand:
    case AfxReflectNotify:
        return e.code == code;
    default:
        return false;
    }
}

bool CCmdTarget::DispatchEntry(UINT kind, UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                               LRESULT* result)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->entries; e->kind != AfxEnd; ++e) {
            if (EntryMatches(*e, kind, message, code, id)) {
                LRESULT r = 0;
                if (e->handler(this, wParam, lParam, &r)) {
                    *result = r;
                    return true;
                }
                // An _EX handler that declined: keep looking in base classes.
            }
        }
    }
    return false;
}

// ------------------------------------------------------------ handle binding

namespace {
// Temporary wrappers for windows the library did not create; per thread,
// freed when that thread's message loop is idle.
thread_local std::map<HWND, std::unique_ptr<CWnd>>* t_tempMap = nullptr;

// The object each window of this process is bound to, for every thread. Every
// message looks its window up here; a window property would do as well, but
// under Wine each read of one is a round trip to the wine server, which made
// each message to a window of ours cost tens of microseconds.
SRWLOCK g_boundLock = SRWLOCK_INIT;
std::unordered_map<HWND, CWnd*>& BoundWindows()
{
    // Never freed: windows still go away while the process ends.
    static auto* bound = new std::unordered_map<HWND, CWnd*>();
    return *bound;
}
}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    ::AcquireSRWLockShared(&g_boundLock);
    const auto& bound = BoundWindows();
    const auto it = bound.find(hwnd);
    CWnd* w = it == bound.end() ? nullptr : it->second;
    ::ReleaseSRWLockShared(&g_boundLock);
    return w;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* w = FromHandlePermanent(hwnd))
        return w;
    if (!t_tempMap)
        t_tempMap = new std::map<HWND, std::unique_ptr<CWnd>>();
    auto& slot = (*t_tempMap)[hwnd];
    if (!slot) {
        slot.reset(new CWnd());
        slot->m_hWnd = hwnd;
        slot->m_temporary = true;
    }
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    if (!t_tempMap)
        return;
    for (auto& kv : *t_tempMap)
        kv.second->m_hWnd = nullptr;
    delete t_tempMap;
    t_tempMap = nullptr;
}

void CWnd::BindHandle(HWND hwnd)
{
    m_hWnd = hwnd;
    ::AcquireSRWLockExclusive(&g_boundLock);
    BoundWindows()[hwnd] = this;
    ::ReleaseSRWLockExclusive(&g_boundLock);
}

void CWnd::UnbindHandle()
{
    if (m_hWnd) {
        ::AcquireSRWLockExclusive(&g_boundLock);
        auto& bound = BoundWindows();
        const auto it = bound.find(m_hWnd);
        if (it != bound.end() && it->second == this)
            bound.erase(it);
        ::ReleaseSRWLockExclusive(&g_boundLock);
    }
    m_hWnd = nullptr;
}

CWnd::~CWnd()
{
    if (m_temporary) {
        m_hWnd = nullptr;
        return;
    }
    // An object that dies before its window: the window must not keep
    // calling into freed memory.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) {
        HWND h = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(h);
    }
    if (m_hWnd)
        UnbindHandle();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (m_hWnd || !hwnd || FromHandlePermanent(hwnd))
        return FALSE;
    BindHandle(hwnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h)
        UnbindHandle();
    return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (m_pfnSuper == &AfxWndProc)
        m_pfnSuper = nullptr;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND h = parent ? ::GetDlgItem(parent->m_hWnd, (int)id) : nullptr;
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        m_pfnSuper = nullptr;
    }
    return Detach();
}

// ------------------------------------------------------------------ creation

// The object a CreateEx on this thread is about to bind; the hook takes it
// at the first HCBT_CREATEWND and clears it, so windows created by that
// window's own handlers bind their own objects.
struct AfxCreateHook {
    static thread_local CWnd* pending;
    static thread_local HHOOK hook;
    static thread_local int depth;

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && pending) {
            CWnd* w = pending;
            pending = nullptr;
            HWND hwnd = (HWND)wParam;
            w->BindHandle(hwnd);
            WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
            w->m_pfnSuper = old == &AfxWndProc ? nullptr : old;
        }
        return ::CallNextHookEx(hook, code, wParam, lParam);
    }

    explicit AfxCreateHook(CWnd* w) : m_saved(pending)
    {
        if (depth++ == 0)
            hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
        pending = w;
    }
    ~AfxCreateHook()
    {
        pending = m_saved;
        if (--depth == 0 && hook) {
            ::UnhookWindowsHookEx(hook);
            hook = nullptr;
        }
    }
    CWnd* m_saved;
};
thread_local CWnd* AfxCreateHook::pending = nullptr;
thread_local HHOOK AfxCreateHook::hook = nullptr;
thread_local int AfxCreateHook::depth = 0;

// Lets CDialog create through the same hook.
void AfxHookedCreate(CWnd* w, void (*create)(void*), void* ctx)
{
    AfxCreateHook h(w);
    create(ctx);
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x,
                    int y, int w, int h, HWND parent, HMENU menuOrId, void* param)
{
    if (m_hWnd)
        return FALSE;
    if (!className)
        className = RegisterClassOnce(CS_DBLCLKS);
    HWND hwnd;
    {
        AfxCreateHook hook(this);
        hwnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, w, h, parent, menuOrId,
                                 ::GetModuleHandleW(nullptr), param);
    }
    if (!hwnd) {
        // A window that failed in WM_NCCREATE/WM_CREATE is already gone.
        if (m_hWnd)
            UnbindHandle();
        m_pfnSuper = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& r, CWnd* parent, UINT id, void* param)
{
    HMENU menu = (style & WS_CHILD) ? (HMENU)(UINT_PTR)id : nullptr;
    return CreateEx(exStyle, className, windowName, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    parent ? parent->m_hWnd : nullptr, menu, param);
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

const wchar_t* CWnd::RegisterClassOnce(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // One class per distinct combination, named after it.
    static thread_local wchar_t name[96];
    _snwprintf(name, 96, L"TkWnd:%x:%p:%p:%p", classStyle, (void*)cursor, (void*)background, (void*)icon);
    name[95] = 0;
    WNDCLASSEXW wc{};
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoExW(inst, name, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = inst;
        wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name;
        ::RegisterClassExW(&wc);
    }
    return name;
}

// ------------------------------------------------------------------ dispatch

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandlePermanent(hwnd);
    if (!w)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Let the object see it, then give the window back to its class
        // procedure and unbind, so nothing reaches the object afterwards.
        LRESULT r = 0;
        try {
            r = w->WindowProc(message, wParam, lParam);
        } catch (...) {
        }
        WNDPROC super = w->m_pfnSuper;
        if (super && (WNDPROC)::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == &AfxWndProc)
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)super);
        w->m_pfnSuper = nullptr;
        w->UnbindHandle();
        w->PostNcDestroy();
        return r;
    }
    // No exception may cross a window procedure into the system.
    try {
        return w->WindowProc(message, wParam, lParam);
    } catch (...) {
        ::OutputDebugStringW(L"unhandled exception in a window procedure\n");
        return 0;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMsg saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!child || child == m_hWnd)
        return false;
    CWnd* c = FromHandlePermanent(child);
    return c && c->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        return DispatchEntry(AfxReflectCommand, 0, HIWORD(wParam), 0, wParam, lParam, result);
    case WM_NOTIFY: {
        const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
        return DispatchEntry(AfxReflectNotify, 0, h->code, 0, wParam, lParam, result);
    }
    default:
        return DispatchEntry(AfxReflectMessage, message, 0, 0, wParam, lParam, result);
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (lParam && ReflectToChild((HWND)lParam, WM_COMMAND, wParam, lParam, &r))
        return TRUE;
    UINT code = HIWORD(wParam);
    if (!lParam)
        code = 0;  // menu item (0) and accelerator (1) both count as a command
    return DispatchEntry(AfxCommand, 0, code, LOWORD(wParam), wParam, lParam, &r);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
    if (!h)
        return FALSE;
    if (ReflectToChild(h->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    return DispatchEntry(AfxNotify, 0, h->code, (UINT)h->idFrom, wParam, lParam, result);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d && d->CtlType != ODT_MENU && ReflectToChild(d->hwndItem, message, wParam, lParam, result))
            return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        const MEASUREITEMSTRUCT* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (m && m->CtlType != ODT_MENU &&
            ReflectToChild(::GetDlgItem(m_hWnd, (int)m->CtlID), message, wParam, lParam, result))
            return TRUE;
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam && ReflectToChild((HWND)lParam, message, wParam, lParam, result))
            return TRUE;
        break;
    default:
        break;
    }
    if (DispatchEntry(AfxMessage, message, 0, 0, wParam, lParam, result))
        return TRUE;
    if (message >= 0xC000 && message <= 0xFFFF &&
        DispatchEntry(AfxRegistered, message, 0, 0, wParam, lParam, result))
        return TRUE;
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* w = FromHandlePermanent(h);
        if (w && w->PreTranslateMessage(msg))
            return TRUE;
        if (h == stop)
            break;
    }
    return FALSE;
}

void CWnd::OnNcDestroy()
{
    Default();
    // The main window of a thread ends that thread's message loop.
    CWinThread* t = CWinThread::GetCurrent();
    if (t && t->m_pMainWnd == this) {
        t->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// ------------------------------------------------------------------ helpers

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner)
        return FromHandle(m_hWndOwner);
    return GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    return FromHandle(h);
}

void CWnd::ClientToScreen(RECT* r) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2);
}

void CWnd::ScreenToClient(RECT* r) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}

CString CWnd::GetWindowText() const
{
    CString s;
    int n = ::GetWindowTextLengthW(m_hWnd);
    if (n > 0) {
        ::GetWindowTextW(m_hWnd, s.GetBuffer(n + 1), n + 1);
        s.ReleaseBuffer();
    }
    return s;
}

static BOOL ModifyWindowLong(HWND h, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = (DWORD)::GetWindowLongPtrW(h, index);
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(h, index, (LONG_PTR)changed);
    if (swpFlags)
        ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

// --------------------------------------------------------------- paint DCs

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
