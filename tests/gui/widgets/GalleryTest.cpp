// The gallery page: one of each widget loaded from XML, exercised the way a
// page uses them, and captured in the states that matter.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "BitmapBtn.h"
#include "Capture.h"
#include "EditItems.h"
#include "KeyboardDef.h"
#include "KeywordTables.h"
#include "PageItems.h"
#include "PaintCheck.h"
#include "ProgramFolder.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinResourceCache.h"
#include "SkinTestFiles.h"
#include "TextItems.h"
#include "TreeCapture.h"
#include "VScrollBar.h"
#include "WidgetMessages.h"

namespace {

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

void Solid(const wchar_t* name, int w, int h, COLORREF fill, COLORREF frame = CLR_INVALID)
{
    WriteBmp24(TestProgramFolder() + L"skins\\" + name, w, h, [=](int x, int y) {
        const bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
        return Rgb(edge && frame != CLR_INVALID ? frame : fill);
    });
}

void WriteGalleryPictures()
{
    Solid(L"gal_picture.bmp", 200, 100, RGB(30, 60, 120), RGB(200, 200, 255));
    Solid(L"gal_keyboard.bmp", 220, 50, RGB(40, 40, 40));
    Solid(L"gal_bw_inner.bmp", 150, 110, RGB(0, 0, 0));
    Solid(L"gal_bw_frame.bmp", 160, 120, RGB(80, 80, 80));
    Solid(L"gal_bw_frame_on.bmp", 160, 120, RGB(0, 120, 200));
    Solid(L"gal_bw_frame_pressed.bmp", 160, 120, RGB(200, 120, 0));
    Solid(L"gal_icon.bmp", 24, 24, RGB(255, 0, 255));
    Solid(L"gal_btn_n.bmp", 100, 40, RGB(0, 0, 160), RGB(120, 120, 255));
    Solid(L"gal_btn_o.bmp", 100, 40, RGB(0, 140, 0), RGB(120, 255, 120));
    Solid(L"gal_btn_d.bmp", 100, 40, RGB(170, 0, 0), RGB(255, 120, 120));
    Solid(L"gal_btn_ds.bmp", 100, 40, RGB(110, 110, 110));
    Solid(L"gal_box_off.bmp", 20, 20, RGB(60, 60, 60), RGB(220, 220, 220));
    Solid(L"gal_box_over.bmp", 20, 20, RGB(60, 60, 60), RGB(255, 255, 0));
    Solid(L"gal_box_on.bmp", 20, 20, RGB(0, 200, 0), RGB(220, 220, 220));
    Solid(L"gal_key_n.bmp", 80, 50, RGB(70, 70, 90), RGB(150, 150, 170));
    Solid(L"gal_key_o.bmp", 80, 50, RGB(70, 110, 150), RGB(150, 200, 255));
    Solid(L"gal_key_d.bmp", 80, 50, RGB(150, 70, 70), RGB(255, 150, 150));
    Solid(L"gal_sb_end.bmp", 14, 3, RGB(90, 90, 90));
    Solid(L"gal_sb_up.bmp", 14, 12, RGB(0, 160, 0));
    Solid(L"gal_sb_down.bmp", 14, 12, RGB(160, 0, 0));
    Solid(L"gal_sb_span.bmp", 14, 8, RGB(40, 40, 40));
    Solid(L"gal_sb_thumb.bmp", 10, 20, RGB(220, 220, 220));
}

bool OwnerMessages(UINT m) { return m == WM_COMMAND || (m >= WM_USER && m < 0xC000); }

class Gallery : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildKeywordMaps();
        static CGUIItems language;
        // The key definitions come from the build's program folder.
        SetProgramFolder(RealProgramFolder().c_str());
        if (!g_keyboardDef.IsLoaded())
            LoadSkinXml((RealProgramFolder() + L"xml\\Language.xml").c_str(), nullptr, &language, false);
    }

    void SetUp() override
    {
        UnregisterRawInput();
        KeyCaptureMachine::ProcessHoldOff() = {};
        ASSERT_TRUE(page.CreateEx(0, CWnd::RegisterClassOnce(CS_DBLCLKS, nullptr,
                                                             (HBRUSH)::GetStockObject(DKGRAY_BRUSH)),
                                  L"gallery", WS_POPUP | WS_VISIBLE, 10, 10, 580, 320, nullptr,
                                  nullptr));
        ::SetWindowPos(page.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetActiveWindow(page.m_hWnd);
        ScopedTestProgramFolder folder;
        WriteGalleryPictures();
        FILE* in = _wfopen(WIDGET_GALLERY_XML, L"rb");
        ASSERT_NE(in, nullptr);
        std::string xml;
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, in)) > 0;) xml.append(buf, n);
        fclose(in);
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\WidgetGallery.xml", xml));
        ASSERT_TRUE(LoadSkinPage(&items, L"WidgetGallery.xml", &page, false));
        page.Clear();
    }
    void TearDown() override
    {
        items.DeleteAll();
        page.DestroyWindow();
        UnregisterRawInput();
    }
    template <typename T>
    T* Item(const wchar_t* name, int type) { return FindPageItem<T>(items, name, type); }

    CRecordingWnd page{&OwnerMessages};
    CGUIItems items;
};

}  // namespace

