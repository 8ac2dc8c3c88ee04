// The key assignment page: a function for each of the twelve thumb-grid
// keys, the grid's number-row or keypad layout, and the keys on or off.
#pragma once
#include "AssignPageBase.h"
#include "BitmapBtn.h"

class CAssignKeysPage : public CAssignPageBase {
public:
    explicit CAssignKeysPage(IPageHost& host);

    void Bind(const PageLists& lists) override;
    void Fill() override { Refresh(); }
    void Refresh() override;
    bool OnCommand(const Command& command) override;

    // 0 number row, 1 keypad; not an edit of the profile (nothing unsaved).
    void SetLayout(int layout);
    // The keys-off button was pressed.
    void ToggleKeysOff();

private:
    void ShowLayoutButtons();

    CBitmapBtn* m_numberRow = nullptr;  // BUTTON_KEYASSIGN_123NUM_123
    CBitmapBtn* m_keypad = nullptr;     // BUTTON_KEYASSIGN_123NUM_NUM
    CBitmapBtn* m_keysOff = nullptr;    // BUTTON_DISABLE_KEYS
};
