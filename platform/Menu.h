// CMenu: an owned HMENU with the calls menus need.
#pragma once
#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL Attach(HMENU h) { if (m_hMenu || !h) return FALSE; m_hMenu = h; return TRUE; }
    HMENU Detach() { HMENU h = m_hMenu; m_hMenu = nullptr; return h; }
    // Refused, before anything is made, while a menu is held.
    BOOL CreateMenu() { return !m_hMenu && Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return !m_hMenu && Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id) { return !m_hMenu && Attach(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))); }
    BOOL DestroyMenu() {
        if (!m_hMenu) return FALSE;
        return ::DestroyMenu(Detach());
    }
    BOOL AppendMenu(UINT flags, UINT_PTR idOrSub = 0, const wchar_t* text = nullptr) {
        return ::AppendMenuW(m_hMenu, flags, idOrSub, text);
    }
    BOOL InsertMenu(UINT pos, UINT flags, UINT_PTR idOrSub = 0, const wchar_t* text = nullptr) {
        return ::InsertMenuW(m_hMenu, pos, flags, idOrSub, text);
    }
    BOOL ModifyMenu(UINT pos, UINT flags, UINT_PTR idOrSub = 0, const wchar_t* text = nullptr) {
        return ::ModifyMenuW(m_hMenu, pos, flags, idOrSub, text);
    }
    BOOL RemoveMenu(UINT pos, UINT flags) { return ::RemoveMenu(m_hMenu, pos, flags); }
    BOOL DeleteMenu(UINT pos, UINT flags) { return ::DeleteMenu(m_hMenu, pos, flags); }
    UINT CheckMenuItem(UINT id, UINT check) { return (UINT)::CheckMenuItem(m_hMenu, id, check); }
    UINT EnableMenuItem(UINT id, UINT enable) { return (UINT)::EnableMenuItem(m_hMenu, id, enable); }
    BOOL SetDefaultItem(UINT item, BOOL byPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, item, byPos); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    HMENU GetSubMenu(int pos) const { return ::GetSubMenu(m_hMenu, pos); }
    // Returns the chosen command with TPM_RETURNCMD, else whether it succeeded.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect = nullptr) {
        return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
    }

    HMENU m_hMenu = nullptr;
};
