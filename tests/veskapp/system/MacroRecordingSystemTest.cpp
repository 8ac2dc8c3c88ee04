// A macro recorded on the macros page from keys sent through the system's
// input queue, read as raw input by the page's event list.
#include <gtest/gtest.h>

#include "ItemIds.h"
#include "LanguageNames.h"
#include "MacroDisplayItem.h"
#include "MacrosPage.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "ServiceConnection.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "resource.h"

namespace {

HRESULT NoService(IDeviceCollection** out)
{
    *out = nullptr;
    return E_FAIL;
}

}  // namespace

TEST(MacroRecordingSystemInput, SentKeysBecomeTheMacrosEvents)
{
    BuildLanguageTable();
    CVeskAppDlg::RegisterWindowClass(::GetModuleHandleW(nullptr), L"TkTestMainWindow");
    SetDeviceServiceFactory(&NoService);
    CVeskConfig config;
    config.SetActiveProfile(config.NewProfile(L"Everyday"));
    config.AddMacro(L"Typed");
    CScriptedDevice device;
    GenDevice* slot = &device;
    CVeskAppDlg dlg(&slot, &config);
    ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
    dlg.ShowWindow(SW_SHOW);
    dlg.ShowPage(PAGE_MACROS);
    CGUIItem* record = dlg.List(LIST_PAGE_MACROS).FindById(BUTTON_MACRO_RECORD);
    CGUIItem* stop = dlg.List(LIST_PAGE_MACROS).FindById(BUTTON_MACRO_RECORD_STOP);
    auto* display = static_cast<CMacroDisplayItem*>(dlg.List(LIST_PAGE_MACROS).FindById(MACRO_DISPLAY));
    ASSERT_TRUE(record && stop && display);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)record->m_window);
    ASSERT_TRUE(display->IsRecording());

    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = 'K';
    in[0].ki.wScan = 0x25;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(2u, ::SendInput(2, in, sizeof(INPUT)));
    // The press and the release (with the measured delay between them when
    // the clock moved).
    auto keys = [&] {
        int n = 0;
        for (const MacroEvent& e : display->GetEvents())
            n += e.kind == MacroEvent::kKey;
        return n;
    };
    EXPECT_TRUE(PumpUntil([&] { return keys() >= 2; }, 5000));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)stop->m_window);
    EXPECT_FALSE(display->IsRecording());

    const std::vector<MacroEvent>& events = config.GetMacro(0)->events;
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(MacroEvent::kKey, events.front().kind);
    EXPECT_EQ(0x25, events.front().value & 0xFFFF);
    EXPECT_TRUE(events.front().IsPress());
    EXPECT_EQ(MacroEvent::kKey, events.back().kind);
    EXPECT_EQ(0x25, events.back().value & 0xFFFF);
    EXPECT_FALSE(events.back().IsPress());
    dlg.DestroyWindow();
}
