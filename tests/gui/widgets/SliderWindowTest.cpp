// Slider thumbs and tracks as windows: positions, drags, releases, track
// clicks, relayed notifications, tooltips and the fill level.
#include <gtest/gtest.h>

#include "Capture.h"
#include "RecordingWnd.h"
#include "Slider.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "TestBitmaps.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"

namespace {

const int kThumbId = 77;
const int kTrackId = 55;

bool IsSliderMessage(UINT m)
{
    return m >= WM_SLIDER_RELEASED && m <= WM_SLIDER_THUMB_MOVED_V;
}

// A thumb whose owner records what the thumb sends and posts it.
struct ThumbOnRecorder {
    CRecordingWnd top;
    CRecordingWnd owner{&IsSliderMessage};
    ThumbOnRecorder() {
        top.CreateTopLevel(300, 120);
        owner.CreateChild(&top, {10, 10, 250, 70});
    }
};

template <class T>
void CreateThumb(T& thumb, CWnd* owner, const RECT& rect, int w = 10, int h = 20)
{
    thumb.m_id = kThumbId;
    ASSERT_TRUE(thumb.Create(MakeSolidBitmap(w, h, RGB(200, 0, 0)), owner, MakeSolidBitmap(w, h, RGB(0, 0, 200)),
                             nullptr, false, rect));
}

RECT WindowRectIn(HWND child, HWND parent)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    return r;
}

void Drag(HWND thumb, int fromX, int toX, int y = 10)
{
    ::SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, y));
    // Each move is given in the thumb's current client coordinates.
    RECT r{};
    ::GetWindowRect(thumb, &r);
    POINT target{r.left + toX, r.top + y};
    ::ScreenToClient(thumb, &target);
    ::SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
}

}  // namespace

TEST(SliderWindow, HorizontalThumbSitsOnItsPositionAndReportsMoves)
{
    ThumbOnRecorder r;
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &r.owner, {20, 5, 120, 25});
    thumb.SetPos(5, true);
    RECT w = WindowRectIn(thumb.m_hWnd, r.owner.m_hWnd);
    EXPECT_EQ(20 + 50, w.left + 5);  // centre 50 pixels from the track's left edge
    EXPECT_EQ(5, w.top);
    EXPECT_EQ(10, w.right - w.left);
    // Setting the same position again with notify moves and notifies again.
    thumb.SetPos(5, true);
    thumb.SetPos(5, false);  // without notify: nothing
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_SLIDER_THUMB_MOVED_H, 0, 65}, {WM_SLIDER_THUMB_MOVED_H, 0, 65}};
    EXPECT_EQ("", DiffSequence(expected, r.owner.Log()));
    EXPECT_STREQ(L"5", thumb.TipText());
}

TEST(SliderWindow, DraggingPostsChangesOnlyAcrossPositions)
{
    ThumbOnRecorder r;
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &r.owner, {20, 5, 120, 25});
    thumb.SetPos(0, true);
    r.owner.Clear();
    // Press at the thumb's centre; move 3 px: within the step, no change.
    Drag(thumb.m_hWnd, 5, 8);
    PumpPending();
    EXPECT_EQ(1, r.owner.Count(WM_SLIDER_THUMB_MOVED_H));
    EXPECT_EQ(0, r.owner.Count(WM_SLIDER_CHANGING));
    EXPECT_TRUE(thumb.Dragging());
    // Far beyond the right end: clamped to position 10.
    RECT w{};
    ::GetWindowRect(thumb.m_hWnd, &w);
    POINT beyond{w.left + 500, w.top + 10};
    ::ScreenToClient(thumb.m_hWnd, &beyond);
    ::SendMessageW(thumb.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(beyond.x, beyond.y));
    ::SendMessageW(thumb.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(beyond.x, beyond.y));
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_SLIDER_THUMB_MOVED_H, 0, 18},
                                         {WM_SLIDER_THUMB_MOVED_H, 0, 115},
                                         {WM_SLIDER_CHANGING, 10, kThumbId},
                                         {WM_SLIDER_RELEASED, 10, kThumbId}};
    EXPECT_EQ("", DiffSequence(expected, r.owner.Log()));
    EXPECT_EQ(10, thumb.Value());
    EXPECT_FALSE(thumb.Dragging());
}

