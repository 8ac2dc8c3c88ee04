#include <gtest/gtest.h>

#include "BitmapBtn.h"
#include "Capture.h"
#include "KeyboardDef.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"
#include "WidgetMessages.h"

namespace {
const COLORREF kNormal = RGB(0, 0, 200), kHover = RGB(0, 200, 0), kPressed = RGB(200, 0, 0),
               kDisabled = RGB(128, 128, 128);

struct ButtonFixture : ::testing::Test {
    CRecordingWnd parent;
    HBITMAP bms[4] = {};
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTopLevel(300, 200));
        parent.ShowWindow(SW_SHOW);
        bms[0] = MakeSolidBitmap(80, 30, kNormal);
        bms[1] = MakeSolidBitmap(80, 30, kHover);
        bms[2] = MakeSolidBitmap(80, 30, kPressed);
        bms[3] = MakeSolidBitmap(80, 30, kDisabled);
    }
    void TearDown() override
    {
        for (HBITMAP b : bms) ::DeleteObject(b);
    }
    void Make(CBitmapBtn& b, int x = 10, int y = 10)
    {
        RECT r{x, y, x + 80, y + 30};
        ASSERT_TRUE(b.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, &parent, 0));
        b.SetStateBitmaps(bms[0], bms[1], bms[2], bms[3], r);
    }
    static COLORREF Centre(CWnd& w)
    {
        CapturedImage img;
        if (!CaptureWindow(w.m_hWnd, img)) return CLR_INVALID;
        return img.Pixel(3, 3);
    }
};
}  // namespace

TEST(ButtonFaces, StateRules)
{
    ButtonLook l;
    EXPECT_EQ(BitmapBtnFace(l), ButtonFace::Normal);
    l.forceHover = true;
    EXPECT_EQ(BitmapBtnFace(l), ButtonFace::Hover);
    l.pushed = true;
    EXPECT_EQ(BitmapBtnFace(l), ButtonFace::Pressed);
    l.disabled = true;
    EXPECT_EQ(BitmapBtnFace(l), ButtonFace::Disabled);
    ButtonLook box;
    box.checkBox = true;
    box.selected = true;
    box.disabled = true;
    EXPECT_EQ(BitmapBtnFace(box), ButtonFace::Pressed);  // a disabled, selected box shows pressed
    box.selected = false;
    EXPECT_EQ(BitmapBtnFace(box), ButtonFace::Disabled);
    EXPECT_EQ(WidgetTextColour(0), 0xFEFEFEu);
    ButtonLook key;
    key.selected = true;
    key.hover = true;
    EXPECT_EQ(KeyboardKeyFace(key, false), ButtonFace::Hover);
    key.disabled = true;
    EXPECT_EQ(KeyboardKeyFace(key, true), ButtonFace::Pressed);
}

TEST_F(ButtonFixture, CreatedOwnerDrawnWithoutTabStopAndDrawsItsState)
{
    CBitmapBtn b;
    Make(b);
    EXPECT_EQ(b.GetStyle() & 0xF, (DWORD)BS_OWNERDRAW);
    EXPECT_FALSE(b.GetStyle() & WS_TABSTOP);
    EXPECT_EQ(b.GetDlgCtrlID(), 0);
    EXPECT_EQ(b.m_window, b.m_hWnd);
    EXPECT_EQ(b.m_type, ITEM_BITMAPBTN);
    EXPECT_EQ(Centre(b), kNormal);
    b.SetSelected(true);
    EXPECT_EQ(Centre(b), kPressed);
    b.SetSelected(false);
    b.EnableWindow(FALSE);
    EXPECT_EQ(Centre(b), kDisabled);
    SaveCapture(b.m_hWnd, L"widgets_button_disabled");
}

TEST_F(ButtonFixture, HoverCapturesTheMouseAndShowsTheHoverPicture)
{
    CBitmapBtn b;
    Make(b);
    ::SetActiveWindow(parent.m_hWnd);
    b.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(b.IsHover());
    EXPECT_EQ(::GetCapture(), b.m_hWnd);
    EXPECT_EQ(Centre(b), kHover);
    SaveCapture(b.m_hWnd, L"widgets_button_hover");
    ::ReleaseCapture();
    EXPECT_FALSE(b.IsHover());
}

TEST_F(ButtonFixture, PlainButtonReportsClickOnRelease)
{
    CBitmapBtn b;
    Make(b);
    parent.Clear();
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(parent.Count(WM_COMMAND), 0);
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    std::vector<RecordedMsg> expected{{WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)b.m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, parent.OnlyMessage(WM_COMMAND)), "");
}

TEST_F(ButtonFixture, CheckBoxTogglesAndReportsOnButtonDown)
{
    CBitmapBtn b;
    Make(b);
    b.m_isCheckBox = 1;
    parent.Clear();
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(b.IsSelected());
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    std::vector<RecordedMsg> expected{{WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)b.m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, parent.OnlyMessage(WM_COMMAND)), "");
    EXPECT_EQ(Centre(b), kPressed);
    SaveCapture(b.m_hWnd, L"widgets_checkbox_selected");
}

