// Message routing: map chaining, reflection to controls, PreTranslateMessage
// order, and what happens around creation and destruction.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Controls.h"
#include "RecordingWnd.h"
#include "Wnd.h"

namespace {

std::vector<std::string> g_calls;

class CBaseTestWnd : public CWnd {
public:
    BOOL CreatePopup() {
        return CreateEx(0, RegisterClassOnce(CS_DBLCLKS), L"base", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    }

protected:
    LRESULT OnOne(WPARAM, LPARAM) { g_calls.push_back("base one"); return 1; }
    LRESULT OnTwo(WPARAM w, LPARAM) { g_calls.push_back("base two"); return (LRESULT)w * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_MESSAGE(WM_USER + 1, OnOne)
    ON_MESSAGE(WM_USER + 2, OnTwo)
END_MESSAGE_MAP()

UINT g_registered = ::RegisterWindowMessageW(L"TK_TEST_REGISTERED");

class CDerivedTestWnd : public CBaseTestWnd {
public:
    bool sawNcCreate = false;
    bool createHandled = false;
    bool postNcDestroyed = false;
    UINT lastCommand = 0;

    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
        if (m == WM_NCCREATE) sawNcCreate = true;
        return CBaseTestWnd::WindowProc(m, w, l);
    }
    void PostNcDestroy() override { postNcDestroyed = true; }

protected:
    int OnCreate(LPCREATESTRUCTW cs) {
        createHandled = sawNcCreate;  // WM_NCCREATE came first, through this object
        return CWnd::OnCreate(cs);
    }
    LRESULT OnOne(WPARAM, LPARAM) { g_calls.push_back("derived one"); return 11; }
    LRESULT OnRegistered(WPARAM w, LPARAM) { return (LRESULT)w + 100; }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnRange(UINT id) { lastCommand = id; }
    LRESULT OnNcHitTest(CPoint p) { return CWnd::OnNcHitTest(p); }  // default processing via Default()
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_USER + 1, OnOne)
    ON_MESSAGE(WM_USER + 9, OnThrow)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_COMMAND_RANGE(500, 510, OnRange)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, DerivedEntriesWinAndOthersChainToTheBase)
{
    g_calls.clear();
    CDerivedTestWnd w;
    ASSERT_TRUE(w.CreatePopup());
    EXPECT_EQ(11, w.SendMessage(WM_USER + 1));
    EXPECT_EQ(6, w.SendMessage(WM_USER + 2, 3));
    EXPECT_EQ(0, w.SendMessage(WM_USER + 3));  // nobody: the default procedure
    EXPECT_EQ((std::vector<std::string>{"derived one", "base two"}), g_calls);
    EXPECT_EQ(105, w.SendMessage(g_registered, 5));
}

TEST(MessageMap, CreationMessagesReachTheObject)
{
    CDerivedTestWnd w;
    ASSERT_TRUE(w.CreatePopup());
    EXPECT_TRUE(w.sawNcCreate);
    EXPECT_TRUE(w.createHandled);
    EXPECT_EQ(&w, CWnd::FromHandlePermanent(w.m_hWnd));
}

TEST(MessageMap, CommandRangeAndDefaultProcessing)
{
    CDerivedTestWnd w;
    ASSERT_TRUE(w.CreatePopup());
    w.SendMessage(WM_COMMAND, MAKEWPARAM(505, 0), 0);
    EXPECT_EQ(505u, w.lastCommand);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(511, 0), 0);
    EXPECT_EQ(505u, w.lastCommand);
    CRect r;
    w.GetWindowRect(&r);
    EXPECT_EQ(HTCLIENT, w.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left + 50, r.top + 50)));
}

TEST(MessageMap, AnExceptionNeverLeavesTheWindowProcedure)
{
    CDerivedTestWnd w;
    ASSERT_TRUE(w.CreatePopup());
    EXPECT_EQ(0, w.SendMessage(WM_USER + 9));
    EXPECT_EQ(11, w.SendMessage(WM_USER + 1));  // still alive and routing
}