TEST_F(Gallery, EveryElementLoadsAsItsWidget)
{
    EXPECT_NE(Item<CBitmapItem>(L"BITMAP_BACKGROUND_RECT", ITEM_BITMAP), nullptr);
    EXPECT_NE(Item<CBitmapWindow>(L"BITMAP_SENSWINDOW1", ITEM_BITMAPWINDOW), nullptr);
    EXPECT_NE(Item<CBitmapBtn>(L"BUTTON_OK", ITEM_BITMAPBTN), nullptr);
    EXPECT_NE(Item<CAVIButton>(L"BUTTON_HELP", ITEM_AVIBUTTON), nullptr);
    EXPECT_EQ(items.FindById(FindItemIdByName(L"BUTTON_EXIT")), nullptr);  // a second clip button is not read
    EXPECT_NE(Item<CTextItem>(L"TEXT_ENABLEXY", ITEM_TEXT), nullptr);
    EXPECT_NE(Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT), nullptr);
    EXPECT_NE(Item<CEditItemSingleKeyInputMMO>(L"EDITCTRL_POPUP_SINGLEKEYENTRY", ITEM_EDITSINGLEKEY), nullptr);
    auto* key = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID01", ITEM_KEYBOARDKEY);
    ASSERT_NE(key, nullptr);
    auto* board = Item<CBitmapItem>(L"BITMAP_KOVU_THUMBGRID", ITEM_BITMAP);
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(::GetParent(key->m_hWnd), board->m_hWnd);
    // Buttons and keys have control id 0; the page finds them by handle.
    EXPECT_EQ(key->GetDlgCtrlID(), 0);
    EXPECT_EQ(items.FindByHwnd(key->m_hWnd), static_cast<CGUIItem*>(key));
}

TEST_F(Gallery, TwoHundredPaintsLeaveNothingBehind)
{
    const PaintCheckResult paints = PaintRepeatedly(page.m_hWnd, 200);
    EXPECT_EQ(0, paints.selectedDeletes);
    EXPECT_LT(paints.gdiGrowth, 10);  // a leak per paint makes 200
    EXPECT_LT(paints.userGrowth, 10);
}

TEST_F(Gallery, KeysAreCaptionedFromTheKeyDefinitions)
{
    auto* a = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID01", ITEM_KEYBOARDKEY);
    auto* num = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID02", ITEM_KEYBOARDKEY);
    auto* own = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID03", ITEM_KEYBOARDKEY);
    ASSERT_TRUE(a && num && own);
    ASSERT_TRUE(g_keyboardDef.IsLoaded());
    ASSERT_NE(g_keyboardDef.KeyRecordMapFind(HashKeyName(L"a A")), nullptr);
    EXPECT_EQ(a->m_scanCode, 0x1E);
    wchar_t buf[256];
    ::GetKeyNameTextW(0x1E << 16, buf, 256);
    EXPECT_EQ(a->Caption(), CString(buf));
    ::GetKeyNameTextW((0x45 << 16) | 0x1000000, buf, 256);
    EXPECT_EQ(num->Caption(), CString(buf));
    EXPECT_EQ(own->Caption(), L"Own");
    EXPECT_EQ(own->m_scanCode, -1);
}

TEST_F(Gallery, ButtonsCheckBoxesAndLabelsReportToThePage)
{
    auto* ok = Item<CBitmapBtn>(L"BUTTON_OK", ITEM_BITMAPBTN);
    auto* box = Item<CBitmapBtn>(L"BUTTON_CHKBOX_SLCT_SHIFT", ITEM_BITMAPBTN);
    auto* label = Item<CTextItem>(L"TEXT_ENABLEXY", ITEM_TEXT);
    ASSERT_TRUE(ok && box && label);
    EXPECT_EQ(label->CheckBox(), box);
    ok->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ok->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    box->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    box->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    std::vector<RecordedMsg> expected{{WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)ok->m_hWnd},
                                      {WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)box->m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, page.OnlyMessage(WM_COMMAND)), "");
    EXPECT_TRUE(box->IsSelected());
    label->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    label->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(box->IsSelected());
}

