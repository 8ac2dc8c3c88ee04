// The progress panel on this thread (percent, texts, animation, drawing)
// and on its own thread (the thread-message protocol and its lifetime).
#include <gtest/gtest.h>

#include <memory>

#include "Capture.h"
#include "ProgressPanelItem.h"
#include "ProgressPanelThread.h"
#include "RecordingWnd.h"

namespace {

ProgressTextArea Area(const wchar_t* name, const wchar_t* text, RECT r, COLORREF fg = 0xFFFFFF, COLORREF bg = 0)
{
    ProgressTextArea a;
    a.name = name;
    a.text = text;
    a.rect = r;
    a.textColour = fg;
    a.backColour = bg;
    return a;
}

ProgressPanelSetup MakeSetup(HWND parent, bool withPercent = true, const wchar_t* statusName = L"PP_STATUS")
{
    ProgressPanelSetup s;
    s.parent = parent;
    s.rect = {20, 30, 320, 130};
    s.colours.backclr = RGB(30, 30, 60);
    s.fill.fill = RGB(0, 200, 0);
    s.fill.back = RGB(60, 60, 60);
    s.fill.rect = {10, 40, 210, 60};
    s.textAreas.push_back(Area(L"PP_HEADING", L"heading", {10, 5, 290, 35}, RGB(255, 255, 0), RGB(0, 0, 90)));
    if (withPercent)
        s.textAreas.push_back(Area(L"PP_PERCENT", L"", {220, 40, 290, 60}));
    s.textAreas.push_back(Area(statusName, L"", {10, 65, 290, 95}, RGB(255, 255, 255), RGB(90, 0, 0)));
    return s;
}

bool WaitReady(CProgressPanelThread* t, DWORD ms = kHangTimeoutMs)
{
    return ::WaitForSingleObject(t->ReadyEvent(), ms) == WAIT_OBJECT_0;
}

}  // namespace

TEST(ProgressPanel, PercentIsClampedAndMovesBarAndText)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    ProgressPanelSetup s = MakeSetup(parent.m_hWnd);
    CProgressPanel panel;
    panel.SetColours(s.colours);
    panel.SetTextAreas(s.textAreas);
    ASSERT_TRUE(panel.Create(L"", s.style, s.rect, parent.m_hWnd, s.fill, 0xFFFF, WS_EX_NOPARENTNOTIFY));
    ASSERT_NE(nullptr, panel.FillBar());
    EXPECT_FLOAT_EQ(2.0f, panel.FillBar()->PixelsPerPercent());

    panel.SetPercent(150);
    EXPECT_EQ(100, panel.Percent());
    EXPECT_STREQ(L"100%", panel.PercentArea()->text);
    EXPECT_EQ(200, panel.FillBar()->FillWidth());
    panel.SetPercent(0);
    EXPECT_STREQ(L"0%", panel.PercentArea()->text);
    EXPECT_EQ(0, panel.FillBar()->FillWidth());
    panel.SetPercent((unsigned)-1);  // a negative percentage reads as 100
    EXPECT_EQ(100, panel.Percent());

    panel.SetPercent(42);
    panel.SetHeadingText(L"Reading from device ...");
    panel.SetStatusText(L"Profile: Work");
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    parent.UpdateWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(panel.m_hWnd, img));
    EXPECT_EQ(RGB(30, 30, 60), img.Pixel(2, 2));       // panel background
    EXPECT_EQ(RGB(0, 0, 90), img.Pixel(12, 7));        // heading area background
    EXPECT_EQ(RGB(90, 0, 0), img.Pixel(12, 67));       // status area background
    EXPECT_EQ(RGB(0, 200, 0), img.Pixel(15, 50));      // the fill bar, 84 px filled
    EXPECT_EQ(RGB(60, 60, 60), img.Pixel(150, 50));
    SaveCapture(panel.m_hWnd, L"progress_panel");
    SaveCapture(panel.FillBar()->m_hWnd, L"progress_fillbar");
    CapturedImage bar;
    ASSERT_TRUE(CaptureWindow(panel.FillBar()->m_hWnd, bar));
    EXPECT_EQ(RGB(0, 200, 0), bar.Pixel(10, 10));      // filled up to 84 px
    EXPECT_EQ(RGB(60, 60, 60), bar.Pixel(150, 10));
}

