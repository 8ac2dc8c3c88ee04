// The common popups on the real skin files: headings with data texts, a
// missing file, the name and number entries, and the splash's frames.
#include <gtest/gtest.h>

#include <set>

#include "ItemIds.h"
#include "ItemLookup.h"
#include "LangTable.h"
#include "NameEntryPopup.h"
#include "NumEntryPopup.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SplashPopup.h"
#include "TreeCapture.h"
#include "WarningPopup.h"
#include "resource.h"

namespace {

class Popups : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(200, 100, L"popup owner"));
        LoadSkinPage(&language, L"Language.xml", nullptr, false);
        SelectLanguage(0);
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        language.DeleteAll();
    }
    template <class T>
    T* Item(CGUIPanel& popup, int id, int type)
    {
        return FindTypedItem<T>(&popup.Items(), id, type);
    }
    void Click(CGUIPanel& popup, int id)
    {
        CGUIItem* item = popup.Items().FindById(id);
        ASSERT_TRUE(item && item->HasWindow());
        popup.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)item->m_window);
    }
    void Type(CEditItem* edit, const wchar_t* text)
    {
        for (const wchar_t* c = text; *c; ++c)
            edit->SendMessage(WM_CHAR, *c, 1);
    }

    CRecordingWnd owner;
    CGUIItems language;
};

}  // namespace

TEST_F(Popups, WarningHeadingTakesTheDataTextOrItsReplacement)
{
    CVeskWarningDlg plain(&owner, L"ConfirmDeletePopup.xml");
    ASSERT_TRUE(plain.Create(IDD_POPUP_PANEL, &owner));
    ASSERT_NE(nullptr, plain.Heading());
    CString skinHeading = plain.Heading()->GetText();
    EXPECT_FALSE(skinHeading.IsEmpty());
    plain.DestroyWindow();

    CVeskWarningDlg named(&owner, L"ConfirmDeletePopup.xml", L": Work");
    ASSERT_TRUE(named.Create(IDD_POPUP_PANEL, &owner));
    EXPECT_EQ(skinHeading + L": Work", named.Heading()->GetText());
    named.ShowWindow(SW_SHOWNOACTIVATE);
    SaveTreeCapture(named.m_hWnd, L"veskapp_popup_confirm_delete");
    Click(named, BUTTON_POPUP_CANCEL);
    named.DestroyWindow();

    CVeskWarningDlg replaced(&owner, L"ProfileLimitReachedPopup.xml");
    replaced.SetHeading(L"$ImportProfile");
    ASSERT_TRUE(replaced.Create(IDD_POPUP_PANEL, &owner));
    EXPECT_EQ(TranslateText(L"$ImportProfile"), replaced.Heading()->GetText());
    replaced.DestroyWindow();
}

