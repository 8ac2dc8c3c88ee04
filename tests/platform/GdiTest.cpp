// GDI ownership and painting through WM_PRINTCLIENT, checked on a capture.
#include <gtest/gtest.h>

#include "Capture.h"
#include "Gdi.h"
#include "GuiObjects.h"
#include "RecordingWnd.h"
#include "Wnd.h"

TEST(Gdi, DeleteObjectDetachesSoNothingIsDeletedTwice)
{
    CBrush brush(RGB(10, 20, 30));
    HGDIOBJ h = brush.GetSafeHandle();
    ASSERT_NE(nullptr, h);
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_EQ(nullptr, brush.GetSafeHandle());
    EXPECT_FALSE(brush.DeleteObject());
    EXPECT_EQ(0, ::GetObjectType(h));  // really gone
}

TEST(Gdi, AttachAndDetachHandOwnershipOver)
{
    HBITMAP raw = ::CreateBitmap(4, 3, 1, 32, nullptr);
    {
        CBitmap bm;
        EXPECT_TRUE(bm.Attach(raw));
        EXPECT_FALSE(bm.Attach(raw));  // already holds one
        EXPECT_EQ(4, bm.GetSize().cx);
        EXPECT_EQ(3, bm.GetSize().cy);
        EXPECT_EQ(raw, (HBITMAP)bm.Detach());
    }
    EXPECT_EQ(OBJ_BITMAP, (int)::GetObjectType(raw));  // the destructor left it alone
    ::DeleteObject(raw);
}

TEST(Gdi, CreateOnAHeldObjectIsRefusedBeforeAnythingIsMade)
{
    CPen pen(PS_SOLID, 1, 0);
    CBrush brush(0);
    CFont font;
    LOGFONTW lf{};
    lf.lfHeight = 12;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, nullptr));
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 1, 1));
    CClientDC screen(nullptr);
    const HGDIOBJ held = pen.GetSafeHandle();
    const int before = GdiObjectCount();
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, 0));
    EXPECT_FALSE(brush.CreateSolidBrush(1));
    EXPECT_FALSE(font.CreateFontIndirect(&lf));
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(screen, 2, 2));
    EXPECT_FALSE(region.CreateEllipticRgn(0, 0, 2, 2));
    EXPECT_EQ(before, GdiObjectCount());  // nothing made and lost
    EXPECT_EQ(held, pen.GetSafeHandle());
}

TEST(Gdi, GuardsPutTheSelectionBackBeforeTheObjectGoes)
{
    CClientDC screen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(screen));
    const HGDIOBJ original = ::GetCurrentObject(dc, OBJ_PEN);
    CSelectedDeleteWatch watch;
    ASSERT_TRUE(watch.Active());
    {
        CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
        CSelectGuard selected(dc, pen);
        EXPECT_EQ(pen.GetSafeHandle(), ::GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc, OBJ_PEN));
    {
        CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
        CSaveDCGuard saved(dc);
        dc.SelectObject(&pen);
        dc.SetBkMode(TRANSPARENT);
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(OPAQUE, ::GetBkMode(dc));
    EXPECT_EQ(0, watch.Faults());
    {
        CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
        dc.SelectObject(&pen);  // and left there: the watch sees it go
    }
    EXPECT_EQ(1, watch.Faults());
}

TEST(Gdi, MemoryDcIsDeletedByItsOwner)
{
    CClientDC screen(nullptr);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(screen));
    HDC h = mem.GetSafeHdc();
    EXPECT_TRUE(mem.DeleteDC());
    EXPECT_EQ(nullptr, mem.GetSafeHdc());
    EXPECT_EQ(0, ::GetObjectType(h));
}

namespace {

// Paints on WM_PAINT and WM_PRINTCLIENT alike, as every widget must.
class CPaintedWnd : public CWnd {
protected:
    void Draw(CDC& dc) {
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, RGB(0, 128, 255));
        CRect inner(r.left + 10, r.top + 10, r.left + 40, r.top + 30);
        dc.FillSolidRect(&inner, RGB(255, 0, 0));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(255, 255, 255));
        CRect text(r.left + 50, r.top + 10, r.right, r.top + 40);
        dc.DrawText(L"capture", &text, DT_LEFT | DT_SINGLELINE);
    }
    void OnPaint() {
        CPaintDC dc(this);
        Draw(dc);
    }
    LRESULT OnPrintClient(WPARAM w, LPARAM) {
        CDC dc;
        dc.Attach((HDC)w);
        Draw(dc);
        dc.Detach();
        return 0;
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

}  // namespace

TEST(Gdi, CaptureSeesWhatTheWindowPaints)
{
    CPaintedWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"painted", WS_POPUP, 100, 100, 160, 60, nullptr, nullptr));
    w.ShowWindow(SW_SHOWNOACTIVATE);
    w.UpdateWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(w.m_hWnd, img));
    EXPECT_EQ(160, img.width);
    EXPECT_EQ(60, img.height);
    EXPECT_EQ(RGB(0, 128, 255), img.Pixel(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), img.Pixel(20, 20));
    EXPECT_EQ(RGB(0, 128, 255), img.Pixel(150, 50));
    EXPECT_FALSE(SaveCapture(w.m_hWnd, L"platform_painted").empty());
}
