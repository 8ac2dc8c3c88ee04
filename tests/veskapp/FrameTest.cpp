// The main dialog as a frame: loading and merging the page lists, pages and
// model items shown, commands routed by window to the page modules, the
// recording and writing guards, and closing without a mouse.
#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

#include "FrameSkin.h"
#include "ItemIds.h"
#include "ModelFlags.h"
#include "RecordingWnd.h"
#include "RemovalNotice.h"
#include "ScriptedDevice.h"
#include "SkinTestFiles.h"
#include "StartMark.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WarningPopup.h"
#include "WidgetMessages.h"
#include "resource.h"

namespace {

std::vector<std::string> g_log;

// Logs what the frame calls, as "<page>:<call>"; handles the commands of
// the ids it is given.
class CRecordingModule : public CPageModule {
public:
    CRecordingModule(IPageHost& host, int mask, std::vector<int> ids) : CPageModule(host, mask), m_ids(ids) {}
    void Bind(const PageLists& lists) override { Log("bind"); }
    void Fill() override { Log("fill"); }
    void Refresh() override { Log("refresh"); }
    void OnPageShown(int current) override { Log("shown" + std::to_string(current)); }
    bool OnCommand(const Command& c) override
    {
        for (int id : m_ids) {
            if (id == c.id) {
                Log("command" + std::to_string(c.id) + "@" + std::to_string(c.list));
                return true;
            }
        }
        return false;
    }
    bool OnWidgetMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result) override
    {
        if ((int)l != PageMask())
            return false;
        Log("widget" + std::to_string(message));
        *result = 7;
        return true;
    }

private:
    void Log(const std::string& what) { g_log.push_back(std::to_string(PageMask()) + ":" + what); }
    std::vector<int> m_ids;
};

PageModuleList RecordingModules(IPageHost& host)
{
    PageModuleList m;
    m.push_back(std::make_unique<CRecordingModule>(host, PAGE_BUTTONS, std::vector<int>{BUTTON_RESET}));
    m.push_back(std::make_unique<CRecordingModule>(host, PAGE_KEYS, std::vector<int>{BUTTON_DISABLE_KEYS}));
    m.push_back(std::make_unique<CRecordingModule>(host, PAGE_PERFORMANCE, std::vector<int>{BUTTON_RATE1}));
    m.push_back(std::make_unique<CRecordingModule>(host, PAGE_PROFILES, std::vector<int>{BUTTON_NEWPROFILE}));
    m.push_back(std::make_unique<CRecordingModule>(
        host, PAGE_MACROS, std::vector<int>{BUTTON_MACRO_RECORD, BUTTON_MACRO_RECORD_STOP}));
    m.push_back(std::make_unique<CRecordingModule>(host, PAGE_LIGHTING, std::vector<int>{BUTTON_UPDATE}));
    return m;
}

std::vector<LightingValues> g_sent;  // lighting previews, in the order sent
std::vector<std::wstring> g_warnings;
std::function<void()> g_whileWarning;  // runs while the "popup" is open
INT_PTR RecordWarning(CWnd*, const wchar_t* file, const wchar_t*, const wchar_t*)
{
    g_warnings.push_back(file);
    if (g_whileWarning)
        g_whileWarning();
    return IDOK;
}

// A removal notice of a mouse interface of product `pid`.
void SendRemoval(HWND window, const wchar_t* pid)
{
    std::vector<BYTE> notice = RemovalNotice(MouseInterfacePath(pid).c_str());
    ::SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, (LPARAM)notice.data());
}

