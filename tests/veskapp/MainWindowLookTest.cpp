// The main window on the real skin for each model, captured page by page
// (build/captures/veskapp_main_*.png).
#include <gtest/gtest.h>

#include "ItemIds.h"
#include "LangTable.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "SkinLoader.h"
#include "TreeCapture.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "resource.h"

namespace {

struct ModelCase {
    uint32_t productId;
    const wchar_t* name;
};

class MainWindowLook : public ::testing::TestWithParam<ModelCase> {};

}  // namespace

TEST_P(MainWindowLook, EveryPageOfTheModel)
{
    CGUIItems language;
    LoadSkinPage(&language, L"Language.xml", nullptr, false);
    SelectLanguage(0);
    CVeskConfig config;
    config.SetActiveProfile(config.NewProfile(L"Everyday"));
    CScriptedDevice device;
    device.productId = GetParam().productId;
    GenDevice* slot = &device;
    {
        CVeskAppDlg dlg(&slot, &config);
        ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
        RECT r;
        dlg.GetWindowRect(&r);
        EXPECT_EQ(1000, r.right - r.left);
        EXPECT_EQ(640, r.bottom - r.top);
        // No frame: the skin covers the whole window.
        RECT client;
        dlg.GetClientRect(&client);
        POINT origin{0, 0};
        dlg.ClientToScreen(&origin);
        EXPECT_EQ(1000, client.right);
        EXPECT_EQ(640, client.bottom);
        EXPECT_EQ(r.left, origin.x);
        EXPECT_EQ(r.top, origin.y);
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        const int masks[6] = {PAGE_BUTTONS, PAGE_KEYS, PAGE_PERFORMANCE, PAGE_PROFILES, PAGE_MACROS, PAGE_LIGHTING};
        for (int i = 0; i < 6; ++i) {
            dlg.ShowPage(masks[i]);
            PumpPending();
            std::wstring name = std::wstring(L"veskapp_main_") + GetParam().name + L"_page" + std::to_wstring(i + 1);
            EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, name.c_str()));
        }
        dlg.DestroyWindow();
    }
    language.DeleteAll();
}

INSTANTIATE_TEST_SUITE_P(Models, MainWindowLook,
                         ::testing::Values(ModelCase{0x1F, L"wireless"}, ModelCase{0x21, L"dock"},
                                           ModelCase{0x15, L"wired"}, ModelCase{0x2E, L"model2e"}),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                             return std::string(info.param.productId == 0x1F   ? "Wireless"
                                                : info.param.productId == 0x21 ? "Dock"
                                                : info.param.productId == 0x15 ? "Wired"
                                                                                : "Model2E");
                         });