TEST(SliderWindow, VerticalTruncatesAndIgnoresTheSamePosition)
{
    ThumbOnRecorder r;
    CVertSlider thumb;  // values 1..32, positions 0..31
    CreateThumb(thumb, &r.owner, {10, 5, 30, 36}, 20, 10);  // 31 px: one pixel a step
    EXPECT_EQ(1, thumb.Geometry().offset);
    EXPECT_EQ(31, thumb.Geometry().positionMax);
    thumb.SetPos(3, true);
    RECT w = WindowRectIn(thumb.m_hWnd, r.owner.m_hWnd);
    EXPECT_EQ(31 - 3, w.top);  // bottom limit 31, values grow upward
    thumb.SetPos(3, true);     // same position: nothing at all
    PumpPending();
    EXPECT_EQ(1, r.owner.Count(WM_SLIDER_THUMB_MOVED_V));
    EXPECT_EQ(4, thumb.Value());
    // Dragged 1.9 steps upward (2 px at one px a step would be 2 steps; use
    // a 62 px track for half-pixel steps instead).
    CVertSlider tall;
    CreateThumb(tall, &r.owner, {40, 5, 60, 67}, 20, 10);  // 62 px: 2 px a step
    tall.SetPos(3, true);
    r.owner.Clear();
    ::SendMessageW(tall.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ::SendMessageW(tall.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 5 - 3));  // 1.5 steps up
    PumpPending();
    EXPECT_EQ(4, tall.Position());  // truncated: one position
    std::vector<RecordedMsg> expected = {{WM_SLIDER_THUMB_MOVED_V, 0, 62 - 6 - 3 + 10},
                                         {WM_SLIDER_CHANGING, 5, kThumbId}};
    EXPECT_EQ("", DiffSequence(expected, r.owner.Log()));
    ::SendMessageW(tall.m_hWnd, WM_LBUTTONUP, 0, 0);
}

TEST(SliderWindow, HorizontalRoundsADragToTheNearestPosition)
{
    ThumbOnRecorder r;
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &r.owner, {20, 5, 120, 25});
    thumb.SetPos(3, true);
    Drag(thumb.m_hWnd, 5, 5 + 19);  // 1.9 steps to the right
    EXPECT_EQ(5, thumb.Position());
    ::SendMessageW(thumb.m_hWnd, WM_LBUTTONUP, 0, 0);
}

TEST(SliderWindow, NonInteractiveThumbIgnoresTheMouse)
{
    ThumbOnRecorder r;
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &r.owner, {20, 5, 120, 25});
    thumb.SetPos(2, true);
    thumb.SetInteractive(false);
    r.owner.Clear();
    Drag(thumb.m_hWnd, 5, 60);
    ::SendMessageW(thumb.m_hWnd, WM_LBUTTONUP, 0, 0);
    PumpPending();
    EXPECT_TRUE(r.owner.Log().empty());
    EXPECT_EQ(2, thumb.Position());
}

TEST(SliderTrackWindow, RelaysNotificationsAndJumpsOnAClick)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 120));
    CSliderTrack track;
    track.m_id = kTrackId;
    ASSERT_TRUE(track.CreateTrack({10, 10, 250, 50}, &page));
    EXPECT_EQ(kTrackId, ::GetDlgCtrlID(track.m_hWnd));
    EXPECT_EQ(track.m_hWnd, track.m_window);
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &track, {20, 5, 120, 25});
    track.SetThumb(&thumb);
    thumb.SetPos(0, true);

    Drag(thumb.m_hWnd, 5, 5 + 30);
    ::SendMessageW(thumb.m_hWnd, WM_LBUTTONUP, 0, 0);
    PumpPending();
    std::vector<RecordedMsg> drag = {{WM_SLIDER_CHANGING, 3, kThumbId}, {WM_SLIDER_RELEASED, 3, kThumbId}};
    EXPECT_EQ("", DiffSequence(drag, page.Log()));
    page.Clear();

    // A click on the track: the thumb jumps there, then the page hears of
    // the track release and the thumb's release.
    ::SendMessageW(track.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(90, 15));
    PumpPending();
    std::vector<RecordedMsg> click = {{WM_SLIDERTRACK_RELEASED, kTrackId, MAKELPARAM(90, 15)},
                                      {WM_SLIDER_RELEASED, 7, kThumbId}};
    EXPECT_EQ("", DiffSequence(click, page.Log()));
    EXPECT_EQ(7, thumb.Value());
    EXPECT_EQ(15 + 70, track.ThumbX());

    // A disabled thumb does not jump; the track release is still reported.
    page.Clear();
    thumb.EnableWindow(FALSE);
    ::SendMessageW(track.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    PumpPending();
    std::vector<RecordedMsg> disabled = {{WM_SLIDERTRACK_RELEASED, kTrackId, MAKELPARAM(20, 15)}};
    EXPECT_EQ("", DiffSequence(disabled, page.Log()));
    EXPECT_EQ(7, thumb.Value());

    // With an owner set, the owner hears instead of the parent.
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(50, 50));
    track.SetOwner(&owner);
    page.Clear();
    ::SendMessageW(track.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    PumpPending();
    EXPECT_TRUE(page.Log().empty());
    EXPECT_EQ(1, owner.Count(WM_SLIDERTRACK_RELEASED));
}

