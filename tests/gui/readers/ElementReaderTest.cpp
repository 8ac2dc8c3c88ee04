// What the element readers decide: parents, styles, limits, colours and
// references, each from a small page written by the test.
#include <gtest/gtest.h>

#include <string>

#include "BitmapBtn.h"
#include "EditItems.h"
#include "KeywordTables.h"
#include "PageItems.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "TextItems.h"

namespace {
class Readers : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildKeywordMaps();
        UnregisterRawInput();
        ASSERT_TRUE(owner.CreateTopLevel(400, 300));
        WriteBmp24(TestProgramFolder() + L"skins\\rd_pic.bmp", 60, 40, [](int, int) { return 0x204060u; });
    }
    void TearDown() override
    {
        items.DeleteAll();
        owner.DestroyWindow();
        UnregisterRawInput();
    }
    void Load(const std::string& lists)
    {
        ScopedTestProgramFolder folder;
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\readers.xml", "<ITEMLIST>" + lists + "</ITEMLIST>"));
        ASSERT_TRUE(LoadSkinPage(&items, L"readers.xml", &owner, false));
    }
    template <typename T>
    T* Item(const wchar_t* name, int type) { return FindPageItem<T>(items, name, type); }
    CRecordingWnd owner;
    CGUIItems items;
};
}  // namespace

TEST_F(Readers, MoveableBitmapItemTakesNoClicks)
{
    Load("<BITMAPLIST>"
         "<BITMAPITEM name='BITMAP_ICON_KOVU'><SBMN>rd_pic.bmp</SBMN><RECT left='0' top='0' right='30' bottom='20'/></BITMAPITEM>"
         "<BITMAPITEM name='BITMAP_ICON_NULL' moveable='0'><SBMN>rd_pic.bmp</SBMN><RECT left='0' top='30' right='30' bottom='20'/></BITMAPITEM>"
         "<BITMAPITEM name='NOT_AN_ITEM'><SBMN>rd_pic.bmp</SBMN></BITMAPITEM>"
         "</BITMAPLIST>");
    auto* fixed = Item<CBitmapItem>(L"BITMAP_ICON_KOVU", ITEM_BITMAP);
    auto* free = Item<CBitmapItem>(L"BITMAP_ICON_NULL", ITEM_BITMAP);
    ASSERT_TRUE(fixed && free);
    EXPECT_FALSE(fixed->IsWindowEnabled());
    EXPECT_TRUE(free->IsWindowEnabled());
    EXPECT_EQ(fixed->GetDlgCtrlID(), FindItemIdByName(L"BITMAP_ICON_KOVU"));
    EXPECT_EQ(items.Count(), 2u);
}