bool Shown(const CGUIItem* item)
{
    return item && item->HasWindow() && (::GetWindowLongPtrW(item->m_window, GWL_STYLE) & WS_VISIBLE);
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        g_warnings.clear();
        g_sent.clear();
        g_whileWarning = nullptr;
        SetWarningPopupRunner(&RecordWarning);
        config.SetActiveProfile(config.NewProfile(L"One"));
    }
    void TearDown() override
    {
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
        SetWarningPopupRunner(nullptr);
    }
    void Open(const wchar_t* skipFile = nullptr)
    {
        WriteFrameSkin(skipFile);
        dlg = std::make_unique<CVeskAppDlg>(&slot, &config, nullptr, &RecordingModules);
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
        dlg->LightingSender().SetSend([](const LightingValues& v) { g_sent.push_back(v); });
    }
    bool ApplyEnabled() { return Main(BUTTON_APPLY) && ::IsWindowEnabled(Main(BUTTON_APPLY)->m_window); }
    CGUIItem* Main(int id) { return dlg->Items().FindById(id); }
    CGUIItem* InList(int list, int id) { return dlg->List(list).FindById(id); }
    void Click(const CGUIItem* item, UINT code = BN_CLICKED)
    {
        ASSERT_TRUE(item && item->HasWindow());
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(0, code), (LPARAM)item->m_window);
    }
    bool Logged(const std::string& entry) const
    {
        for (const auto& e : g_log)
            if (e == entry)
                return true;
        return false;
    }

    ScopedTestProgramFolder folder;
    CVeskConfig config;
    CScriptedDevice device;
    GenDevice* slot = &device;
    std::unique_ptr<CVeskAppDlg> dlg;
};

}  // namespace

TEST_F(Frame, StartShowsTheFirstPageAndTheWirelessModelsItems)
{
    Open();
    // Every module bound, filled and heard the first ShowPage, in that order.
    std::vector<std::string> expected;
    for (int mask = 1; mask <= 0x20; mask <<= 1)
        expected.push_back(std::to_string(mask) + ":bind");
    for (int mask = 1; mask <= 0x20; mask <<= 1)
        expected.push_back(std::to_string(mask) + ":shown1");
    for (int mask = 1; mask <= 0x20; mask <<= 1)
        expected.push_back(std::to_string(mask) + ":fill");
    EXPECT_EQ(expected, g_log);

    EXPECT_EQ(PAGE_BUTTONS, dlg->CurrentPage());
    EXPECT_EQ(MODEL_WIRELESS, dlg->ModelFlag());
    ASSERT_EQ(1u, device.transfers.size());  // the keys
    EXPECT_EQ(kTransferRead, device.transfers[0].direction);
    EXPECT_EQ(0x2u, device.transfers[0].mask);
    EXPECT_EQ(std::vector<HWND>{dlg->m_hWnd}, device.listeners);

    EXPECT_TRUE(Shown(InList(LIST_PAGE_BUTTONS, BUTTON_RESET)));
    EXPECT_TRUE(Shown(InList(LIST_PAGE_BUTTONS, BITMAP_KOVUZENTVIEWPLAN)));  // variant merged, this model's
    EXPECT_FALSE(Shown(InList(LIST_PAGE_BUTTONS, BITMAP_KOVUVIEWPLAN)));     // the wired model's
    EXPECT_FALSE(Shown(InList(LIST_PAGE_KEYS, BUTTON_DISABLE_KEYS)));
    EXPECT_TRUE(Shown(InList(LIST_STRIP, TEXT_HEADING_CURRENTPROFILE)));
    EXPECT_EQ(0u, dlg->List(9).Count());  // variant lists hand their items over

    EXPECT_TRUE(Shown(Main(BITMAP_ICON_KOVUZENT)));
    EXPECT_FALSE(Shown(Main(BITMAP_ICON_KOVU)));
    EXPECT_FALSE(Shown(Main(BITMAP_ICON_NULL)));
    EXPECT_TRUE(Shown(Main(BITMAP_CONNECTION_WIRED)));
    EXPECT_FALSE(Shown(Main(BITMAP_CONNECTION_WIRELESS)));
    auto* tab = static_cast<CBitmapBtn*>(Main(BUTTON_LIGHTINGMAINTENANCE));
    EXPECT_EQ(CString(L"$LightingAndPower"), tab->Caption());
    EXPECT_TRUE(static_cast<CBitmapBtn*>(Main(BUTTON_ASSIGNBUTTONS))->IsSelected());
    EXPECT_FALSE(Main(BUTTON_APPLY) && ::IsWindowEnabled(Main(BUTTON_APPLY)->m_window));
    EXPECT_FALSE(dlg->IsTimer1Armed());

    dlg->MarkUnsaved();
    EXPECT_TRUE(::IsWindowEnabled(Main(BUTTON_APPLY)->m_window));
}