TEST(ProgressPanel, NamesAreCaseBlindAndTheLaterWins)
{
    std::vector<ProgressTextArea> areas = {Area(L"pp_status", L"a", {0, 0, 10, 10}),
                                           Area(L"Other", L"x", {0, 0, 10, 10}),
                                           Area(L"PP_Status", L"b", {0, 0, 10, 10})};
    CProgressPanel panel;
    panel.SetTextAreas(areas);
    panel.SetStatusText(L"new");
    ASSERT_NE(nullptr, panel.StatusArea());
    EXPECT_STREQ(L"new", panel.StatusArea()->text);
    EXPECT_STREQ(L"PP_Status", panel.StatusArea()->name);
    EXPECT_EQ(nullptr, panel.HeadingArea());
    EXPECT_EQ(nullptr, panel.PercentArea());
    panel.SetHeadingText(L"ignored");  // no heading area: nothing happens
    panel.SetPercent(30);               // no window, no fill bar: only the value
    EXPECT_EQ(30, panel.Percent());
}

TEST(ProgressPanel, FillBarWithZeroWidthShowsOnlyItsBackColour)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 100));
    CFillBar bar;
    FillInfo fill;
    fill.fill = RGB(255, 0, 0);
    fill.back = RGB(0, 0, 255);
    fill.rect = {0, 0, 100, 20};
    ASSERT_TRUE(bar.CreateBar(L"", WS_CHILD | WS_VISIBLE, &parent, fill, 0xFFFF));
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(bar.m_hWnd, img));
    for (int x : {0, 50, 99})
        EXPECT_EQ(RGB(0, 0, 255), img.Pixel(x, 10));
}

TEST(ProgressPanel, AnimationRunsBackAndForthAndRestartsUpward)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    ProgressPanelSetup s = MakeSetup(parent.m_hWnd);
    CProgressPanel panel;
    panel.SetTextAreas(s.textAreas);
    ASSERT_TRUE(panel.Create(L"", s.style, s.rect, parent.m_hWnd, s.fill, 0xFFFF));
    panel.StartAnimation(10000);  // ticks are sent by hand below
    panel.StartAnimation(20000);
    EXPECT_EQ(10000u, panel.AnimationInterval());  // the first interval stays
    EXPECT_TRUE(panel.AnimationRunning());
    for (int i = 0; i < 100; ++i)
        panel.SendMessage(WM_TIMER, CProgressPanel::kAnimationTimer);
    EXPECT_EQ(100, panel.Percent());
    EXPECT_EQ(-1, panel.AnimationStep());
    for (int i = 0; i < 30; ++i)
        panel.SendMessage(WM_TIMER, CProgressPanel::kAnimationTimer);
    EXPECT_EQ(70, panel.Percent());
    // Restarting while it runs down: back to 0 and upward, not -1 (= 100).
    panel.StartAnimation(5);
    EXPECT_EQ(0, panel.Percent());
    panel.SendMessage(WM_TIMER, CProgressPanel::kAnimationTimer);
    EXPECT_EQ(1, panel.Percent());
    panel.StopAnimation();
    EXPECT_FALSE(panel.AnimationRunning());
    panel.StopAnimation();  // stopping twice is harmless
}

TEST(ProgressPanelThread, RunsThePanelOnItsOwnThread)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    CProgressPanelThread* t = CProgressPanelThread::Begin(MakeSetup(parent.m_hWnd));
    ASSERT_NE(nullptr, t);
    // Made without our help: this thread does not pump while it waits, so a
    // creation that notified the parent would block here.
    ASSERT_TRUE(WaitReady(t));
    HWND panel = t->PanelWindow();
    ASSERT_TRUE(::IsWindow(panel));
    EXPECT_EQ(parent.m_hWnd, ::GetParent(panel));
    EXPECT_EQ(t->m_nThreadID, ::GetWindowThreadProcessId(panel, nullptr));
    EXPECT_NE(0u, (DWORD)::GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
    EXPECT_FALSE(::IsWindowVisible(panel));  // hidden until shown
    EXPECT_FALSE(::IsWindowEnabled(panel));
    RECT r{};
    ::GetWindowRect(panel, &r);
    ::MapWindowPoints(nullptr, parent.m_hWnd, (POINT*)&r, 2);
    EXPECT_EQ(20, r.left);  // the rectangle is the parent's client coordinates
    EXPECT_EQ(30, r.top);
    EXPECT_EQ(300, r.right - r.left);

    ASSERT_TRUE(t->PostPercent(150));
    ASSERT_TRUE(t->PostHeadingText(L"Writing to device ..."));
    ASSERT_TRUE(t->PostStatusText(L"Profile: One"));
    ::ShowWindow(panel, SW_SHOWNORMAL);
    EXPECT_TRUE(PumpUntil([&] { return t->Panel()->Percent() == 100; }));
    ASSERT_TRUE(t->PostPercent(37));
    EXPECT_TRUE(PumpUntil([&] { return t->Panel()->Percent() == 37; }));
    parent.UpdateWindow();
    SaveCapture(panel, L"progress_thread_panel");

    CProgressPanel* p = t->Panel();
    t->Quit();
    t->WaitForEnd();
    DWORD code = 0;
    ::GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ((DWORD)kProgressThreadExitCode, code);
    EXPECT_FALSE(::IsWindow(panel));  // destroyed on its own thread
    EXPECT_EQ(nullptr, t->PanelWindow());
    EXPECT_STREQ(L"Writing to device ...", p->HeadingArea()->text);
    EXPECT_STREQ(L"Profile: One", p->StatusArea()->text);
    EXPECT_STREQ(L"37%", p->PercentArea()->text);
    delete t;
}