TEST_F(Readers, ButtonParentsCaptionColoursAndCheckBoxLinks)
{
    Load("<BITMAPLIST><BITMAPITEM name='BITMAP_ICON_KOVU' moveable='0'><SBMN>rd_pic.bmp</SBMN>"
         "<RECT left='0' top='0' right='200' bottom='100'/></BITMAPITEM></BITMAPLIST>"
         "<BUTTONLIST>"
         "<BUTTON name='BUTTON_OK' windowid='BITMAP_ICON_KOVU'><SBMN fontclr='RED'>rd_pic.bmp</SBMN>"
         "<RECT left='5' top='5' right='40' bottom='20'/></BUTTON>"
         "<BUTTON name='BUTTON_CANCEL' windowid='BUTTON_OK' caption='Go' caps='U'><SBMN fontclr='RED'>rd_pic.bmp</SBMN>"
         "<SBMO fontclr='NOCOLOUR'>rd_pic.bmp</SBMO><RECT left='5' top='30' right='40' bottom='20'/></BUTTON>"
         "<BUTTON name='BUTTON_APPLY' ischeckbox='Yes'><RECT left='5' top='60' right='20' bottom='20'/></BUTTON>"
         "</BUTTONLIST>"
         "<TEXTLIST>"
         "<TEXTITEM name='TEXT_CURRENTDPI' textkey='x' checkboxid='BUTTON_OK'/>"
         "<TEXTITEM name='TEXT_ACCELERATION' textkey='y' checkboxid='BUTTON_APPLY' justify='R'/>"
         "<TEXTITEM name='TEXT_DPI1' textkey='z' multiline='1'/>"
         "</TEXTLIST>");
    auto* ok = Item<CBitmapBtn>(L"BUTTON_OK", ITEM_BITMAPBTN);
    auto* cancel = Item<CBitmapBtn>(L"BUTTON_CANCEL", ITEM_BITMAPBTN);
    auto* apply = Item<CBitmapBtn>(L"BUTTON_APPLY", ITEM_BITMAPBTN);
    auto* board = Item<CBitmapItem>(L"BITMAP_ICON_KOVU", ITEM_BITMAP);
    ASSERT_TRUE(ok && cancel && apply && board);
    EXPECT_EQ(::GetParent(ok->m_hWnd), board->m_hWnd);
    EXPECT_EQ(::GetParent(cancel->m_hWnd), owner.m_hWnd);  // windowid of a button: the owner stays
    EXPECT_EQ(ok->m_colours.normal, 0u);                    // fontclr without caption is not read
    EXPECT_EQ(cancel->m_colours.normal, 0x0000FFu);
    EXPECT_EQ(cancel->m_colours.hover, 0u);                 // unknown colour: not given
    EXPECT_EQ(cancel->Caption(), L"GO");
    EXPECT_EQ(apply->m_isCheckBox, 1);
    EXPECT_EQ(ok->m_drawFormat, (UINT)(DT_EDITCONTROL | DT_MODIFYSTRING | DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER));

    auto* plain = Item<CTextItem>(L"TEXT_CURRENTDPI", ITEM_TEXT);
    auto* linked = Item<CTextItem>(L"TEXT_ACCELERATION", ITEM_TEXT);
    auto* multi = Item<CTextItem>(L"TEXT_DPI1", ITEM_TEXT);
    ASSERT_TRUE(plain && linked && multi);
    EXPECT_EQ(plain->CheckBox(), nullptr);
    EXPECT_EQ(linked->CheckBox(), apply);
    EXPECT_EQ(linked->m_drawFormat, (UINT)(DT_RIGHT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(multi->m_drawFormat, (UINT)DT_WORDBREAK);
    EXPECT_EQ(plain->m_drawFormat, 0u);
    EXPECT_FALSE(plain->GetStyle() & SS_NOTIFY);
}

TEST_F(Readers, EditAlignmentLimitsAndOneRawInputHolder)
{
    Load("<EDITCTRLLIST>"
         "<EDITCTRL name='EDITCTRL_POPUP_NAMEENTRY' justify='R' max='-5'><RECT left='5' top='5' right='80' bottom='20'/></EDITCTRL>"
         "<EDITCTRL name='EDITCTRL_POPUP_NUMENTRY' justify='C' max='0' bdrwidth='-3'><RECT left='5' top='40' right='80' bottom='20'/></EDITCTRL>"
         "<EDITCTRLSK name='EDITCTRL_DEFAULT_DELAY'><RECT left='5' top='80' right='80' bottom='20'/></EDITCTRLSK>"
         "<EDITCTRLSK name='EDITCTRL_INSERT_DELAY'><RECT left='5' top='120' right='80' bottom='20'/></EDITCTRLSK>"
         "</EDITCTRLLIST>");
    auto* name = Item<CEditItem>(L"EDITCTRL_POPUP_NAMEENTRY", ITEM_EDIT);
    auto* num = Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT);
    auto* first = Item<CEditItemSingleKeyInput>(L"EDITCTRL_DEFAULT_DELAY", ITEM_EDITSINGLEKEY);
    auto* second = Item<CEditItemSingleKeyInput>(L"EDITCTRL_INSERT_DELAY", ITEM_EDITSINGLEKEY);
    ASSERT_TRUE(name && num && first && second);
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD, {0, 0, 10, 10}, &owner, 1));
    EXPECT_EQ(name->GetLimitText(), plain.GetLimitText());
    EXPECT_EQ(num->GetLimitText(), plain.GetLimitText());
    EXPECT_FALSE(name->GetStyle() & (ES_CENTER | ES_RIGHT));
    EXPECT_TRUE(num->GetStyle() & ES_CENTER);
    EXPECT_EQ(num->m_borderWidth, 0);
    EXPECT_TRUE(first->GetStyle() & ES_CENTER);
    EXPECT_EQ(TheRawInputUsageList().Target(), first->m_hWnd);
}

TEST_F(Readers, KeysOfAListWhoseWindowIdIsNoBitmapItemBelongToTheOwner)
{
    Load("<BUTTONLIST><BUTTON name='BUTTON_OK'><RECT left='0' top='0' right='40' bottom='20'/></BUTTON></BUTTONLIST>"
         "<KBDKEYLIST windowid='BUTTON_OK'><BUTTONBITMAPS><SBMN>rd_pic.bmp</SBMN></BUTTONBITMAPS>"
         "<KBDKEY name='BUTTON_ASSNTHUMBGRID01' caption='K' tooltip='Tip'><RECT left='50' top='5' right='30' bottom='30'/></KBDKEY>"
         "</KBDKEYLIST>");
    auto* key = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID01", ITEM_KEYBOARDKEY);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(::GetParent(key->m_hWnd), owner.m_hWnd);
    EXPECT_EQ(key->Caption(), L"K");
    EXPECT_EQ(key->m_keyName, L"Tip");
    EXPECT_EQ(key->m_scanCode, -1);
}
