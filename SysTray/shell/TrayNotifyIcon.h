// The tray's one icon in the notification area: it adds, re-adds (when the
// shell restarts and broadcasts "TaskbarCreated") and removes the icon, and
// shows the context menu. The controller decides what a click means and
// owns the menu; the icon only shows it.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include "Menu.h"
#include "Wnd.h"

const UINT kTrayIconId = 129;
const UINT WM_TRAY_NOTIFY = WM_USER + 100;  // the icon's callback message
const UINT kTrayMenuId = 129;
const int kTrayTipChars = 127;

// The shell's generation, which decides the record size it understands:
// 3 for Vista and later, 2 and 1 for the shells of version 6 and 5, else 0.
int ShellVersionLevel();
// The NOTIFYICONDATAW size the shell of that level reads.
DWORD NotifyRecordSize(int level);
// Copies a tooltip into the record's field, cut to what the level shows.
void SetRecordTip(NOTIFYICONDATAW& record, int level, const wchar_t* tip);

class CTrayNotifyIcon : public CWnd {
public:
    CTrayNotifyIcon();
    ~CTrayNotifyIcon() override;

    // Loads the menu, makes the helper window and adds the icon; true when
    // the icon is in the notification area. The helper window exists even
    // when adding failed, so a shell that starts later gets the icon.
    bool Create(CWnd* owner, const wchar_t* tooltip, HICON icon);
    bool IsAdded() const { return m_added; }

    // The menu shown from now on (the caller keeps owning it), and its
    // default item: by command when byCommand, else by position.
    void SetMenu(HMENU menu) { m_menu = menu; }
    HMENU Menu() const { return m_menu; }
    void SetDefaultMenuItem(UINT item, bool byCommand);

    // A click on the icon; the right button's release shows the menu at
    // `point`. 0 for another icon's id.
    int OnTrayNotification(UINT iconId, UINT message, POINT point);
    int OnTrayNotification(UINT iconId, UINT message);

    // Replaces the tooltip of the added icon.
    bool SetTooltip(const wchar_t* tip);

    HWND HelperWindow() const { return m_hWnd; }
    const NOTIFYICONDATAW& Record() const { return m_record; }

protected:
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ApplyDefaultItem();

    NOTIFYICONDATAW m_record{};
    bool m_added = false;
    CWnd* m_owner = nullptr;
    CMenu m_ownMenu;         // the menu loaded at creation
    HMENU m_menu = nullptr;  // the menu shown: the own one or the controller's
    UINT m_defaultItem = 0;
    bool m_defaultByCommand = false;
    int m_level = 0;
};
