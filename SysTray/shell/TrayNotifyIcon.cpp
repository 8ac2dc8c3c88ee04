#include "TrayNotifyIcon.h"

#include <shlwapi.h>

#include <cwchar>

namespace {

// Sent to every top-level window when the shell (re)starts.
const UINT g_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");

// A window of the menu this thread tracks (the system's menu class).
bool IsOwnMenuWindow(HWND window)
{
    wchar_t name[16] = {};
    return window && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId() &&
           ::GetClassNameW(window, name, 16) && wcscmp(name, L"#32768") == 0;
}

// Escape, and a click outside the menu, end the menu being tracked. The
// menu sees them itself only while its owner holds the keyboard and the
// mouse; the low-level hooks see them wherever they go (a display server
// may keep the keyboard with the window that had it, since the hidden
// owner cannot take it).
LRESULT CALLBACK MenuKeyboardWatch(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode == VK_ESCAPE)
        ::EndMenu();
    return ::CallNextHookEx(nullptr, code, message, data);
}

// The hook's point is in physical screen coordinates whatever the program's
// DPI awareness; WindowFromPoint would read it as this unaware program's
// logical ones, and on a scaled display judge a click on the menu to be
// outside it and end the menu before the click could choose an item.
LRESULT CALLBACK MenuMouseWatch(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION &&
        (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) &&
        !IsOwnMenuWindow(::WindowFromPhysicalPoint(reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt)))
        ::EndMenu();
    return ::CallNextHookEx(nullptr, code, message, data);
}

// The two hooks, for one scope on the thread that tracks the menu.
class CMenuWatch {
public:
    CMenuWatch()
        : m_keyboard(::SetWindowsHookExW(WH_KEYBOARD_LL, &MenuKeyboardWatch, ::GetModuleHandleW(nullptr), 0)),
          m_mouse(::SetWindowsHookExW(WH_MOUSE_LL, &MenuMouseWatch, ::GetModuleHandleW(nullptr), 0))
    {
    }
    ~CMenuWatch()
    {
        if (m_keyboard)
            ::UnhookWindowsHookEx(m_keyboard);
        if (m_mouse)
            ::UnhookWindowsHookEx(m_mouse);
    }
    CMenuWatch(const CMenuWatch&) = delete;
    CMenuWatch& operator=(const CMenuWatch&) = delete;

private:
    HHOOK m_keyboard;
    HHOOK m_mouse;
};

}  // namespace

int ShellVersionLevel()
{
    OSVERSIONINFOW os{};
    os.dwOSVersionInfoSize = sizeof(os);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExW(&os) && os.dwMajorVersion > 5)
        return 3;
#pragma GCC diagnostic pop
    HMODULE shell = ::GetModuleHandleW(L"shell32.dll");
    auto getVersion = shell ? reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(shell, "DllGetVersion")) : nullptr;
    DLLVERSIONINFO version{};
    version.cbSize = sizeof(version);
    if (!getVersion || FAILED(getVersion(&version)))
        return 0;
    if (version.dwMajorVersion > 5)
        return 2;
    return version.dwMajorVersion == 5 ? 1 : 0;
}

DWORD NotifyRecordSize(int level)
{
    switch (level) {
    case 3: return sizeof(NOTIFYICONDATAW);
    case 2: return NOTIFYICONDATAW_V3_SIZE;
    case 1: return NOTIFYICONDATAW_V2_SIZE;
    default: return NOTIFYICONDATAW_V1_SIZE;
    }
}

void SetRecordTip(NOTIFYICONDATAW& record, int level, const wchar_t* tip)
{
    // The oldest shells read 64 characters of the tip, the others 128.
    size_t room = level > 0 ? kTrayTipChars : 63;
    size_t n = tip ? wcsnlen(tip, room) : 0;
    std::wmemset(record.szTip, 0, sizeof(record.szTip) / sizeof(record.szTip[0]));
    if (n)
        std::wmemcpy(record.szTip, tip, n);
}