TEST_F(Frame, WiredModelShowsItsLightingVariantAndCaption)
{
    device.productId = 0x15;
    Open();
    Click(Main(BUTTON_LIGHTINGMAINTENANCE));
    EXPECT_EQ(PAGE_LIGHTING, dlg->CurrentPage());
    EXPECT_EQ(CString(L"$Lighting"), static_cast<CBitmapBtn*>(Main(BUTTON_LIGHTINGMAINTENANCE))->Caption());
    EXPECT_TRUE(Shown(InList(LIST_PAGE_LIGHTING, GLOW_LEDON)));
    EXPECT_FALSE(Shown(InList(LIST_PAGE_LIGHTING, KOVUZENT_COLOR_ON)));
    EXPECT_FALSE(Shown(InList(LIST_STRIP, TEXT_HEADING_CURRENTPROFILE)));
    EXPECT_TRUE(Shown(Main(BITMAP_ICON_KOVU)));
    EXPECT_FALSE(Shown(Main(BITMAP_CONNECTION_WIRED)));
}

TEST_F(Frame, CommandsGoByWindowToThePageModules)
{
    Open();
    g_log.clear();
    Click(InList(LIST_PAGE_BUTTONS, BUTTON_RESET));
    Click(InList(LIST_PAGE_BUTTONS, TEXT_THUMBGRIDVIEW_BUTTON), STN_CLICKED);  // a view link: the frame's
    EXPECT_EQ(PAGE_KEYS, dlg->CurrentPage());
    Click(InList(LIST_PAGE_BUTTONS, BUTTON_RESET));  // not the current page: not found, not routed
    Click(Main(BUTTON_ADJUSTPERFORMANCE));
    Click(InList(LIST_PAGE_PERFORMANCE, BUTTON_RATE1));
    Click(Main(BUTTON_ADJUSTPERFORMANCE));  // the page shown already: nothing
    std::vector<std::string> expected = {"1:command63@0"};
    for (int mask = 1; mask <= 0x20; mask <<= 1)
        expected.push_back(std::to_string(mask) + ":shown2");
    for (int mask = 1; mask <= 0x20; mask <<= 1)
        expected.push_back(std::to_string(mask) + ":shown4");
    expected.push_back("4:command32@2");
    EXPECT_EQ(expected, g_log);

    // Widget messages: the current page's module first; its answer returns.
    g_log.clear();
    EXPECT_EQ(7, dlg->SendMessage(WM_SLIDER_RELEASED, 3, PAGE_LIGHTING));
    EXPECT_EQ(std::vector<std::string>{"32:widget1094"}, g_log);
}

TEST_F(Frame, RecordingPassesOnlyTheStopAndWritingPassesNothing)
{
    Open();
    Click(Main(BUTTON_MANAGEMACROS));
    dlg->SetRecording(true);
    g_log.clear();
    Click(InList(LIST_PAGE_MACROS, BUTTON_MACRO_RECORD));
    Click(Main(BUTTON_ASSIGNBUTTONS));
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);  // Escape
    dlg->SendMessage(WM_SLIDER_RELEASED, 3, PAGE_LIGHTING);  // another page's widget
    Click(InList(LIST_PAGE_MACROS, BUTTON_MACRO_RECORD_STOP));
    EXPECT_EQ(std::vector<std::string>{"16:command94@4"}, g_log);
    EXPECT_EQ(PAGE_MACROS, dlg->CurrentPage());
    EXPECT_TRUE(dlg->IsWindowVisible() || ::IsWindow(dlg->m_hWnd));

    dlg->SetRecording(false);
    device.busy = true;
    g_log.clear();
    Click(InList(LIST_PAGE_MACROS, BUTTON_MACRO_RECORD));
    dlg->SendMessage(WM_SLIDER_RELEASED, 3, PAGE_MACROS);
    EXPECT_TRUE(g_log.empty());
    Click(Main(BUTTON_ASSIGNBUTTONS));  // page switching changes nothing: still allowed
    EXPECT_EQ(PAGE_BUTTONS, dlg->CurrentPage());
}