TEST(MessageMap, DestructionUnbindsAndCallsPostNcDestroy)
{
    CDerivedTestWnd w;
    ASSERT_TRUE(w.CreatePopup());
    HWND h = w.m_hWnd;
    ASSERT_TRUE(w.DestroyWindow());
    EXPECT_TRUE(w.postNcDestroyed);
    EXPECT_EQ(nullptr, w.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    EXPECT_FALSE(::IsWindow(h));
}

TEST(MessageMap, AnObjectDestroyedFirstTakesItsWindowAlong)
{
    HWND h;
    {
        CDerivedTestWnd w;
        ASSERT_TRUE(w.CreatePopup());
        h = w.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(h));
}

TEST(MessageMap, ForeignWindowsGetTemporaryWrappers)
{
    HWND h = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(h);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    CWnd* temp = CWnd::FromHandle(h);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(h, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(h));
    EXPECT_STREQ(L"foreign", temp->GetWindowText());
    CWnd::DeleteTempMap();
    ::DestroyWindow(h);
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
}

// ------------------------------------------------------------- reflection

namespace {

class CReflectButton : public CButton {
public:
    int reflected = 0;
    bool passOn = false;
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }

protected:
    BOOL OnClickedEx() { ++reflected; return passOn ? FALSE : TRUE; }
    void OnCustomDraw(NMHDR*, LRESULT* result) { *result = CDRF_NOTIFYITEMDRAW; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedEx)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CColorStatic : public CStatic {
public:
    CBrush brush{RGB(1, 2, 3)};
    HBRUSH CtlColor(CDC* dc, UINT) { dc->SetTextColor(RGB(200, 0, 0)); return brush; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent whose own map also wants the click.
class CClickParent : public CRecordingWnd {
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickParent, CRecordingWnd)
    ON_BN_CLICKED(77, OnClicked)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, ControlNotificationsAreReflectedToTheControlFirst)
{
    CClickParent parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CReflectButton button;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 60, 30), &parent, 77));

    button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, button.reflected);
    EXPECT_EQ(0, parent.clicks);  // swallowed by the reflection

    button.passOn = true;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, button.reflected);
    EXPECT_EQ(1, parent.clicks);
    RecordedMsg click{WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), (LPARAM)button.m_hWnd};
    std::vector<RecordedMsg> expected = {click, click};
    EXPECT_EQ("", DiffSequence(expected, parent.OnlyMessage(WM_COMMAND)));
}

TEST(MessageMap, NotifyReflectionGivesTheControlsResult)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CReflectButton button;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 60, 30), &parent, 78));
    NMCUSTOMDRAW cd{};
    cd.hdr.hwndFrom = button.m_hWnd;
    cd.hdr.idFrom = 78;
    cd.hdr.code = NM_CUSTOMDRAW;
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, parent.SendMessage(WM_NOTIFY, 78, (LPARAM)&cd));
}

TEST(MessageMap, OwnerDrawAndColourMessagesAreReflected)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CReflectButton button;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 60, 30), &parent, 79));
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    parent.UpdateWindow();
    PumpPending();
    EXPECT_GE(button.drawn, 1);

    CColorStatic label;
    ASSERT_TRUE(label.Create(L"label", WS_VISIBLE, CRect(5, 40, 100, 60), &parent, 80));
    HDC dc = ::GetDC(label.m_hWnd);
    LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label.m_hWnd);
    EXPECT_EQ((LRESULT)(HBRUSH)label.brush, brush);
    EXPECT_EQ(RGB(200, 0, 0), ::GetTextColor(dc));
    ::ReleaseDC(label.m_hWnd, dc);
}

// ------------------------------------------------------ PreTranslateMessage

namespace {

class CPreTranslateChild : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    bool swallow = false;
    int keyDowns = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            log->push_back(name);
            return swallow;
        }
        return FALSE;
    }

protected:
    void OnKeyDown(UINT, UINT, UINT) { ++keyDowns; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreTranslateChild, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, PreTranslateRunsFromTheInnermostWindowUp)
{
    std::vector<std::string> log;
    CPreTranslateChild outer, inner;
    outer.log = inner.log = &log;
    outer.name = "outer";
    inner.name = "inner";
    ASSERT_TRUE(outer.CreateEx(0, nullptr, L"outer", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(inner.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &outer, 1));

    MSG msg{inner.m_hWnd, WM_KEYDOWN, VK_SPACE, 0, 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ((std::vector<std::string>{"inner", "outer"}), log);

    log.clear();
    inner.swallow = true;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ((std::vector<std::string>{"inner"}), log);

    log.clear();
    inner.swallow = false;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(inner.m_hWnd, &msg));  // stops at the given window
    EXPECT_EQ((std::vector<std::string>{"inner"}), log);
}