BEGIN_MESSAGE_MAP(CTrayNotifyIcon, CWnd)
    ON_REGISTERED_MESSAGE(g_taskbarCreated, OnTaskbarCreated)
END_MESSAGE_MAP()

CTrayNotifyIcon::CTrayNotifyIcon() : m_level(ShellVersionLevel()) {}

CTrayNotifyIcon::~CTrayNotifyIcon()
{
    if (m_added) {
        m_record.uFlags = 0;
        ::Shell_NotifyIconW(NIM_DELETE, &m_record);
    }
    if (IsWindow())
        DestroyWindow();
}

bool CTrayNotifyIcon::Create(CWnd* owner, const wchar_t* tooltip, HICON icon)
{
    if (!m_ownMenu.LoadMenu(kTrayMenuId) || !m_ownMenu.GetSubMenu(0))
        return false;
    m_menu = m_ownMenu;
    m_defaultItem = 0;
    m_defaultByCommand = false;
    ApplyDefaultItem();
    if (!CreateEx(0, RegisterClassOnce(0), L"CTrayNotifyIcon Helper Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return false;
    m_owner = owner;
    m_record = NOTIFYICONDATAW{};
    m_record.cbSize = NotifyRecordSize(m_level);
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.hWnd = owner ? owner->GetSafeHwnd() : nullptr;
    m_record.uID = kTrayIconId;
    m_record.uCallbackMessage = WM_TRAY_NOTIFY;
    m_record.hIcon = icon;
    SetRecordTip(m_record, m_level, tooltip);
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_record) != FALSE;
    if (m_added && m_level > 0) {
        m_record.uVersion = NOTIFYICON_VERSION;
        ::Shell_NotifyIconW(NIM_SETVERSION, &m_record);
    }
    return m_added;
}

LRESULT CTrayNotifyIcon::OnTaskbarCreated(WPARAM, LPARAM)
{
    if (!m_record.hWnd)
        return 0;  // never created
    if (m_added)
        ::Shell_NotifyIconW(NIM_DELETE, &m_record);
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_record) != FALSE;
    return 0;
}

void CTrayNotifyIcon::SetDefaultMenuItem(UINT item, bool byCommand)
{
    m_defaultItem = item;
    m_defaultByCommand = byCommand;
    ApplyDefaultItem();
}

void CTrayNotifyIcon::ApplyDefaultItem()
{
    HMENU popup = m_menu ? ::GetSubMenu(m_menu, 0) : nullptr;
    if (popup)
        ::SetMenuDefaultItem(popup, m_defaultItem, m_defaultByCommand ? FALSE : TRUE);
}

int CTrayNotifyIcon::OnTrayNotification(UINT iconId, UINT message, POINT point)
{
    if (iconId != kTrayIconId)
        return 0;
    if (message != WM_RBUTTONUP)
        return 1;
    HMENU popup = m_menu ? ::GetSubMenu(m_menu, 0) : nullptr;
    HWND owner = m_owner ? m_owner->GetSafeHwnd() : nullptr;
    if (!popup || !owner)
        return 1;
    // The menu closes when the user clicks elsewhere only if its owner is
    // in the foreground, and only after a message follows the tracking.
    ::SetForegroundWindow(owner);
    {
        CMenuWatch watch;
        ::TrackPopupMenu(popup, TPM_LEFTBUTTON, point.x, point.y, 0, owner, nullptr);
    }
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return 1;
}

int CTrayNotifyIcon::OnTrayNotification(UINT iconId, UINT message)
{
    POINT point{};
    ::GetCursorPos(&point);
    return OnTrayNotification(iconId, message, point);
}

bool CTrayNotifyIcon::SetTooltip(const wchar_t* tip)
{
    if (!m_added)
        return false;
    m_record.uFlags = NIF_TIP;
    SetRecordTip(m_record, m_level, tip);
    return ::Shell_NotifyIconW(NIM_MODIFY, &m_record) != FALSE;
}
