// The model picker: its choice among the attached models, and over the
// service in this process its switching, the device object the configurator
// creates at start and the fall-back to the null device.
#include <gtest/gtest.h>

#include "DeviceObjects.h"
#include "InProcessService.h"
#include "ProgressRecorder.h"
#include "VeskConfig.h"

namespace {

struct CallbackLog {
    std::vector<GenDevice*> devices;
    static void Record(GenDevice* device, void* user) { static_cast<CallbackLog*>(user)->devices.push_back(device); }
};

class PickerTest : public InProcessServiceTest {
protected:
    void TearDown() override
    {
        ReleaseAppGlobals();
        InProcessServiceTest::TearDown();
    }
    CMousePicker* NewPicker(CallbackLog& log)
    {
        size_t n = 0;
        const DeviceDescriptor* table = KnownDevices(n);
        auto* p = new CMousePicker(table, n, &log);
        p->SetCallback(&CallbackLog::Record);
        return p;
    }
};

}  // namespace

TEST(ChooseModel, PrefersTheTableOrderAndKeepsAChoiceWhileAttached)
{
    size_t n = 0;
    const DeviceDescriptor* table = KnownDevices(n);
    EXPECT_EQ(0, ChooseModel(table, n, -1, {0x15, 0x1F}));
    EXPECT_EQ(1, ChooseModel(table, n, -1, {0x15, 0x21}));
    EXPECT_EQ(2, ChooseModel(table, n, -1, {0x15, 0x2E}));
    // A chosen model stays chosen while attached, even with a preferred one.
    EXPECT_EQ(2, ChooseModel(table, n, 2, {0x1F, 0x15}));
    // When it goes, the next detection switches.
    EXPECT_EQ(2, ChooseModel(table, n, 0, {0x15}));
    EXPECT_EQ(-1, ChooseModel(table, n, 0, {}));
    EXPECT_EQ(3, ChooseModel(table, n, -1, {0x2E, 0}));
    EXPECT_EQ(-1, ChooseModel(table, n, -1, {0x2F, 0}));
    EXPECT_EQ(0, ChooseModel(table, n, 7, {0x1F}));
    EXPECT_EQ(-1, ChooseModel(nullptr, 0, -1, {0x1F}));
}

TEST_F(PickerTest, PrefersTheWirelessMouseAndSwitchesWhenItGoes)
{
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    CallbackLog log;
    std::unique_ptr<CMousePicker> picker(NewPicker(log));
    CVeskConfig config;
    ASSERT_TRUE(picker->ReadAll(&config));
    EXPECT_EQ(0x1Fu, picker->GetProductId());
    ASSERT_EQ(1u, log.devices.size());
    EXPECT_EQ(picker->Chosen(), log.devices[0]);
    EXPECT_TRUE(picker->IsConnected());

    // The wireless mouse goes: the transfer made at that moment fails and
    // the wired mouse is chosen, without a device object until a read.
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    EXPECT_FALSE(picker->Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_EQ(1u, log.devices.size());
    EXPECT_EQ(nullptr, picker->Chosen());
    EXPECT_EQ(0u, picker->GetProductId());
    EXPECT_FALSE(picker->Transfer(&config, kTransferRead, 0x30F));

    ASSERT_TRUE(picker->ReadAll(&config));
    EXPECT_EQ(0x15u, picker->GetProductId());
    EXPECT_STREQ(L"Tandu Kovu", picker->GetName());
    ASSERT_EQ(2u, log.devices.size());
    EXPECT_TRUE(picker->Transfer(&config, kTransferRead, 0x30F));

    // The wireless mouse coming back does not take over a chosen model.
    ASSERT_EQ(S_OK, Control()->Attach(0x1F));
    EXPECT_TRUE(picker->Transfer(&config, kTransferRead, 0x30F));
    EXPECT_EQ(0x15u, picker->GetProductId());

    // No known model left: the callback hears of it with null.
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    ASSERT_EQ(S_OK, Control()->Detach(0x15));
    EXPECT_FALSE(picker->Transfer(&config, kTransferRead, 0x30F));
    ASSERT_EQ(3u, log.devices.size());
    EXPECT_EQ(nullptr, log.devices[2]);
}

TEST_F(PickerTest, WithoutADeviceObjectEveryOperationAnswersFalseOrZero)
{
    CallbackLog log;
    std::unique_ptr<CMousePicker> picker(NewPicker(log));
    CVeskConfig config;
    ProgressRecorder rec;
    picker->AddProgressListener(rec.Hwnd());
    picker->RemoveProgressListener(rec.Hwnd());
    EXPECT_FALSE(picker->IsBusy());
    EXPECT_FALSE(picker->IsConnected());
    EXPECT_FALSE(picker->IsOnline());
    EXPECT_EQ(0u, picker->GetProductId());
    EXPECT_EQ(0u, picker->GetDeviceProfileCount());
    EXPECT_STREQ(L"", picker->GetName());
    EXPECT_EQ(nullptr, picker->GetProgressMessenger());
    CString v(L"unchanged");
    EXPECT_FALSE(picker->GetVersionA(v));
    EXPECT_STREQ(L"unchanged", v);
    EXPECT_FALSE(picker->ImportProfile(L"x.qvp", &config));
    EXPECT_FALSE(picker->ProfileExists(nullptr));
    // Detection alone creates no device object, so a transfer still fails.
    EXPECT_FALSE(picker->Transfer(&config, kTransferRead, 0x30F));
    EXPECT_TRUE(log.devices.empty());
    EXPECT_TRUE(rec.Events().empty());
}

TEST_F(PickerTest, CreateDeviceObjectReadsTheAttachedMouse)
{
    CVeskConfig config;
    CallbackLog log;
    GenDevice* device = CreateDeviceObject(&config, &log, &CallbackLog::Record);
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(AppPicker(), device);
    EXPECT_EQ(nullptr, AppNullMouse());
    EXPECT_EQ(0x1Fu, device->GetProductId());
    EXPECT_EQ(5u, config.GetProfileCount());
    EXPECT_EQ(1u, log.devices.size());
    ReleaseAppGlobals();
    EXPECT_EQ(nullptr, AppPicker());
}

TEST_F(PickerTest, WithNoDeviceTheNullMouseFillsTheDefaults)
{
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    CVeskConfig config;
    GenDevice* device = CreateDeviceObject(&config, nullptr);
    ASSERT_NE(nullptr, device);
    EXPECT_EQ(AppNullMouse(), device);
    EXPECT_EQ(nullptr, AppPicker());
    EXPECT_EQ(0u, device->GetProductId());
    EXPECT_EQ(20u, config.GetProfileCount());
    ReleaseAppGlobals();
    EXPECT_EQ(nullptr, AppNullMouse());
}
