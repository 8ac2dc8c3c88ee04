// The palette pop-up against a recording owner that stands in for the
// colour box: what the owner receives, in which order.
#include <gtest/gtest.h>

#include "Capture.h"
#include "ColorPalette.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

namespace {

struct PaletteFixture : ::testing::Test {
    CRecordingWnd owner;
    CFOPopupColorPaletteWnd popup;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(300, 100, L"box"));
        owner.ShowWindow(SW_SHOW);
        owner.SetForegroundWindow();
        PumpPending();
    }
    void Open(COLORREF colour)
    {
        popup.m_chooseOnDeactivate = false;
        RECT box{};
        owner.GetWindowRect(&box);
        box.bottom = box.top + 20;
        ASSERT_TRUE(popup.CreatePopup(0x90000001, &owner, colour, box, SIZE{200, 150}));
        PumpPending();
        owner.Clear();
    }
    std::vector<RecordedMsg> PaletteMessages() const
    {
        std::vector<RecordedMsg> out;
        for (auto& m : owner.Log())
            if (m.message >= WM_COLORPALETTE_SELECT && m.message <= WM_COLORPALETTE_CUSTOM) out.push_back(m);
        return out;
    }
    void Click(POINT p)
    {
        popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        popup.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    // Lets posted messages arrive and any deactivation run.
    void Settle()
    {
        PumpPending();
        PumpUntil([] { return false; }, 100);
    }
};

}  // namespace

TEST_F(PaletteFixture, ClientSizeAndCurrentCell)
{
    Open(0x0000FF);
    RECT c{};
    popup.GetClientRect(&c);
    EXPECT_EQ(200, c.right);
    EXPECT_EQ(150, c.bottom);
    EXPECT_EQ(17, popup.Control()->CurrentCell());
    EXPECT_STREQ(L"CFODropColorPaletteWnd", popup.GetWindowText());
    SaveCapture(popup, L"widgets_palette_red");
}

TEST_F(PaletteFixture, ForeignColourShowsSwatchAndNoSelectedCell)
{
    Open(0x123456);
    EXPECT_EQ(-1, popup.Control()->CurrentCell());
    popup.RedrawWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(popup, img));
    const RECT& cr = popup.Control()->CustomRect();
    EXPECT_EQ(0x123456u, img.Pixel(cr.right - 12, (cr.top + cr.bottom) / 2));
    SaveCapture(popup, L"widgets_palette_custom_swatch");
}

TEST_F(PaletteFixture, ArrowRightFromLastCellPreviewsWhite)
{
    Open(0x400040);
    popup.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    Settle();
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_SELECT, 0xFFFFFF, 100}};
    EXPECT_EQ("", DiffSequence(expected, PaletteMessages()));
    EXPECT_TRUE(popup.IsWindowVisible());  // a preview keeps the palette open
    EXPECT_EQ(0, popup.Control()->CurrentCell());
}

TEST_F(PaletteFixture, ClickOnCellChoosesOnce)
{
    Open(0xFFFFFF);
    const RECT& cell = popup.Control()->Cell(9).m_rect;
    Click(POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    popup.Control()->OnDeactivated();  // what the hide brings about
    Settle();
    // The hide deactivates the pop-up; that must not choose a second time.
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_SELECT, 0x8080FF, 0}};
    EXPECT_EQ("", DiffSequence(expected, PaletteMessages()));
    EXPECT_FALSE(popup.IsWindowVisible());
}

TEST_F(PaletteFixture, CustomRequestIsNotOvertakenByDeactivation)
{
    Open(0x00FF00);
    const RECT& cr = popup.Control()->CustomRect();
    Click(POINT{cr.left + 5, (cr.top + cr.bottom) / 2});
    popup.Control()->OnDeactivated();  // what the hide brings about
    Settle();
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_CUSTOM, 0x00FF00, 0}};
    EXPECT_EQ("", DiffSequence(expected, PaletteMessages()));
    EXPECT_TRUE(popup.Control()->Outcome().CustomPending());
}

TEST_F(PaletteFixture, EscapeCancelsAndEnterChooses)
{
    Open(0xC0C0C0);
    popup.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    popup.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Settle();
    // Grey 0xC0C0C0 is cell 16; Down previews cell 24, Escape cancels with it.
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_SELECT, kPaletteColours[24], 100},
                                         {WM_COLORPALETTE_CANCEL, kPaletteColours[24], 0}};
    EXPECT_EQ("", DiffSequence(expected, PaletteMessages()));
}

TEST_F(PaletteFixture, DeactivationChoosesTheCurrentColour)
{
    Open(0x0000FF);
    popup.SendMessage(WM_KEYDOWN, VK_LEFT, 0);  // red is cell 17; one left is grey
    Settle();
    owner.Clear();
    // A click outside: another window becomes active.
    popup.m_chooseOnDeactivate = true;
    popup.SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)owner.GetSafeHwnd());
    popup.m_chooseOnDeactivate = false;
    Settle();
    std::vector<RecordedMsg> expected = {{WM_COLORPALETTE_SELECT, kPaletteColours[16], 0}};
    EXPECT_EQ("", DiffSequence(expected, PaletteMessages()));
    EXPECT_FALSE(popup.IsWindowVisible());
}

TEST(PalettePlacement, BelowOrAboveAndRightAligned)
{
    RECT work{0, 0, 800, 600};
    RECT box{100, 100, 180, 120};
    RECT r = PlacePalettePopup(1, box, SIZE{210, 160}, work);
    EXPECT_EQ((RECT{100, 120, 310, 280}.left), r.left);
    EXPECT_EQ(120, r.top);
    RECT low{700, 500, 780, 520};
    r = PlacePalettePopup(1, low, SIZE{210, 160}, work);
    EXPECT_EQ(340, r.top);    // above the box
    EXPECT_EQ(570, r.left);   // right-aligned with it
    r = PlacePalettePopup(0, box, SIZE{210, 160}, work);
    EXPECT_EQ(180, r.left);   // to the right
    r = PlacePalettePopup(0, low, SIZE{210, 160}, work);
    EXPECT_EQ(490, r.left);   // to the left
    EXPECT_EQ(360, r.top);    // bottom-aligned
}
