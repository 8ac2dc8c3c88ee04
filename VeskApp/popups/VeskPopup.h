// CVeskPopup: the base of the configurator's skinned modal popups. It
// centres the popup over its owner and routes clicks by window (skin
// buttons have control id 0): BUTTON_POPUP_OK ends with IDOK,
// BUTTON_POPUP_CANCEL with IDCANCEL, anything else goes to OnItemCommand.
// Enter does what the OK button does (an entry popup keeps what was typed);
// Escape cancels.
#pragma once
#include "GUIPanel.h"

class CVeskPopup : public CPopupBox {
public:
    CVeskPopup(UINT templateId, const wchar_t* pageFile, CWnd* owner) : CPopupBox(templateId, pageFile, owner) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enter (IDOK from the dialog manager).
    void OnOK() override { OnPopupOK(); }

protected:
    // A click on an item other than OK and Cancel; true when handled.
    virtual bool OnItemCommand(CGUIItem* item, UINT code) { return false; }
    // OK and Cancel; the defaults end the popup.
    virtual void OnPopupOK() { EndDialog(IDOK); }
    virtual void OnPopupCancel() { EndDialog(IDCANCEL); }
};

// Centres a window over its owner (the screen's work area without one),
// kept on the screen.
void CenterOverOwner(HWND window);
