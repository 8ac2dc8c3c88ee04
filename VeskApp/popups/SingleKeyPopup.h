// CVeskPopupBoxSingleKeyEntry: the popup that captures one key with its
// modifiers for a "single key" assignment. The capture edit reports every
// key it takes; the popup lights the Shift, Ctrl and Alt boxes from the
// modifiers reported and hands the key back on OK.
#pragma once
#include "resource.h"
#include <cstdint>

#include "BitmapBtn.h"
#include "EditItems.h"
#include "TextItems.h"
#include "VeskPopup.h"

// What the popup hands back: the key's text as the edit showed it, its
// scan code and virtual key, and the modifier bits of an assignment record
// (bit 0 extended key, 1 Alt, 2 Ctrl, 3 Shift).
struct SingleKeyResult {
    CString text;
    uint16_t scanCode = 0;
    uint16_t virtualKey = 0;
    uint8_t flags = 0;
};

// Which boxes the capture's modifier flags light.
struct ModifierBoxes {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};
ModifierBoxes ModifierBoxesOf(uint8_t flags);

class CVeskPopupBoxSingleKeyEntry : public CVeskPopup {
public:
    static constexpr UINT kTemplate = IDD_POPUP_SPLASH;

    // result is emptied before the popup opens and filled on OK.
    CVeskPopupBoxSingleKeyEntry(CWnd* parent, SingleKeyResult* result, UINT templateId = kTemplate);

    void BindItems() override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Enter and Escape reach these too: while a key mark is set they do
    // nothing, the key went to the capture.
    void OnOK() override { OnPopupOK(); }
    void OnCancel() override { OnPopupCancel(); }

    // Escape or Enter went down as a key to capture, so the dialog's own
    // handling of them must not close the popup.
    bool KeyBeingCaptured() const { return m_keyMark; }

    CEditItemSingleKeyInputMMO* m_edit = nullptr;
    CBitmapBtn* m_boxes[3] = {};  // Shift, Ctrl, Alt
    CTextItem* m_texts[3] = {};
    CBitmapBtn* m_ok = nullptr;
    CBitmapBtn* m_cancel = nullptr;

protected:
    void OnPopupOK() override;
    void OnPopupCancel() override;
    LRESULT OnValueChosen(WPARAM, LPARAM);
    void ShowModifiers(uint8_t flags);
    DECLARE_MESSAGE_MAP()

private:
    SingleKeyResult* m_result;
    SingleKeyResult m_captured;
    bool m_keyMark = false;
};

// Runs the popup modally over owner with an emptied result; true when it
// ended with OK.
bool RunSingleKeyPopup(CWnd* owner, SingleKeyResult& result);
// Tests answer in place of the modal popup; null restores it.
using SingleKeyPopupRunner = bool (*)(CWnd* owner, SingleKeyResult& result);
void SetSingleKeyPopupRunner(SingleKeyPopupRunner runner);
