#include "SingleKeyPopup.h"

#include "AssignmentRecord.h"
#include "ItemLookup.h"
#include "ItemIds.h"
#include "WidgetMessages.h"

BEGIN_MESSAGE_MAP(CVeskPopupBoxSingleKeyEntry, CVeskPopup)
    ON_MESSAGE(WM_ITEM_VALUE_CHOSEN, OnValueChosen)
END_MESSAGE_MAP()

ModifierBoxes ModifierBoxesOf(uint8_t flags)
{
    ModifierBoxes b;
    b.shift = (flags & kModShift) != 0;
    b.ctrl = (flags & kModCtrl) != 0;
    b.alt = (flags & kModAlt) != 0;
    return b;
}

CVeskPopupBoxSingleKeyEntry::CVeskPopupBoxSingleKeyEntry(CWnd* parent, SingleKeyResult* result, UINT templateId)
    : CVeskPopup(templateId, L"SingleKeyPopup.xml", parent), m_result(result)
{
    if (m_result)
        *m_result = SingleKeyResult();
}

void CVeskPopupBoxSingleKeyEntry::BindItems()
{
    m_edit = FindTypedItem<CEditItemSingleKeyInputMMO>(&m_items, EDITCTRL_POPUP_SINGLEKEYENTRY, ITEM_EDITSINGLEKEY);
    const int boxes[3] = {BUTTON_CHKBOX_SLCT_SHIFT, BUTTON_CHKBOX_SLCT_CTRL, BUTTON_CHKBOX_SLCT_ALT};
    const int texts[3] = {TEXT_SLCT_SHIFT, TEXT_SLCT_CTRL, TEXT_SLCT_ALT};
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = FindTypedItem<CBitmapBtn>(&m_items, boxes[i], ITEM_BITMAPBTN);
        m_texts[i] = FindTypedItem<CTextItem>(&m_items, texts[i], ITEM_TEXT);
    }
    m_ok = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_POPUP_OK, ITEM_BITMAPBTN);
    m_cancel = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_POPUP_CANCEL, ITEM_BITMAPBTN);
}

BOOL CVeskPopupBoxSingleKeyEntry::OnInitDialog()
{
    CVeskPopup::OnInitDialog();
    if (!m_background)
        return FALSE;  // ended: the file could not be read
    // The boxes only show what was captured: a click must not change them.
    for (CBitmapBtn* box : m_boxes)
        if (box)
            box->m_toggleOnClick = 0;
    ShowModifiers(0);
    if (m_ok)
        m_ok->EnableWindow(FALSE);
    // Keys go to the capture edit. Only a modal run takes the focus: a
    // modeless popup must not pull the activation from its owner.
    if (m_edit && IsModal()) {
        m_edit->SetFocus();
        return FALSE;
    }
    return TRUE;
}

void CVeskPopupBoxSingleKeyEntry::ShowModifiers(uint8_t flags)
{
    ModifierBoxes b = ModifierBoxesOf(flags);
    const bool on[3] = {b.shift, b.ctrl, b.alt};
    for (int i = 0; i < 3; ++i) {
        if (m_boxes[i] && m_boxes[i]->IsSelected() != on[i]) {
            m_boxes[i]->SetSelected(on[i]);
            m_boxes[i]->Invalidate(FALSE);
        }
        if (m_texts[i]) {
            m_texts[i]->SetSelected(on[i]);
            m_texts[i]->RedrawInParent();
        }
    }
}

LRESULT CVeskPopupBoxSingleKeyEntry::OnValueChosen(WPARAM, LPARAM)
{
    if (!m_edit)
        return 0;
    // The flags are taken as reported: the capture clears a modifier's bit
    // once it is released, after the key was reported with it.
    m_captured.scanCode = m_edit->CapturedScanCode();
    m_captured.virtualKey = m_edit->CapturedVirtualKey();
    uint8_t old = m_captured.flags;
    m_captured.flags = m_edit->CapturedFlags();
    if (m_ok)
        m_ok->EnableWindow(TRUE);
    if (old != m_captured.flags)
        ShowModifiers(m_captured.flags);
    return 0;
}

BOOL CVeskPopupBoxSingleKeyEntry::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        m_keyMark = true;
    else if (msg->message == WM_LBUTTONDOWN)
        m_keyMark = false;  // before the click reaches OK or Cancel
    return CVeskPopup::PreTranslateMessage(msg);
}

void CVeskPopupBoxSingleKeyEntry::OnPopupOK()
{
    if (m_keyMark)
        return;
    CString text;
    if (m_edit)
        m_edit->GetWindowText(text);
    bool modifier = (m_captured.flags & (kModShift | kModCtrl | kModAlt)) != 0;
    if (text.IsEmpty() && !modifier)
        return;
    if (m_result) {
        *m_result = m_captured;
        m_result->text = text;
    }
    EndDialog(IDOK);
}

void CVeskPopupBoxSingleKeyEntry::OnPopupCancel()
{
    if (m_keyMark)
        return;
    if (m_result)
        *m_result = SingleKeyResult();
    EndDialog(IDCANCEL);
}

namespace {
SingleKeyPopupRunner g_runner = nullptr;
}

void SetSingleKeyPopupRunner(SingleKeyPopupRunner runner)
{
    g_runner = runner;
}

bool RunSingleKeyPopup(CWnd* owner, SingleKeyResult& result)
{
    result = SingleKeyResult();
    if (g_runner)
        return g_runner(owner, result);
    CVeskPopupBoxSingleKeyEntry popup(owner, &result);
    return popup.DoModal() == IDOK;
}