TEST_F(Frame, TheEndOfTheFirstPaintSetsTheBenchmarksMark)
{
    wchar_t name[kBenchMarkNameLength];
    BenchMarkName(name, L"paint", ::GetCurrentProcessId());
    HANDLE mark = ::CreateEventW(nullptr, TRUE, FALSE, name);
    ASSERT_TRUE(mark);
    Open();
    dlg->ShowWindow(SW_SHOWNOACTIVATE);
    ::UpdateWindow(dlg->m_hWnd);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(mark, 0));
    ::CloseHandle(mark);
}

TEST_F(Frame, EnterDoesNothingAndCancelAfterAnEditReadsTheDeviceBack)
{
    Open();
    device.transfers.clear();
    dlg->ShowWindow(SW_SHOW);
    dlg->SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dlg->IsWindowVisible());
    // A colour previewed but never applied: closing puts the applied one
    // back and sends it.
    int applied = config.GetZoneColor(0, nullptr);
    config.SetZoneColor(0, 0x123456, nullptr);
    dlg->MarkUnsaved();
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(1u, device.transfers.size());
    EXPECT_EQ(kTransferRead, device.transfers[0].direction);
    EXPECT_EQ(0x30Fu, device.transfers[0].mask);
    dlg->LightingSender().Join();
    ASSERT_EQ(1u, g_sent.size());
    EXPECT_EQ(applied, g_sent[0].colour);
    EXPECT_EQ(applied, config.GetZoneColor(0, nullptr));
}

TEST_F(Frame, ApplyWritesEverythingAndAFailedOrBusyWriteKeepsTheEdit)
{
    Open();
    device.transfers.clear();
    // Refused: still unsaved, Apply still on, the applied lights unchanged.
    int applied = config.GetZoneColor(0, nullptr);
    config.SetZoneColor(0, 0x00FF00, nullptr);
    dlg->MarkUnsaved();
    device.transferResult = false;
    Click(Main(BUTTON_APPLY));
    ASSERT_EQ(1u, device.transfers.size());
    EXPECT_EQ(kTransferWrite, device.transfers[0].direction);
    EXPECT_EQ(0x2FFFu, device.transfers[0].mask);
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(std::vector<std::wstring>{L"WriteRefusedPopup.xml"}, g_warnings);
    g_warnings.clear();
    IMouseProfile* active = config.GetActiveProfile();
    ASSERT_TRUE(RestoreAppliedLighting(config));
    EXPECT_EQ(applied, config.GetZoneColor(0, nullptr));
    config.SetZoneColor(0, 0x00FF00, nullptr);

    // Started: saved, Apply off, and once the write has ended well the new
    // colour is what a close restores.
    device.transferResult = true;
    Click(Main(BUTTON_APPLY));
    EXPECT_EQ(2u, device.transfers.size());
    EXPECT_FALSE(dlg->IsUnsaved());
    EXPECT_FALSE(ApplyEnabled());
    ASSERT_TRUE(PumpUntil([&] { return !dlg->WriteResultPending(); }));
    PumpPending();
    EXPECT_TRUE(g_warnings.empty());
    config.SetZoneColor(0, 0x0000FF, nullptr);
    ASSERT_TRUE(RestoreAppliedLighting(config));
    EXPECT_EQ(0x00FF00, config.GetZoneColor(0, active));

    // Started, then failed on the way: the edit comes back as unsaved and
    // the applied lights stay those of the last good write.
    config.SetZoneColor(0, 0xFF0000, nullptr);
    device.lastWriteOk = false;
    Click(Main(BUTTON_APPLY));
    EXPECT_EQ(3u, device.transfers.size());
    ASSERT_TRUE(PumpUntil([&] { return !g_warnings.empty(); }));
    EXPECT_EQ(std::vector<std::wstring>{L"WriteFailedPopup.xml"}, g_warnings);
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_TRUE(ApplyEnabled());
    ASSERT_TRUE(RestoreAppliedLighting(config));
    EXPECT_EQ(0x00FF00, config.GetZoneColor(0, active));

    // While a write runs nothing is written and the edit stays.
    dlg->MarkUnsaved();
    device.busy = true;
    EXPECT_FALSE(dlg->Apply());
    EXPECT_EQ(3u, device.transfers.size());
    EXPECT_TRUE(dlg->IsUnsaved());
}

