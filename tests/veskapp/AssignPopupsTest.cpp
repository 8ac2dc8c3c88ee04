// The single-key, macro-selection and stages popups over the skin's files:
// what the capture lights, Escape and Enter taken as keys, what OK and
// Cancel hand back, the play-mode buttons acting as one choice, and the
// stages popup's items bound to its rules.
#include <gtest/gtest.h>

#include "AssignmentRecord.h"
#include "LangTable.h"
#include "MacroAssignmentPopup.h"
#include "RecordingWnd.h"
#include "SingleKeyPopup.h"
#include "SkinLoader.h"
#include "StagesPopup.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"

namespace {

RAWKEYBOARD Key(USHORT scan, USHORT vk, bool up)
{
    RAWKEYBOARD k{};
    k.MakeCode = scan;
    k.VKey = vk;
    k.Flags = up ? RI_KEY_BREAK : RI_KEY_MAKE;
    return k;
}

void Click(CWnd& popup, CWnd* button)
{
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button->m_hWnd);
}

BOOL Translate(CWnd& popup, HWND target, UINT message, WPARAM w)
{
    MSG msg{target, message, w, 0, 0, {}};
    return popup.PreTranslateMessage(&msg);
}

// The popups' skin files in English.
class AssignPopups : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
        SelectLanguage(0);
    }
    void TearDown() override { language.DeleteAll(); }
    CGUIItems language;
};

}  // namespace