TEST(ProgressPanelThread, RapidStatusTextsEachArriveIntact)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    CProgressPanelThread* t = CProgressPanelThread::Begin(MakeSetup(parent.m_hWnd, false, L"pp_status"));
    ASSERT_NE(nullptr, t);
    for (int i = 0; i < 200; ++i) {
        // The caller's buffer is reused at once: each post carries a copy.
        wchar_t text[32];
        _snwprintf(text, 32, L"status %d", i);
        ASSERT_TRUE(t->PostStatusText(text));
        wmemset(text, L'#', 31);
    }
    ASSERT_TRUE(t->PostPercent(50));
    ASSERT_TRUE(WaitReady(t));
    CProgressPanel* p = t->Panel();
    t->Quit();
    t->WaitForEnd();
    EXPECT_STREQ(L"status 199", p->StatusArea()->text);
    // No percent area: the fill bar still moved.
    ASSERT_NE(nullptr, p->FillBar());
    EXPECT_EQ(100, p->FillBar()->FillWidth());
    delete t;
}

TEST(ProgressPanelThread, EndRightAfterBeginDoesNotHang)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    for (int i = 0; i < 20; ++i) {
        DWORD start = ::GetTickCount();
        CProgressPanelThread* t = CProgressPanelThread::Begin(MakeSetup(parent.m_hWnd));
        ASSERT_NE(nullptr, t);
        t->PostStatusText(L"queued behind the quit");
        CProgressPanelThread::End(t);
        EXPECT_LT(::GetTickCount() - start, kHangTimeoutMs);
    }
    // Texts posted after the quit are freed by the ending thread.
    CProgressPanelThread* t = CProgressPanelThread::Begin(MakeSetup(parent.m_hWnd));
    ASSERT_NE(nullptr, t);
    t->Quit();
    for (int i = 0; i < 10; ++i)
        t->PostStatusText(L"late");
    CProgressPanelThread::End(t);
}

TEST(ProgressPanelThread, FailedCreationEndsTheThreadAndPostsFailCleanly)
{
    CProgressPanelThread* t = CProgressPanelThread::Begin(MakeSetup(nullptr));
    ASSERT_NE(nullptr, t);
    ASSERT_TRUE(WaitReady(t));
    EXPECT_EQ(nullptr, t->PanelWindow());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, kHangTimeoutMs));
    EXPECT_FALSE(t->PostStatusText(L"lost"));  // the poster frees the copy
    EXPECT_FALSE(t->PostPercent(3));
    CProgressPanelThread::End(t);  // the thread already ended: no wait
}

TEST(ProgressPanelThread, TextCopiesAreIndependent)
{
    std::unique_ptr<wchar_t[]> a(ProgressTextCopy(L"abc"));
    std::unique_ptr<wchar_t[]> b(ProgressTextCopy(nullptr));
    ASSERT_TRUE(a && b);
    EXPECT_STREQ(L"abc", a.get());
    EXPECT_STREQ(L"", b.get());
}

TEST(ProgressPanelItem, StartsOnceShowsAndEndsWithTheItem)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(400, 200));
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    {
        CProgressPanelItem never;  // destroyed without a start: no wait
        EXPECT_EQ(ITEM_PROGRESSPANEL, never.m_type);
        EXPECT_EQ(nullptr, never.m_window);
        never.ShowPanel();
    }
    auto item = std::make_unique<CProgressPanelItem>();
    ProgressPanelSetup s = MakeSetup(parent.m_hWnd);
    item->SetTextAreas(s.textAreas);
    item->SetFill(s.fill);
    item->SetBackColour(RGB(10, 20, 30));
    item->SetPlacement(s.rect, &parent, WS_CHILD | WS_VISIBLE);
    item->Start();
    CProgressPanelThread* t = item->Thread();
    ASSERT_NE(nullptr, t);
    item->Start();  // the second start returns at once
    EXPECT_EQ(t, item->Thread());
    ASSERT_TRUE(WaitReady(t));
    HWND panel = t->PanelWindow();
    item->ShowPanel();
    EXPECT_TRUE(::IsWindowVisible(panel));
    t->PostStatusText(L"shown");
    item.reset();  // ends the thread and destroys the panel on it
    EXPECT_FALSE(::IsWindow(panel));
}