// The worker posts its request: the write starts on the dialog's thread and
// never inside a message sent from the worker, where a call to the device
// service out of the process would be refused.
TEST_F(Frame, TheDocksApplyWaitsForTheDeviceThenWritesOnTheDialogsThread)
{
    device.productId = 0x21;
    Open();
    device.transfers.clear();
    device.busy = true;
    dlg->MarkUnsaved();
    EXPECT_FALSE(dlg->Apply());  // queued behind the running write
    EXPECT_TRUE(dlg->IsWriting());
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_TRUE(device.transfers.empty());
    device.busy = false;
    ASSERT_TRUE(PumpUntil([&] { return !device.transfers.empty(); }));
    EXPECT_EQ(kTransferWrite, device.transfers[0].direction);
    EXPECT_EQ(0x2FFFu, device.transfers[0].mask);
    EXPECT_EQ(::GetCurrentThreadId(), device.transfers[0].thread);
    EXPECT_FALSE(device.transfers[0].insideSent);
    EXPECT_FALSE(dlg->IsUnsaved());
    EXPECT_TRUE(PumpUntil([&] { return !dlg->IsWriting(); }));

    // Refused by the device object: told once the worker has its answer.
    device.transferResult = false;
    dlg->MarkUnsaved();
    EXPECT_TRUE(dlg->Apply());
    ASSERT_TRUE(PumpUntil([&] { return !g_warnings.empty(); }));
    EXPECT_EQ(std::vector<std::wstring>{L"WriteRefusedPopup.xml"}, g_warnings);
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_FALSE(dlg->IsWriting());

    // A request of a worker that gave up, or from elsewhere, is ignored.
    dlg->SendMessage(WM_APPLY_WRITE_NOW, 0, 12345);
    EXPECT_EQ(2u, device.transfers.size());
}

// An Apply that finds the running mouse gone ends as its unplugging does.
TEST_F(Frame, AnApplyThatFindsNoMouseShowsTheNoMousePopupAndCloses)
{
    Open();
    dlg->ShowWindow(SW_SHOWNOACTIVATE);
    dlg->MarkUnsaved();
    device.transferResult = false;
    device.connected = false;
    Click(Main(BUTTON_APPLY));
    EXPECT_TRUE(dlg->IsTimer1Armed());
    EXPECT_TRUE(PumpUntil([&] { return !g_warnings.empty() && dlg->HasEnded(); }));
    EXPECT_EQ(std::vector<std::wstring>{L"NoMousePopup.xml"}, g_warnings);
}

TEST_F(Frame, OkDuringAWriteClosesOnlyOnceTheWriteHasEnded)
{
    Open();
    device.transfers.clear();
    dlg->ShowWindow(SW_SHOW);
    dlg->MarkUnsaved();
    Click(Main(BUTTON_OK));
    ASSERT_EQ(1u, device.transfers.size());
    device.busy = true;  // the write goes on
    EXPECT_FALSE(dlg->IsWindowVisible());
    PumpUntil([] { return false; }, 300);  // the close comes and waits
    EXPECT_FALSE(dlg->HasEnded());
    device.busy = false;
    EXPECT_TRUE(PumpUntil([&] { return dlg->HasEnded(); }));
    // Saved: no read-back on the way out.
    EXPECT_EQ(1u, device.transfers.size());
}