TEST_F(AssignPopups, SingleKeyLightsTheModifiersReportedAndHandsBackTheKey)
{
    SingleKeyResult result;
    result.text = L"stale";
    CVeskPopupBoxSingleKeyEntry popup(nullptr, &result, 0);
    EXPECT_TRUE(result.text.IsEmpty());  // emptied before it opens
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_NE(nullptr, popup.m_edit);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(nullptr, popup.m_boxes[i]);
        EXPECT_FALSE(popup.m_boxes[i]->IsSelected());
    }
    EXPECT_FALSE(popup.m_ok->IsWindowEnabled());
    Click(popup, popup.m_ok);  // nothing captured: stays open
    EXPECT_TRUE(popup.IsWindowVisible());

    // Ctrl, F5 down and up, Ctrl up: the Ctrl box (flag 4) lights and stays.
    popup.m_edit->HandleRawKey(Key(0x1D, VK_CONTROL, false));
    popup.m_edit->HandleRawKey(Key(0x3F, VK_F5, false));
    popup.m_edit->HandleRawKey(Key(0x3F, VK_F5, true));
    popup.m_edit->HandleRawKey(Key(0x1D, VK_CONTROL, true));
    EXPECT_TRUE(popup.m_ok->IsWindowEnabled());
    EXPECT_FALSE(popup.m_boxes[0]->IsSelected());
    EXPECT_TRUE(popup.m_boxes[1]->IsSelected());
    EXPECT_FALSE(popup.m_boxes[2]->IsSelected());
    popup.UpdateWindow();
    EXPECT_TRUE(SaveTreeCapture(popup.m_hWnd, L"veskapp_single_key_popup"));

    // Escape as a key to capture: the dialog's Cancel does nothing until a click.
    EXPECT_FALSE(popup.KeyBeingCaptured());
    Translate(popup, popup.m_edit->m_hWnd, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(popup.KeyBeingCaptured());
    popup.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(popup.IsWindowVisible());
    Translate(popup, popup.m_ok->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(popup.KeyBeingCaptured());

    Click(popup, popup.m_ok);
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(0x3F, result.scanCode);
    EXPECT_EQ(VK_F5, result.virtualKey);
    EXPECT_EQ(kModCtrl, result.flags);
    EXPECT_EQ(popup.m_edit->GetWindowText(), result.text);
    EXPECT_FALSE(result.text.IsEmpty());
    popup.DestroyWindow();
}

TEST_F(AssignPopups, SingleKeyAltAloneIsAKeyAndCancelEmptiesTheResult)
{
    SingleKeyResult result;
    CVeskPopupBoxSingleKeyEntry popup(nullptr, &result, 0);
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    ASSERT_NE(nullptr, popup.m_edit);
    popup.m_edit->HandleRawKey(Key(0x38, VK_MENU, false));
    EXPECT_TRUE(popup.m_boxes[2]->IsSelected());  // flag 2 is Alt
    EXPECT_FALSE(popup.m_boxes[1]->IsSelected());
    popup.m_edit->HandleRawKey(Key(0x38, VK_MENU, true));
    Translate(popup, popup.m_edit->m_hWnd, WM_KEYDOWN, VK_RETURN);
    popup.SendMessage(WM_COMMAND, IDOK, 0);  // Enter was a key, not OK
    EXPECT_TRUE(result.text.IsEmpty() && result.flags == 0);
    Translate(popup, popup.m_ok->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON);
    Click(popup, popup.m_cancel);
    EXPECT_EQ(0, result.flags);
    EXPECT_EQ(0, result.scanCode);
    popup.DestroyWindow();

    SingleKeyResult alt;
    CVeskPopupBoxSingleKeyEntry again(nullptr, &alt, 0);
    ASSERT_TRUE(again.CreatePlain(nullptr, WS_POPUP));
    again.m_edit->HandleRawKey(Key(0x38, VK_MENU, false));
    again.m_edit->HandleRawKey(Key(0x38, VK_MENU, true));
    Click(again, again.m_ok);
    EXPECT_EQ(kModAlt, alt.flags);
    EXPECT_EQ(0, alt.scanCode);
    again.DestroyWindow();
}

TEST_F(AssignPopups, MacroSelectionPreselectsAndChoosesOneModeOfFour)
{
    MacroChoice choice;
    choice.names = {L"Alpha", L"Beta"};
    choice.name = L"beta";
    choice.mode = kPlayUntilPressed;
    CKyrthMacroAssignmentPopup popup(nullptr, &choice, 0);
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_NE(nullptr, popup.m_list);
    EXPECT_EQ(1, popup.m_list->GetCurSel());
    EXPECT_TRUE(popup.m_modeButtons[3]->IsSelected());
    EXPECT_EQ(kPlayUntilPressed, popup.Mode());

    Click(popup, popup.m_modeButtons[1]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i == 1, popup.m_modeButtons[i]->IsSelected()) << i;
    popup.UpdateWindow();
    EXPECT_TRUE(SaveTreeCapture(popup.m_hWnd, L"veskapp_macro_selection_popup"));
    Click(popup, popup.m_ok);
    EXPECT_EQ(CString(L"Beta"), choice.name);
    EXPECT_EQ(kPlayRepeat, choice.mode);
    popup.DestroyWindow();

    // Nothing preselected and no mode: OK gives no name and mode 1.
    MacroChoice none;
    none.names = {L"Alpha"};
    none.mode = 9;
    CKyrthMacroAssignmentPopup empty(nullptr, &none, 0);
    ASSERT_TRUE(empty.CreatePlain(nullptr, WS_POPUP));
    EXPECT_EQ(-1, empty.m_list->GetCurSel());
    Click(empty, empty.m_ok);
    EXPECT_TRUE(none.name.IsEmpty());
    EXPECT_EQ(kPlayOnce, none.mode);
    empty.DestroyWindow();
}

TEST_F(AssignPopups, StagesBindsTheSkinsItemsToTheStageRules)
{
    DpiStagesModel model;
    model.minimum = 100;
    model.maximum = 5600;
    model.step = 100;
    model.stageCount = 3;
    model.currentStage = 2;
    for (int i = 0; i < 5; ++i)
        model.stages.push_back(DpiStageEntry{800 * (i + 1), 800 * (i + 1), 400 * (i + 1), i == 1, i < 3, 0});
    model.stages[2].separateXY = 1;
    CVeskDPIStagesPopup popup(nullptr, &model, 0);
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    for (CDPIStageWindow* tile : popup.m_tiles)
        ASSERT_NE(nullptr, tile);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(nullptr, popup.m_sliders[i]);
        ASSERT_NE(nullptr, popup.m_tracks[i]);
    }
    ASSERT_TRUE(popup.m_ok && popup.m_cancel && popup.m_minus && popup.m_plus && popup.m_separateBox);
    EXPECT_EQ(16, popup.m_sliders[0]->GetValue());
    EXPECT_FALSE(popup.m_tiles[3]->IsWindowVisible());

    // A tile click, a slider in steps, the split, minus: all reach the model.
    popup.SendMessage(WM_DPISTAGE_SELECTED, 3, popup.m_tiles[2]->m_id);
    EXPECT_EQ(3, model.currentStage);
    EXPECT_TRUE(::IsWindowVisible(popup.m_tracks[1]->m_hWnd));
    popup.SendMessage(WM_SLIDER_CHANGING, 30, popup.m_thumbIds[2]);
    EXPECT_EQ(3000, model.stages[2].y);
    popup.UpdateWindow();
    EXPECT_TRUE(SaveTreeCapture(popup.m_hWnd, L"veskapp_stages_popup_separate"));
    Click(popup, popup.m_minus);
    EXPECT_EQ(2, model.stageCount);
    EXPECT_EQ(2, model.currentStage);
    Click(popup, popup.m_ok);
    EXPECT_FALSE(popup.IsWindowVisible());
    popup.DestroyWindow();
}