TEST_F(ButtonFixture, BlinkingAlternatesNormalAndPressed)
{
    CBitmapBtn b;
    Make(b);
    b.StartBlinking(20);
    EXPECT_EQ(Centre(b), kNormal);
    ASSERT_TRUE(PumpUntil([&] { return Centre(b) == kPressed; }));
    ASSERT_TRUE(PumpUntil([&] { return Centre(b) == kNormal; }));
    b.StopBlinking();
    EXPECT_FALSE(b.IsBlinking());
}

TEST_F(ButtonFixture, CaptionBreaksOnceAndDrawsOnTwoLines)
{
    CBitmapBtn b;
    RECT r{10, 10, 130, 60};
    ASSERT_TRUE(b.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, &parent, 0));
    HBITMAP big = MakeSolidBitmap(120, 50, RGB(0, 0, 90));
    b.SetStateBitmaps(big, big, big, big, r);
    b.m_drawFormat = DT_EDITCONTROL | DT_MODIFYSTRING | DT_CENTER | DT_WORDBREAK;
    b.SetCaption(L"Top\\nBottom\\nx", 0);
    EXPECT_EQ(b.Caption(), L"Top\r\nBottom\\nx");
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(b.m_hWnd, img));
    // Text in the upper and in the lower half: two lines.
    auto rowHasText = [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < img.width; ++x)
                if (img.Pixel(x, y) == RGB(0xFE, 0xFE, 0xFE)) return true;
        return false;
    };
    EXPECT_TRUE(rowHasText(0, 25));
    EXPECT_TRUE(rowHasText(25, 50));
    SaveCapture(b.m_hWnd, L"widgets_button_caption");
    ::DeleteObject(big);
}

TEST_F(ButtonFixture, SecondToolTipReplacesTheTextWithoutASecondTool)
{
    CBitmapBtn b;
    Make(b);
    b.SetToolTip(L"First\\nline");
    b.SetToolTip(L"Second");
    ASSERT_TRUE(b.ToolTip().Exists());
    EXPECT_EQ(b.ToolTip().Control().GetToolCount(), 1);
    EXPECT_EQ(b.ToolTip().Text(), L"Second");
    EXPECT_GT(b.ToolTip().Control().SendMessage(TTM_GETMAXTIPWIDTH), 0);
}

TEST_F(ButtonFixture, KeyboardKeyReportsHoverAndPressWithoutToggling)
{
    CKeyboardKeyItem key;
    key.m_id = 42;
    Make(key);
    parent.Clear();
    key.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    key.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    key.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::ReleaseCapture();
    PumpPending();
    std::vector<RecordedMsg> expected{{WM_KBDKEY_HOVER, 0, 42},
                                      {WM_KBDKEY_PRESSED, 0, 42},
                                      {WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)key.m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, parent.Log()), "");
    EXPECT_FALSE(key.IsSelected());
    EXPECT_EQ(key.m_type, ITEM_KEYBOARDKEY);
}

TEST(KeyboardKeyCaption, NumLockIsNamedWithTheExtendedBit)
{
    wchar_t buf[256];
    ::GetKeyNameTextW((0x45 << 16) | 0x1000000, buf, 256);
    EXPECT_EQ(CKeyboardKeyItem::DefaultCaption(0x45, false, HashKeyName(L"Num Lock")), CString(buf));
    ::GetKeyNameTextW(0x45 << 16, buf, 256);
    EXPECT_EQ(CKeyboardKeyItem::DefaultCaption(0x45, false, HashKeyName(L"Pause")), CString(buf));
}

TEST_F(ButtonFixture, UnboundKeyKeepsItsCaption)
{
    CKeyboardKeyItem key;
    Make(key);
    key.SetCaption(L"Mine", 0);
    key.m_kbddefId = HashKeyName(L"No such key at all");
    key.BindKey();
    EXPECT_EQ(key.Caption(), L"Mine");
}

TEST_F(ButtonFixture, ClipButtonSwallowsClicksAndDrawsTheBackgroundCentre)
{
    CAVIButton avi;
    ASSERT_TRUE(avi.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 60, 50, 90}, &parent, 0));
    HBITMAP back = MakeSolidBitmap(100, 80, RGB(10, 120, 10));
    avi.SetBackground(back);
    avi.SetVideoFile(L"nothing-here.avi");
    EXPECT_EQ(CAVIButton::ClipPath(L"clip.avi"), L"skins\\clip.avi");
    EXPECT_EQ(Centre(avi), RGB(10, 120, 10));
    avi.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    avi.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // A clip that does not open leaves the button drawn.
    EXPECT_FALSE(avi.IsClipOpen());
    ::DeleteObject(back);
}
