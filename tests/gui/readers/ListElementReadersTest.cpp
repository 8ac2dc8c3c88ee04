// The COMBO, COMBOCOLOR and LISTPANEL readers as the loader calls them.
#include <gtest/gtest.h>

#include "DropdownColorButton.h"
#include "DropdownListItem.h"
#include "KeywordTables.h"
#include "ListPanel.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"

namespace {

struct ReaderFixture : ::testing::Test {
    CRecordingWnd page;
    CGUIItems items;
    pugi::xml_document doc;

    void SetUp() override
    {
        BuildKeywordMaps();
        ASSERT_TRUE(page.CreateTopLevel(400, 300));
    }
    CGUIItem* Read(const wchar_t* xml)
    {
        EXPECT_TRUE(doc.load_string(xml));
        pugi::xml_node e = doc.first_child();
        SkinElementReader reader = ProgramSkinElements().Find(e.name());
        EXPECT_NE(nullptr, reader) << "no reader for this element";
        if (!reader) return nullptr;
        SkinElementContext c;
        c.owner = &page;
        c.items = &items;
        CGUIItem* item = reader(e, c);
        if (item) items.Append(item);
        return item;
    }
};

}  // namespace

TEST_F(ReaderFixture, ComboWithTrimmedItems)
{
    CGUIItem* item = Read(
        L"<COMBO name='COMBO' fontclr='RED' bdrwidth='2' lmargin='-3' sorted='1'>"
        L"<CLIST height='120'/><CBOX><RECT left='10' top='20' right='150' bottom='22'/></CBOX>"
        L"<COMBOITEMS><COMBOITEM>  First \n</COMBOITEM><COMBOITEM>\n\tSecond</COMBOITEM></COMBOITEMS></COMBO>");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_DROPDOWNLIST, item->m_type);
    auto* box = static_cast<CDropdownListItem*>(item);
    EXPECT_EQ(box->GetSafeHwnd(), item->m_window);
    EXPECT_EQ(FindItemIdByName(L"COMBO"), box->GetDlgCtrlID());
    ASSERT_EQ(2, box->GetCount());
    EXPECT_STREQ(L"First", box->GetItemText(0));
    EXPECT_STREQ(L"Second", box->GetItemText(1));
    EXPECT_EQ(0x0000FFu, box->m_textColour);
    EXPECT_EQ(2, box->m_borderWidth);
    EXPECT_EQ(0, box->m_leftMargin);  // negative values are not taken
    EXPECT_TRUE(box->m_sorted);
    EXPECT_EQ(120, box->m_listHeight);
    RECT r{};
    box->GetWindowRect(&r);
    EXPECT_EQ(150, r.right - r.left);
    EXPECT_EQ(22, r.bottom - r.top);
}

TEST_F(ReaderFixture, ComboWithoutListGivesNoItem)
{
    EXPECT_EQ(nullptr, Read(L"<COMBO name='COMBO'><CBOX><RECT left='0' top='0' right='50' bottom='20'/></CBOX></COMBO>"));
    EXPECT_EQ(nullptr, Read(L"<COMBOCOLOR name='DROPDOWN_MOUSE_COLOR'><CBOX/></COMBOCOLOR>"));
}

TEST_F(ReaderFixture, ColorComboArrowAndItems)
{
    CGUIItem* item = Read(
        L"<COMBOCOLOR name='DROPDOWN_MOUSE_COLOR' hasarrow='0' bdrclr='WHITE'><CLIST height='0'/>"
        L"<CBOX><RECT left='5' top='5' right='60' bottom='20'/></CBOX>"
        L"<COMBOITEMS><COMBOITEM> x </COMBOITEM></COMBOITEMS></COMBOCOLOR>");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_DROPDOWNCOLOR, item->m_type);
    auto* box = static_cast<CDropdownColorButton*>(item);
    EXPECT_FALSE(box->m_hasArrow);
    EXPECT_EQ(0xFFFFFFu, box->m_borderColour);
    EXPECT_STREQ(L"x", box->GetItemText(0));
    CGUIItem* arrowed = Read(
        L"<COMBOCOLOR name='DROPDOWN_MOUSE_POPUP_COLOR'><CLIST/><CBOX><RECT left='5' top='5' right='60' bottom='20'/>"
        L"</CBOX></COMBOCOLOR>");
    ASSERT_NE(nullptr, arrowed);
    EXPECT_TRUE(static_cast<CDropdownColorButton*>(arrowed)->m_hasArrow);  // absent: shown
}

TEST_F(ReaderFixture, ListPanelDynamicHasNoWindow)
{
    CGUIItem* item = Read(
        L"<LISTPANEL name='LISTPANEL_PROFILEOPTIONS' backclrhi='RED' bdrwidth='2'>"
        L"<LISTPANELITEMS><LISTPANELITEM tooltip='$tip'> $Rename </LISTPANELITEM>"
        L"<LISTPANELITEM>$Delete</LISTPANELITEM></LISTPANELITEMS>"
        L"<CLIST height='60'/><RECT left='0' top='0' right='140' bottom='80'/></LISTPANEL>");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_LISTPANEL, item->m_type);
    auto* panel = static_cast<CListPanelItem*>(item);
    EXPECT_FALSE(panel->HasWindow());
    EXPECT_EQ(nullptr, panel->m_window);
    ASSERT_EQ(2, panel->RowCount());
    EXPECT_STREQ(L"$Rename", panel->GetRowText(0));
    EXPECT_STREQ(L"$tip", panel->Rows()[0].tooltip);
    EXPECT_STREQ(L"", panel->Rows()[1].tooltip);
    EXPECT_EQ(0x0000FFu, panel->m_look.colours.backHover);
    EXPECT_EQ(2, panel->m_look.borderWidth);
    EXPECT_EQ(60, panel->m_defaultHeight);
    EXPECT_EQ(140, panel->m_width);
}