TEST_F(Gallery, EditsReportChangesAndTheCaptureEditHoldsRawInput)
{
    auto* edit = Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT);
    auto* capture = Item<CEditItemSingleKeyInputMMO>(L"EDITCTRL_POPUP_SINGLEKEYENTRY", ITEM_EDITSINGLEKEY);
    ASSERT_TRUE(edit && capture);
    EXPECT_EQ(edit->GetLimitText(), 3u);
    EXPECT_TRUE(edit->GetStyle() & ES_CENTER);
    edit->SetWindowText(L"42");
    EXPECT_EQ(page.Count(WM_EDITITEM_CHANGED), 1);
    EXPECT_EQ(TheRawInputUsageList().Target(), capture->m_hWnd);
    RAWKEYBOARD shift{};
    shift.MakeCode = 0x2A;
    shift.VKey = VK_SHIFT;
    capture->HandleRawKey(shift);
    auto chosen = page.OnlyMessage(WM_ITEM_VALUE_CHOSEN);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].lParam, (LPARAM)capture->m_hWnd);
    EXPECT_EQ(capture->CapturedFlags(), KeyEvent::kShift);
}

TEST_F(Gallery, CapturesOfTheStatesThatMatter)
{
    ScopedTestProgramFolder folder;
    auto* apply = Item<CBitmapBtn>(L"BUTTON_APPLY", ITEM_BITMAPBTN);
    auto* cancel = Item<CBitmapBtn>(L"BUTTON_CANCEL", ITEM_BITMAPBTN);
    auto* box = Item<CBitmapBtn>(L"BUTTON_CHKBOX_SLCT_SHIFT", ITEM_BITMAPBTN);
    auto* label = Item<CTextItem>(L"TEXT_ENABLEXY", ITEM_TEXT);
    auto* window = Item<CBitmapWindow>(L"BITMAP_SENSWINDOW1", ITEM_BITMAPWINDOW);
    auto* key = Item<CKeyboardKeyItem>(L"BUTTON_ASSNTHUMBGRID02", ITEM_KEYBOARDKEY);
    auto* capture = Item<CEditItemSingleKeyInputMMO>(L"EDITCTRL_POPUP_SINGLEKEYENTRY", ITEM_EDITSINGLEKEY);
    auto* edit = Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT);
    ASSERT_TRUE(apply && cancel && box && label && window && key && capture && edit);

    // The bitmap scroll bar beside a list, as list widgets make it.
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, {300, 140, 380, 230}, &page, 900));
    for (int i = 0; i < 30; ++i) list.AddString((L"Row " + std::to_wstring(i)).c_str());
    CVScrollBar bar(14, &list);
    HBITMAP e = FindOrLoadBmpFile(L"gal_sb_end.bmp");
    bar.SetBitmaps({e, e, FindOrLoadBmpFile(L"gal_sb_up.bmp"), FindOrLoadBmpFile(L"gal_sb_down.bmp"),
                    FindOrLoadBmpFile(L"gal_sb_span.bmp"), FindOrLoadBmpFile(L"gal_sb_thumb.bmp")},
                   0);
    ASSERT_TRUE(bar.Create(L"", WS_CHILD | WS_VISIBLE, {382, 140, 396, 230}, &page));
    bar.UpdateThumb();
    const int before = list.GetTopIndex();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 85));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 85));
    ASSERT_TRUE(PumpUntil([&] { return list.GetTopIndex() != before; }));
    PumpUntil([&] { return bar.ThumbTop() > bar.Layout().trackTop; });

    SaveScreenCapture(page.m_hWnd, L"gallery_normal");

    apply->EnableWindow(FALSE);
    box->SetSelected(true);
    label->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    window->SetCaption(L"A caption much too wide for the window");
    window->SetFrameColour(true, RGB(255, 255, 255));
    window->SetAssignmentType(2);
    window->SetImage({FindOrLoadBmpFile(L"gal_picture.bmp"), {0, 0, 200, 100}, nullptr, {}});
    key->m_highlight = 1;
    key->SetSelected(true);
    cancel->StartBlinking(30);
    PumpUntil([] { return false; }, 100);
    RAWKEYBOARD ctrl{}, k{};
    ctrl.MakeCode = 0x1D;
    ctrl.VKey = VK_CONTROL;
    k.MakeCode = 0x25;
    k.VKey = 'K';
    capture->HandleRawKey(ctrl);
    capture->HandleRawKey(k);
    edit->SetWindowText(L"123");
    SaveScreenCapture(page.m_hWnd, L"gallery_states");
    ::ReleaseCapture();
    cancel->StopBlinking();
    EXPECT_EQ(capture->GetWindowText(), capture->CapturedText());
    list.DestroyWindow();
}
