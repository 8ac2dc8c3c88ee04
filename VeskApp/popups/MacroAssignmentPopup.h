// CKyrthMacroAssignmentPopup: the popup in which a button's macro and the way
// it plays are chosen: a drop-down of the macro names and four play-mode
// buttons that act as one choice.
#pragma once
#include "resource.h"
#include <vector>

#include "BitmapBtn.h"
#include "DropdownListItem.h"
#include "VeskPopup.h"

// Play modes as a record stores them (values, not bits).
enum MacroPlayMode : int {
    kPlayOnce = 1,
    kPlayRepeat = 2,       // a given number of times
    kPlayUntilPressed = 3, // until the button is pressed again
    kPlayWhilePressed = 4,
};

struct MacroChoice {
    std::vector<CString> names;  // offered, in configuration order
    CString name;                // in: preselected (may be empty); out: chosen
    int mode = kPlayOnce;        // in: preselected; out: chosen
};

class CKyrthMacroAssignmentPopup : public CVeskPopup {
public:
    static constexpr UINT kTemplate = IDD_POPUP_PANEL;

    CKyrthMacroAssignmentPopup(CWnd* parent, MacroChoice* choice, UINT templateId = kTemplate);

    void BindItems() override;
    BOOL OnInitDialog() override;

    int Mode() const { return m_mode; }

    CDropdownListItem* m_list = nullptr;
    CBitmapBtn* m_modeButtons[4] = {};  // once, several times, while pressed, until pressed again
    CBitmapBtn* m_ok = nullptr;
    CBitmapBtn* m_cancel = nullptr;

protected:
    bool OnItemCommand(CGUIItem* item, UINT code) override;
    void OnPopupOK() override;

private:
    void SelectMode(int mode);

    MacroChoice* m_choice;
    int m_mode = 0;  // 0: no button selected
};

// Runs the popup modally over owner; true when it ended with OK.
bool RunMacroAssignmentPopup(CWnd* owner, MacroChoice& choice);
// Tests answer in place of the modal popup; null restores it.
using MacroAssignmentPopupRunner = bool (*)(CWnd* owner, MacroChoice& choice);
void SetMacroAssignmentPopupRunner(MacroAssignmentPopupRunner runner);

// The play mode behind each of the four buttons, in button order.
extern const int kMacroModeOfButton[4];