// OK whose write does not reach the mouse is called off: the window comes
// back saying so, with the edit still to apply; a close then reads the
// device back.
TEST_F(Frame, OkWhoseWriteFailsKeepsTheWindowAndTheEdit)
{
    Open();
    device.transfers.clear();
    dlg->ShowWindow(SW_SHOW);
    dlg->MarkUnsaved();
    device.lastWriteOk = false;
    Click(Main(BUTTON_OK));
    ASSERT_TRUE(PumpUntil([&] { return !g_warnings.empty(); }));
    EXPECT_EQ(std::vector<std::wstring>{L"WriteFailedPopup.xml"}, g_warnings);
    PumpPending();
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_EQ(1u, device.transfers.size());

    // Refused at once: told, and the window stays too.
    device.transferResult = false;
    Click(Main(BUTTON_OK));
    EXPECT_EQ(2u, g_warnings.size());
    EXPECT_EQ(L"WriteRefusedPopup.xml", g_warnings.back());
    EXPECT_TRUE(dlg->IsWindowVisible());

    Click(Main(BUTTON_CANCEL));
    EXPECT_TRUE(PumpUntil([&] { return dlg->HasEnded(); }));
    ASSERT_EQ(3u, device.transfers.size());
    EXPECT_EQ(kTransferRead, device.transfers[2].direction);
    EXPECT_EQ(0x30Fu, device.transfers[2].mask);
    EXPECT_EQ(2u, g_warnings.size());
}

TEST_F(Frame, WithoutAMouseTheWarningShowsOnceAndTheDialogCloses)
{
    device.connected = false;
    Open();
    dlg->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(dlg->IsTimer1Armed());
    EXPECT_EQ(MODEL_NONE, dlg->ModelFlag());
    EXPECT_TRUE(PumpUntil([&] { return !g_warnings.empty() && !dlg->IsWindowVisible(); }));
    PumpPending();
    EXPECT_EQ(std::vector<std::wstring>{L"NoMousePopup.xml"}, g_warnings);
}

TEST_F(Frame, AMissingPageLeavesThatPageEmptyAndTheRestWorking)
{
    Open(L"AdjustPerformance.xml");
    EXPECT_EQ(0u, dlg->List(LIST_PAGE_PERFORMANCE).Count());
    Click(Main(BUTTON_ADJUSTPERFORMANCE));
    EXPECT_EQ(PAGE_PERFORMANCE, dlg->CurrentPage());
    Click(Main(BUTTON_MANAGEPROFILES));
    EXPECT_TRUE(Shown(InList(LIST_PAGE_PROFILES, BUTTON_NEWPROFILE)));
}

TEST_F(Frame, TheRunningModelGoingAwayArmsTimer1OnceEvenWhileItsWarningShows)
{
    device.productId = 0x2E;
    Open();
    dlg->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_EQ(MODEL_2E, dlg->ModelFlag());
    EXPECT_EQ(CString(L"$Lighting"), static_cast<CBitmapBtn*>(Main(BUTTON_LIGHTINGMAINTENANCE))->Caption());
    SendRemoval(dlg->m_hWnd, L"0015");  // another model: nothing
    EXPECT_FALSE(dlg->IsTimer1Armed());

    bool statusTimerGone = false;
    g_whileWarning = [&] {
        SendRemoval(dlg->m_hWnd, L"002E");
        statusTimerGone = !::KillTimer(dlg->m_hWnd, 3);
    };
    SendRemoval(dlg->m_hWnd, L"002E");
    EXPECT_TRUE(dlg->IsTimer1Armed());
    EXPECT_TRUE(PumpUntil([&] { return !g_warnings.empty() && !dlg->IsWindowVisible(); }));
    EXPECT_TRUE(statusTimerGone);
    EXPECT_FALSE(::KillTimer(dlg->m_hWnd, 1));  // not armed a second time
    EXPECT_EQ(std::vector<std::wstring>{L"NoMousePopup.xml"}, g_warnings);
}
