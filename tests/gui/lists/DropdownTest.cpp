// The drop-down choice box and the colour box against a recording page, with
// the list-panel pop-up and the colour dialog scripted through their seams.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include "Capture.h"
#include "DropdownColorButton.h"
#include "DropdownListItem.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

namespace {

ListPanelPopupResult g_answer;
ListPanelPopupRequest g_asked;
int g_popups = 0;
ListPanelPopupResult Scripted(const ListPanelPopupRequest& r)
{
    ++g_popups;
    g_asked = r;
    return g_answer;
}

struct DropdownFixture : ::testing::Test {
    CRecordingWnd page;
    CDropdownListItem box;
    CListPanelItem levels;

    void SetUp() override
    {
        ASSERT_TRUE(page.CreateTopLevel(300, 200));
        ASSERT_TRUE(box.Create(&page, RECT{10, 10, 190, 32}, 42));
        box.m_listHeight = 90;
        levels.SetRows({ListPanelEntry(L"Low"), ListPanelEntry(L"High")});
        box.AddString(L"Plain");
        box.AddString(L"Level", &levels);
        SetListPanelPopupRunner(&Scripted);
        g_popups = 0;
    }
    void TearDown() override { SetListPanelPopupRunner(nullptr); }
    void Click() { box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
};

}  // namespace

TEST_F(DropdownFixture, ChoiceWithSubChoiceShowsBoth)
{
    g_answer = {1, 1};
    Click();
    LPARAM h = (LPARAM)box.GetSafeHwnd();
    std::vector<RecordedMsg> expected = {{WM_DROPDOWN_CLICKED, 0, h}, {WM_DROPDOWN_SELECTED, 1, h}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    CString display;
    EXPECT_EQ(1, box.GetCurSelText(display));
    EXPECT_STREQ(L"High", display);
    // Under the box, as wide as it, the configured height.
    RECT wr{};
    box.GetWindowRect(&wr);
    EXPECT_EQ(wr.bottom, g_asked.screenRect.top);
    EXPECT_EQ(wr.right - wr.left, g_asked.screenRect.right - g_asked.screenRect.left);
    EXPECT_EQ(90, g_asked.screenRect.bottom - g_asked.screenRect.top);
    EXPECT_FALSE(box.IsOpen());
    box.m_textColour = 0xFFFFFF;
    box.m_backColour = 0x202020;
    box.m_leftMargin = 4;
    SaveCapture(box, L"lists_dropdown_subchoice");
}

TEST_F(DropdownFixture, DismissOrEmptySubChoiceSelectsNothing)
{
    g_answer = {-1, -1};
    Click();
    g_answer = {1, -1};  // the sub-list reported none
    Click();
    EXPECT_EQ(2, page.Count(WM_DROPDOWN_CLICKED));
    EXPECT_EQ(0, page.Count(WM_DROPDOWN_SELECTED));
    EXPECT_EQ(-1, box.GetCurSel());
}

TEST_F(DropdownFixture, DisabledBoxDoesNotOpen)
{
    box.SetDisabled(true);
    g_answer = {0, -1};
    Click();
    EXPECT_EQ(0, g_popups);
    EXPECT_TRUE(page.Log().empty());
}

TEST_F(DropdownFixture, EntryBookkeeping)
{
    EXPECT_EQ(-1, box.GetCurSel());  // empty current text
    EXPECT_EQ(0, box.SetCurSel(2));  // past the end: nothing
    EXPECT_STREQ(L"", box.CurrentText());
    EXPECT_FALSE(box.InsertString(3, L"far"));  // would write past the entries
    EXPECT_FALSE(box.InsertString(-1, L"neg"));
    EXPECT_TRUE(box.InsertString(2, L"End"));
    EXPECT_TRUE(box.InsertString(0, L"First"));
    EXPECT_EQ(4, box.GetCount());
    EXPECT_STREQ(L"End", box.GetItemText(3));
    EXPECT_STREQ(L"", box.GetItemText(4));
    EXPECT_EQ(1, box.SetCurSel(3));
    EXPECT_EQ(3, box.GetCurSel());
    box.ClearCurSel();
    EXPECT_EQ(-1, box.GetCurSel());
    EXPECT_STREQ(L"", box.CurrentText());
    box.ResetContent();
    EXPECT_EQ(0, box.GetCount());
}

namespace {

bool g_dialogOk = false;
COLORREF g_dialogColour = 0;
COLORREF g_dialogInitial = 0;
DWORD g_dialogFlags = 0;
bool ScriptedDialog(CWnd*, COLORREF initial, DWORD flags, COLORREF& chosen)
{
    g_dialogInitial = initial;
    g_dialogFlags = flags;
    chosen = g_dialogColour;
    return g_dialogOk;
}

struct ColorBoxFixture : ::testing::Test {
    CRecordingWnd page;
    CDropdownColorButton box;

    void SetUp() override
    {
        ASSERT_TRUE(page.CreateTopLevel(300, 200));
        ASSERT_TRUE(box.Create(&page, RECT{10, 10, 110, 30}, 51));
        box.SetColor(0x0000FF);
        SetColorDialogRunner(&ScriptedDialog);
    }
    void TearDown() override { SetColorDialogRunner(nullptr); }
    CFOPopupColorPaletteWnd& Open()
    {
        box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_NE(nullptr, box.Popup());
        box.Popup()->m_chooseOnDeactivate = false;
        page.Clear();
        return *box.Popup();
    }
    void ClickCell(CFOPopupColorPaletteWnd& p, int k)
    {
        const RECT& r = p.Control()->Cell(k).m_rect;
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        p.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        p.SendMessage(WM_LBUTTONUP, 0, at);
    }
    void ClickCustom(CFOPopupColorPaletteWnd& p)
    {
        const RECT& r = p.Control()->CustomRect();
        LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
        p.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        p.SendMessage(WM_LBUTTONUP, 0, at);
        p.Control()->OnDeactivated();  // what the hide brings about
    }
    void Settle()
    {
        PumpPending();
        PumpUntil([] { return false; }, 100);
    }
};

}  // namespace

TEST_F(ColorBoxFixture, ChoosingAnotherColourTellsThePage)
{
    EXPECT_EQ(ITEM_DROPDOWNCOLOR, box.m_type);
    CFOPopupColorPaletteWnd& p = Open();
    EXPECT_TRUE(box.PaletteOpen());
    ClickCell(p, 20);  // green
    Settle();
    std::vector<RecordedMsg> expected = {{WM_ITEM_VALUE_CHOSEN, 0x00FF00, 51}, {WM_COLORPALETTE_SELECT, 0, 0x00FF00}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    EXPECT_EQ(0x00FF00u, box.GetColor());
    EXPECT_EQ(nullptr, box.Popup());
    EXPECT_FALSE(box.PaletteOpen());
    SaveCapture(box, L"lists_colorbox_green");
}

TEST_F(ColorBoxFixture, ChoosingTheShownColourSendsNoValue)
{
    CFOPopupColorPaletteWnd& p = Open();
    ClickCell(p, 17);  // red, what the box shows
    Settle();
    EXPECT_EQ(0, page.Count(WM_ITEM_VALUE_CHOSEN));
    EXPECT_EQ(1, page.Count(WM_COLORPALETTE_SELECT));
}

TEST_F(ColorBoxFixture, ArrowPreviewsReachThePageLive)
{
    CFOPopupColorPaletteWnd& p = Open();
    p.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    Settle();
    COLORREF next = kPaletteColours[18];
    // The value is sent at once; the preview post arrives after it.
    std::vector<RecordedMsg> expected = {{WM_ITEM_VALUE_CHOSEN, next, 51}, {WM_COLORPALETTE_SELECT, 100, (LPARAM)next}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    EXPECT_EQ(next, box.GetColor());
    EXPECT_NE(nullptr, box.Popup());  // still open
    p.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    Settle();
    EXPECT_EQ(1, page.Count(WM_ITEM_VALUE_CHOSEN));  // the box shows it already
    EXPECT_EQ(nullptr, box.Popup());
}

TEST_F(ColorBoxFixture, CustomCancelKeepsPaletteColourAndReportsCancel)
{
    g_dialogOk = false;
    CFOPopupColorPaletteWnd& p = Open();
    ClickCustom(p);
    Settle();
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_CANCEL, 0x0000FF, 51}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    EXPECT_EQ(0x0000FFu, g_dialogInitial);
    EXPECT_EQ((DWORD)(CC_FULLOPEN | CC_ANYCOLOR), g_dialogFlags);
    EXPECT_EQ(nullptr, box.Popup());
}

TEST_F(ColorBoxFixture, CustomOkIsAFinalChoice)
{
    g_dialogOk = true;
    g_dialogColour = 0x123456;
    CFOPopupColorPaletteWnd& p = Open();
    ClickCustom(p);
    Settle();
    // Exactly one choice: the pending custom request is not overtaken.
    std::vector<RecordedMsg> expected = {{WM_ITEM_VALUE_CHOSEN, 0x123456, 51}, {WM_COLORPALETTE_SELECT, 0, 0x123456}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    EXPECT_EQ(0x123456u, box.GetColor());
    EXPECT_EQ(0x123456u, box.LastChosen());
}
