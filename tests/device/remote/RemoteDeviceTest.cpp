// The configurator's device object against the real server: a read, a
// change, a write with progress and the change read back through a new
// device object; and a device object deleted while its write is slowed down.
#include <gtest/gtest.h>

#include <objbase.h>

#include "DeviceObjects.h"
#include "ProgressRecorder.h"
#include "VeskConfig.h"

namespace {

// Everything the start-up read and the dialog's first read bring in.
const uint32_t kReadEverything = 0x1B7D | 0x2;

ComPtr<IServiceControl> ConnectControl()
{
    ComPtr<IDeviceCollection> c;
    if (FAILED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                  IID_IDeviceCollection, c.OutVoid())))
        return {};
    return c.As<IServiceControl>();
}

class RemoteDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        control_ = ConnectControl();
        ASSERT_TRUE(control_);
        ASSERT_EQ(S_OK, control_->ClearFaults());
        ASSERT_EQ(S_OK, control_->Reset());
    }
    void TearDown() override
    {
        ReleaseAppGlobals();
        if (control_) {
            control_->ClearFaults();
            control_->Reset();
        }
        control_.Reset();
        ::CoUninitialize();
    }
    static std::vector<std::wstring> Names(const IMouseConfig& c)
    {
        std::vector<std::wstring> names;
        for (uint32_t i = 0; i < c.GetProfileCount(); ++i)
            names.push_back(c.GetProfile(i)->GetName());
        return names;
    }
    ComPtr<IServiceControl> control_;
};

}  // namespace

TEST_F(RemoteDevice, AChangeWrittenWithProgressReadsBackThroughANewDeviceObject)
{
    CVeskConfig config;
    GenDevice* device = CreateDeviceObject(&config, nullptr);
    ASSERT_EQ(AppPicker(), device);
    ASSERT_EQ(0x1Fu, device->GetProductId());
    ASSERT_TRUE(device->Transfer(&config, kTransferRead, kReadEverything));
    ASSERT_EQ(5u, config.GetProfileCount());

    IMouseProfile* p = config.GetProfile(1);
    config.SetStageValue(2, 2400, p);
    config.SetStageFlag(2, 0, p);
    config.SetZoneColor(0, 0x00336699, p);
    config.SetAcceleration(7);
    config.SetActiveProfile(p);
    p->SetName(L"Renamed");

    ProgressRecorder rec;
    device->AddProgressListener(rec.Hwnd());
    ASSERT_TRUE(device->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return !device->IsBusy(); }, 30000));
    EXPECT_EQ(ProgressRecorder::Expected(Names(config), true), rec.Events());
    ReleaseAppGlobals();

    CVeskConfig back;
    GenDevice* fresh = CreateDeviceObject(&back, nullptr);
    ASSERT_EQ(AppPicker(), fresh);
    ASSERT_TRUE(fresh->Transfer(&back, kTransferRead, kReadEverything));
    ASSERT_EQ(5u, back.GetProfileCount());
    IMouseProfile* q = back.GetProfile(1);
    EXPECT_STREQ(L"Renamed", q->GetName());
    EXPECT_EQ(2400u, back.GetStageValue(2, q));
    EXPECT_EQ(0x00336699, back.GetZoneColor(0, q));
    EXPECT_EQ(7, back.GetAcceleration());
    EXPECT_EQ(q, back.GetActiveProfile());
    // What was not changed stays.
    EXPECT_EQ(config.GetStageValue(1, p), back.GetStageValue(1, q));
    EXPECT_EQ(config.GetStageValue(1, config.GetProfile(0)), back.GetStageValue(1, back.GetProfile(0)));
}

TEST_F(RemoteDevice, DeletingTheDeviceObjectDuringASlowWriteNeitherCrashesNorHangs)
{
    CVeskConfig config;
    GenDevice* device = CreateDeviceObject(&config, nullptr);
    ASSERT_EQ(AppPicker(), device);
    ProgressRecorder rec;
    device->AddProgressListener(rec.Hwnd());
    ASSERT_EQ(S_OK, control_->SetFault(L"IDpiSettings.SetDpi", S_OK, 3000, -1));
    ASSERT_TRUE(device->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return !rec.Events().empty(); }, 10000));
    DWORD start = ::GetTickCount();
    ReleaseAppGlobals();
    EXPECT_LT(::GetTickCount() - start, 15000u);
    EXPECT_FALSE(rec.Events().empty());

    // The server is free for the next device object.
    ASSERT_EQ(S_OK, control_->ClearFaults());
    CVeskConfig next;
    EXPECT_EQ(AppPicker(), CreateDeviceObject(&next, nullptr));
    EXPECT_EQ(5u, next.GetProfileCount());
}