TEST_F(ReaderFixture, ListPanelInPageIsCreatedAtLoad)
{
    CGUIItem* item = Read(
        L"<LISTPANEL name='LIST_PROFILELIST' dynamic='0' tooltip='$t'>"
        L"<LISTPANELITEMS><LISTPANELITEM>One</LISTPANELITEM></LISTPANELITEMS>"
        L"<RECT left='10' top='10' right='100' bottom='60'/></LISTPANEL>");
    ASSERT_NE(nullptr, item);
    auto* panel = static_cast<CListPanelItem*>(item);
    ASSERT_TRUE(panel->HasWindow());
    EXPECT_EQ(panel->StaticList()->GetSafeHwnd(), panel->m_window);
    EXPECT_EQ(1, panel->StaticList()->GetItemCount());
}

#include "MacroDisplayItem.h"

TEST_F(ReaderFixture, MacroDisplayNarrowsTheDescriptionByTheBorder)
{
    CGUIItem* item = Read(
        L"<MACRODISPLAY name='MACRO_DISPLAY' bdrwidth='3' max='-4' readonly='0'>"
        L"<RECT left='10' top='10' right='230' bottom='150'/>"
        L"<LISTCOLUMN name='LCITEM_MCREVENT_ICON' type='ICON' width='20'/>"
        L"<LISTCOLUMN name='LCITEM_MCREVENT_DESCRIP' type='STATIC' width='200' justify='C'/></MACRODISPLAY>");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_MACRODISPLAY, item->m_type);
    auto* md = static_cast<CMacroDisplayItem*>(item);
    EXPECT_EQ(0, md->m_max);
    EXPECT_EQ(194, md->GetColumnWidth(1));
    EXPECT_EQ(20, md->GetColumnWidth(0));
}

TEST_F(ReaderFixture, MacroDisplayWithABadColumnGivesNoItem)
{
    EXPECT_EQ(nullptr, Read(L"<MACRODISPLAY name='MACRO_DISPLAY'><RECT left='0' top='0' right='100' bottom='50'/>"
                            L"<LISTCOLUMN name='LCITEM_MCREVENT_DESCRIP' type='CHECKBOX' width='90'/></MACRODISPLAY>"));
    EXPECT_EQ(nullptr, Read(L"<MACRODISPLAY name='MACRO_DISPLAY'><RECT left='0' top='0' right='100' bottom='50'/>"
                            L"</MACRODISPLAY>"));
    // Reduced by twice the border to nothing: refused, not a zero-width column.
    EXPECT_EQ(nullptr, Read(L"<MACRODISPLAY name='MACRO_DISPLAY' bdrwidth='5'>"
                            L"<RECT left='0' top='0' right='100' bottom='50'/>"
                            L"<LISTCOLUMN name='LCITEM_MCREVENT_DESCRIP' type='STATIC' width='10'/></MACRODISPLAY>"));
}

#include "XListCtrl.h"

TEST_F(ReaderFixture, ListCtrlWidthIsBorderAndColumns)
{
    CGUIItem* item = Read(
        L"<LISTCTRL name='LIST_PROFILELIST' bdrwidth='2'><LISTHDR backclr='BLACK'/>"
        L"<RECT left='10' top='10' right='500' bottom='120'/>"
        L"<LISTCOLUMN name='LCITEM_PROFILECURRENT' type='CHECKBOX' width='100' exclusive='1'> Cur </LISTCOLUMN>"
        L"<LISTCOLUMN name='LCITEM_PROFILENAME' type='EDIT' width='50'>Name</LISTCOLUMN>"
        L"<LISTCOLUMN name='LCITEM_PROFILEEXE' type='FILEDIALOG' width='30'/></LISTCTRL>");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_XLISTCTRL, item->m_type);
    auto* list = static_cast<CXListCtrl*>(item);
    EXPECT_EQ(3, list->ColumnCount());
    // Without a scroll bar: 2 + 100 + 50 + 30, whatever RECT says. The list
    // sits inside its border panel.
    ASSERT_NE(nullptr, list->BorderPanel());
    RECT outer{}, inner{};
    list->BorderPanel()->GetWindowRect(&outer);
    list->GetWindowRect(&inner);
    EXPECT_EQ(182, outer.right - outer.left);
    EXPECT_EQ(outer.left + 2, inner.left);
    EXPECT_EQ(outer.top + 2, inner.top);
    EXPECT_EQ(178, inner.right - inner.left);
    // The panel lies under the list, so it never covers it.
    bool panelBelow = false;
    for (HWND w = ::GetWindow(list->GetSafeHwnd(), GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        panelBelow |= w == list->BorderPanel()->GetSafeHwnd();
    EXPECT_TRUE(panelBelow);
}

TEST_F(ReaderFixture, ListCtrlWithAZeroWidthColumnGivesNoItem)
{
    EXPECT_EQ(nullptr, Read(L"<LISTCTRL name='LIST_PROFILELIST'><RECT left='0' top='0' right='100' bottom='50'/>"
                            L"<LISTCOLUMN name='LCITEM_PROFILENAME' type='EDIT' width='0'/></LISTCTRL>"));
    EXPECT_EQ(nullptr, Read(L"<LISTCTRL name='LIST_PROFILELIST'><RECT left='0' top='0' right='100' bottom='50'/>"
                            L"<LISTCOLUMN name='LCITEM_PROFILENAME' type='BOGUS' width='40'/></LISTCTRL>"));
}
