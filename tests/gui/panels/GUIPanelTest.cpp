// Skinned panels: size from the background, shape from the mask, painting,
// and a panel created twice.
#include <windows.h>

#include <gtest/gtest.h>

#include "Capture.h"
#include "GUIPanel.h"
#include "RecordingWnd.h"
#include "SkinTestFiles.h"

namespace {

class CTestPanel : public CGUIPanel {
public:
    using CGUIPanel::CGUIPanel;
    int binds = 0;
    void BindItems() override { ++binds; }
};

// A 400 x 300 page: a framed two-tone face, and a mask whose white corners
// cut the window's shape.
void WriteDemoPage()
{
    const std::wstring f = TestProgramFolder();
    WriteBmp24(f + L"skins\\panel_bg.bmp", 400, 300, [](int x, int y) -> DWORD {
        if (x < 4 || y < 4 || x >= 396 || y >= 296)
            return 0x1F4E79;
        if (y < 40)
            return 0x2E75B6;
        return ((x / 20 + y / 20) % 2) ? 0xDDEBF7 : 0xBDD7EE;
    });
    WriteBmp24(f + L"skins\\panel_mask.bmp", 400, 300, [](int x, int y) -> DWORD {
        int dx = x < 40 ? 40 - x : x > 359 ? x - 359 : 0;
        int dy = y < 40 ? 40 - y : y > 259 ? y - 259 : 0;
        return dx * dx + dy * dy > 40 * 40 ? 0xFFFFFF : 0x000000;
    });
    WriteUtf8(f + L"xml\\PanelDemo.xml",
              "<?xml version='1.0' encoding='UTF-8'?>\n<GUIPANEL>\n  <BACKGROUND>panel_bg.bmp</BACKGROUND>\n"
              "  <MASK>panel_mask.bmp</MASK>\n</GUIPANEL>\n");
}

}  // namespace

TEST(GUIPanel, PageTakesItsSizeFromTheBackgroundAndItsShapeFromTheMask)
{
    ScopedTestProgramFolder folder;
    WriteDemoPage();
    CTestPanel panel(0, L"PanelDemo.xml", nullptr);
    ASSERT_TRUE(panel.CreatePlain(nullptr, WS_POPUP | WS_VISIBLE));
    EXPECT_TRUE(panel.IsLoaded());
    ASSERT_NE(nullptr, panel.Background());
    ASSERT_NE(nullptr, panel.Mask());
    RECT r;
    panel.GetWindowRect(&r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(400, r.right - r.left);
    EXPECT_EQ(300, r.bottom - r.top);
    EXPECT_EQ(400, panel.PanelRect().right);
    EXPECT_EQ(300, panel.PanelRect().bottom);

    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(panel.m_hWnd, rgn));
    EXPECT_FALSE(::PtInRegion(rgn, 1, 1));      // a cut corner
    EXPECT_TRUE(::PtInRegion(rgn, 200, 150));
    EXPECT_TRUE(::PtInRegion(rgn, 40, 2));
    ::DeleteObject(rgn);

    PumpPending();
    CapturedImage image;
    ASSERT_TRUE(CaptureWindow(panel.m_hWnd, image));
    EXPECT_EQ(RGB(0x2E, 0x75, 0xB6), image.Pixel(200, 20));
    EXPECT_EQ(RGB(0xBD, 0xD7, 0xEE), image.Pixel(50, 50));
    SaveCapture(panel.m_hWnd, L"gui_panel_demo");

    panel.DestroyWindow();
    EXPECT_FALSE(panel.IsLoaded());
    // The pictures went with the window; their items stay.
    EXPECT_EQ(nullptr, panel.Background()->GetSafeHandle());
    EXPECT_EQ(2u, panel.Items().Count());

    // Created again: the first window's items are not kept.
    ASSERT_TRUE(panel.CreatePlain(nullptr, WS_POPUP));
    EXPECT_EQ(2u, panel.Items().Count());
    EXPECT_NE(nullptr, panel.Background()->GetSafeHandle());
    panel.DestroyWindow();
}

TEST(GUIPanel, RectanglePanelTakesExactlyTheRectangle)
{
    CTestPanel panel(CRect(30, 40, 130, 90), 0, nullptr);
    ASSERT_TRUE(panel.CreatePlain(nullptr, WS_POPUP));
    RECT r;
    panel.GetWindowRect(&r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(100, r.right - r.left);
    EXPECT_EQ(50, r.bottom - r.top);
    EXPECT_EQ(0u, panel.Items().Count());
    EXPECT_EQ(nullptr, panel.Background());
    panel.DestroyWindow();
}

TEST(GUIPanel, MissingPageStillMakesAWindow)
{
    ScopedTestProgramFolder folder;
    CTestPanel panel(0, L"NoSuchPage.xml", nullptr);
    ASSERT_TRUE(panel.CreatePlain(nullptr, WS_POPUP));
    EXPECT_TRUE(panel.IsLoaded());
    EXPECT_EQ(nullptr, panel.Background());
    EXPECT_EQ(nullptr, panel.Region());
    PumpPending();
    panel.DestroyWindow();
}

TEST(GUIPanel, PopupBindsItsItemsBeforeInitDialog)
{
    class CTestPopup : public CPopupBox {
    public:
        CTestPopup() : CPopupBox(CRect(0, 0, 50, 40), 0, nullptr) {}
        int binds = 0;
        void BindItems() override { ++binds; }
    } popup;
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    EXPECT_EQ(1, popup.binds);
    popup.DestroyWindow();
}

TEST(GUIPanel, ModalPopupWithoutTemplateRunsAndEnds)
{
    ScopedTestProgramFolder folder;
    WriteDemoPage();
    class CModalPopup : public CPopupBox {
    public:
        CModalPopup() : CPopupBox(0, L"PanelDemo.xml", nullptr) {}
        int width = 0;
        BOOL OnInitDialog() override {
            BOOL r = CPopupBox::OnInitDialog();
            RECT w;
            GetWindowRect(&w);
            width = w.right - w.left;
            PostMessage(WM_COMMAND, IDCANCEL);
            return r;
        }
    } popup;
    EXPECT_EQ(IDCANCEL, popup.DoModal());
    EXPECT_EQ(400, popup.width);
    EXPECT_FALSE(popup.IsLoaded());
}