TEST(SliderTrackWindow, TrackingTooltipFollowsHoverChangeAndRelease)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 120));
    page.ShowWindow(SW_SHOWNOACTIVATE);
    CSliderTrack track;
    track.m_id = kTrackId;
    ASSERT_TRUE(track.CreateTrack({10, 10, 250, 50}, &page));
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 10);
    CreateThumb(thumb, &track, {20, 5, 120, 25});
    track.SetThumb(&thumb);
    thumb.SetToolTip(L"", 2, L"DPI ");
    EXPECT_TRUE(track.ToolAdded());
    EXPECT_EQ(nullptr, track.TipWindow());  // a window only while shown
    thumb.SetPos(4, true);
    EXPECT_STREQ(L"DPI 4", thumb.TipText());
    ::SendMessageW(thumb.m_hWnd, WM_MOUSEHOVER, 0, 0);
    EXPECT_TRUE(track.TipShown());
    ASSERT_NE(nullptr, track.TipWindow());
    EXPECT_TRUE(::IsWindowVisible(track.TipWindow()));
    EXPECT_EQ(1, (int)::SendMessageW(track.TipWindow(), TTM_GETTOOLCOUNT, 0, 0));
    ::SendMessageW(thumb.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(track.TipShown());
    EXPECT_EQ(nullptr, track.TipWindow());
    // A change while dragging shows it again, the release takes it away.
    Drag(thumb.m_hWnd, 5, 5 + 20);
    PumpPending();
    EXPECT_TRUE(track.TipShown());
    ASSERT_NE(nullptr, track.TipWindow());
    EXPECT_STREQ(L"DPI 6", thumb.TipText());
    ::SendMessageW(thumb.m_hWnd, WM_LBUTTONUP, 0, 0);
    PumpPending();
    EXPECT_FALSE(track.TipShown());
    EXPECT_EQ(nullptr, track.TipWindow());
    // A thumb without a text has nothing to show.
    thumb.SetTipText(L"");
    ::SendMessageW(thumb.m_hWnd, WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(nullptr, track.TipWindow());
    // Switched off, hover shows nothing.
    thumb.SetPos(5, true);
    track.EnableTip(false);
    ::SendMessageW(thumb.m_hWnd, WM_MOUSEHOVER, 0, 0);
    EXPECT_FALSE(track.TipShown());
    EXPECT_EQ(nullptr, track.TipWindow());
}

TEST(SliderTrackWindow, FillLevelFollowsTheThumb)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 120));
    page.ShowWindow(SW_SHOWNOACTIVATE);
    CSliderTrack track;
    track.m_id = kTrackId;
    ASSERT_TRUE(track.CreateTrack({10, 10, 250, 50}, &page));
    track.SetBitmap(MakeGradientBitmap(240, 40, RGB(40, 40, 40), RGB(120, 120, 120)));
    FillInfo fill;
    fill.fill = RGB(0, 180, 255);
    fill.rect = {20, 16, 220, 24};
    track.SetFill(fill);
    CPHSlider thumb;
    SetValueRange(thumb.Geometry(), 0, 20);
    CreateThumb(thumb, &track, {20, 10, 220, 30});
    track.SetThumb(&thumb);
    thumb.SetPos(10, true);  // left edge at 15 + 100
    EXPECT_EQ(115, track.ThumbX());
    page.UpdateWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(track.m_hWnd, img));
    EXPECT_EQ(RGB(0, 180, 255), img.Pixel(60, 20));
    EXPECT_NE(RGB(0, 180, 255), img.Pixel(180, 20));
    EXPECT_TRUE(SaveTreeCapture(page.m_hWnd, L"widgets_slider_track_fill"));
}

TEST(SliderHMulti, ValueRulesWithAndWithoutThumbs)
{
    CSliderHMulti none(0);
    EXPECT_EQ(0, none.GetValue());
    none.SetValue(9);  // nothing to set
    none.SetRange(1, 5);
    EXPECT_EQ(ITEM_SLIDERHMULTI, none.m_type);

    ThumbOnRecorder r;
    CSliderHMulti multi(2);
    ASSERT_EQ(2, multi.Count());
    EXPECT_EQ(1, multi.Thumb(0)->Geometry().offset);
    EXPECT_EQ(31, multi.Thumb(1)->Geometry().positionMax);
    for (int i = 0; i < 2; ++i)
        CreateThumb(*multi.Thumb(i), &r.owner, {20, 5, 120, 25});
    multi.SetRange(10, 20);
    EXPECT_EQ(10, multi.Thumb(1)->Geometry().positionMax);
    EXPECT_EQ(10, multi.Thumb(0)->CapMin());  // caps clamped into positions 0..10
    EXPECT_EQ(10, multi.Thumb(0)->CapMax());
    multi.SetValue(3);  // below the offset: position 0
    EXPECT_EQ(0, multi.Thumb(0)->Position());
    EXPECT_EQ(10, multi.GetValue());
    multi.SetValue(17);
    EXPECT_EQ(17, multi.GetValue());
    multi.EnableAll(false);
    EXPECT_FALSE(multi.Thumb(1)->Interactive());
    multi.EnableAll(true);
    EXPECT_TRUE(multi.Thumb(1)->Interactive());
    // The shown value of a horizontal thumb carries the multiplier.
    multi.Thumb(0)->SetMultiplier(100);
    multi.Thumb(0)->SetPos(2, true);
    EXPECT_STREQ(L"1200", multi.Thumb(0)->TipText());
}