TEST_F(Popups, AMissingPopupFileEndsAtOnceAsCancel)
{
    EXPECT_EQ(IDCANCEL, RunWarningPopup(&owner, L"NoSuchPopup.xml"));
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

TEST_F(Popups, NameEntryStartsEmptyTakesTwentyCharactersAndShowsTheOldName)
{
    CString result = L"stale";
    CKyrthNameEntryPopup popup(&owner, L"Work", &result);
    ASSERT_TRUE(popup.Create(IDD_POPUP_SPLASH, &owner));
    auto* edit = Item<CEditItem>(popup, EDITCTRL_POPUP_NAMEENTRY, ITEM_EDIT);
    auto* heading = Item<CTextItem>(popup, TEXT_WARNDLG_HEADING, ITEM_TEXT);
    ASSERT_TRUE(edit && heading);
    EXPECT_EQ(0, edit->GetWindowTextLength());
    EXPECT_EQ(L": Work", heading->GetText().Right(6));
    Type(edit, L"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(CString(L"abcdefghijklmnopqrst"), edit->GetWindowText());
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    SaveTreeCapture(popup.m_hWnd, L"veskapp_popup_rename");
    Click(popup, BUTTON_POPUP_OK);
    EXPECT_EQ(CString(L"abcdefghijklmnopqrst"), result);
    popup.DestroyWindow();

    CString none = L"stale";
    CVeskNameEntryPopup empty(&owner, L"ProfileNamePopup.xml", &none);
    ASSERT_TRUE(empty.Create(IDD_POPUP_SPLASH, &owner));
    Click(empty, BUTTON_POPUP_OK);
    EXPECT_TRUE(none.IsEmpty());
    empty.DestroyWindow();
}

TEST_F(Popups, NumberEntryKeepsItsRangeAndReadsEmptyAsZero)
{
    int value = -1;
    CKyrthNumEntryPopup popup(&owner, L"MacroRepeatEntryPopup.xml", 1, 255, &value);
    ASSERT_TRUE(popup.Create(IDD_POPUP_PANEL, &owner));
    auto* edit = Item<CEditItem>(popup, EDITCTRL_POPUP_NUMENTRY, ITEM_EDIT);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(1, edit->m_digitsOnly);
    EXPECT_EQ(1, edit->m_minValue);
    EXPECT_EQ(255, edit->m_maxValue);
    Click(popup, BUTTON_POPUP_OK);
    EXPECT_EQ(0, value);
    edit->SetWindowText(L"99999");  // not typed: still clamped to what the device keeps
    Click(popup, BUTTON_POPUP_OK);
    EXPECT_EQ(255, value);
    popup.DestroyWindow();
}

// The keys as the modal loop hands them to the dialog manager: Enter does
// what OK does, Escape cancels and leaves the caller's value.
TEST_F(Popups, EnterInAnEntryTakesTheTextAsOkDoesAndEscapeCancels)
{
    auto press = [](CGUIPanel& popup, HWND focus, WPARAM key) {
        MSG msg{focus, WM_KEYDOWN, key, 1};
        return ::IsDialogMessageW(popup.m_hWnd, &msg) != FALSE;
    };
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        CString name = L"stale";
        CVeskNameEntryPopup popup(&owner, L"ProfileNamePopup.xml", &name);
        ASSERT_TRUE(popup.Create(IDD_POPUP_SPLASH, &owner));
        auto* edit = Item<CEditItem>(popup, EDITCTRL_POPUP_NAMEENTRY, ITEM_EDIT);
        ASSERT_NE(nullptr, edit);
        Type(edit, L"Work");
        EXPECT_TRUE(press(popup, edit->m_hWnd, key));
        EXPECT_EQ(CString(key == VK_RETURN ? L"Work" : L"stale"), name);
        popup.DestroyWindow();

        int count = -1;
        CKyrthNumEntryPopup number(&owner, L"MacroRepeatEntryPopup.xml", 1, 255, &count);
        ASSERT_TRUE(number.Create(IDD_POPUP_PANEL, &owner));
        auto* digits = Item<CEditItem>(number, EDITCTRL_POPUP_NUMENTRY, ITEM_EDIT);
        ASSERT_NE(nullptr, digits);
        Type(digits, L"12");
        EXPECT_TRUE(press(number, digits->m_hWnd, key));
        EXPECT_EQ(key == VK_RETURN ? 12 : -1, count);
        number.DestroyWindow();
    }
}

TEST_F(Popups, SplashCyclesThroughItsTenFrames)
{
    CKyrthSplashScreenDialog splash(&owner);
    ASSERT_TRUE(splash.Create(IDD_POPUP_SPLASH, &owner));
    std::set<int> seen;
    bool wrapped = PumpUntil([&] {
        int before = splash.Frame();
        seen.insert(before);
        return seen.size() == 10 && before == 0;
    });
    EXPECT_TRUE(wrapped);
    for (int i = 0; i < 10; ++i) {
        CGUIItem* frame = splash.Items().FindById(BITMAP_LOADING1 + i);
        ASSERT_NE(nullptr, frame);
        bool visible = (::GetWindowLongPtrW(frame->m_window, GWL_STYLE) & WS_VISIBLE) != 0;
        EXPECT_EQ(i == splash.Frame(), visible) << i;
    }
    splash.DestroyWindow();
}
