#include <gtest/gtest.h>

#include "BitmapBtn.h"
#include "Capture.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"
#include "TextItems.h"

TEST(TextItemText, OnlyTheFirstBreakAndUntranslatedKeysStayAsWritten)
{
    CTextItem t(L"$NotThere", 1);
    EXPECT_EQ(t.GetText(), L"$NotThere");
    CTextItem two(L"a\\nb\\nc", 0);
    EXPECT_EQ(two.GetText(), L"a\r\nb\\nc");
}

TEST(TextItemWindow, LabelClickActsForItsCheckBox)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 200));
    parent.ShowWindow(SW_SHOW);
    ::SetActiveWindow(parent.m_hWnd);
    CBitmapBtn box;
    ASSERT_TRUE(box.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 10, 30, 30}, &parent, 0));
    HBITMAP n = MakeSolidBitmap(20, 20, RGB(0, 0, 200)), h = MakeSolidBitmap(20, 20, RGB(0, 200, 0)),
            p = MakeSolidBitmap(20, 20, RGB(200, 0, 0));
    box.SetStateBitmaps(n, h, p, n, {0, 0, 20, 20});
    box.m_isCheckBox = 1;
    CTextItem label(L"Label", 0);
    ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, {40, 10, 140, 30}, &parent, 77));
    label.SetCheckBox(&box);

    label.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(label.IsHover());
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(box.m_hWnd, img));
    EXPECT_EQ(img.Pixel(5, 5), RGB(0, 200, 0));  // the box is drawn hovered
    ::ReleaseCapture();
    EXPECT_FALSE(label.IsHover());

    parent.Clear();
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(box.IsSelected());
    // The static's own STN_CLICKED (from the button-down default) aside,
    // the page hears of the label as a click on the box.
    std::vector<RecordedMsg> forBox;
    for (const RecordedMsg& m : parent.OnlyMessage(WM_COMMAND))
        if (m.lParam != (LPARAM)label.m_hWnd) forBox.push_back(m);
    std::vector<RecordedMsg> expected{{WM_COMMAND, 77, (LPARAM)box.m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, forBox), "");
    for (HBITMAP b : {n, h, p}) ::DeleteObject(b);
}

TEST(TextItemWindow, PlainLabelSendsNothing)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(200, 100));
    CTextItem label(L"Plain", 0);
    ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, {0, 0, 100, 20}, &parent, 5));
    parent.Clear();
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    for (const RecordedMsg& m : parent.OnlyMessage(WM_COMMAND))
        EXPECT_EQ(m.lParam, (LPARAM)label.m_hWnd);  // only the static's own STN_CLICKED
}

TEST(BitmapWindowText, TooWideCaptionEndsInDots)
{
    auto measure = [](const CString& s, void*) { return s.GetLength() * 10; };
    EXPECT_EQ(EllipsizeText(L"Short", 100, measure, nullptr), L"Short");
    EXPECT_EQ(EllipsizeText(L"A much longer caption", 100, measure, nullptr), L"A much ...");
}

TEST(BitmapWindowIcons, LaterIconForTheSameTypeReplacesTheEarlier)
{
    CBitmapWindow w;
    HBITMAP a = MakeSolidBitmap(4, 4, RGB(1, 1, 1)), b = MakeSolidBitmap(6, 6, RGB(2, 2, 2));
    w.SetTypeIcon(3, a);
    w.SetTypeIcon(3, b);
    BITMAP bm{};
    ::GetObjectW(w.TypeIcon(3), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 6);
    EXPECT_EQ(w.TypeIcon(4), nullptr);
    ::DeleteObject(a);
    ::DeleteObject(b);
}

TEST(BitmapItemWindow, PostsChildCommandsToItsParentAndDrawsItsBitmap)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(200, 100));
    CBitmapItem item;
    ASSERT_TRUE(item.Create(WS_CHILD | WS_VISIBLE, {0, 0, 60, 40}, &parent, 9));
    HBITMAP src = MakeSolidBitmap(100, 100, RGB(200, 100, 0));
    item.SetBitmap(src, {0, 0, 60, 40});
    BITMAP bm{};
    ::GetObjectW(item.Bitmap(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 60);
    EXPECT_EQ(bm.bmHeight, 40);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(item.m_hWnd, img));
    EXPECT_EQ(img.Pixel(30, 20), RGB(200, 100, 0));
    parent.Clear();
    item.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)item.m_hWnd);
    PumpPending();
    EXPECT_EQ(parent.Count(WM_COMMAND), 1);
    ::DeleteObject(src);
}
