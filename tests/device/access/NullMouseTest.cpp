// The null device: its read fills the defaults, it answers as a connected
// device without a product id, and its transfer reports 0 % and fails.
#include <gtest/gtest.h>

#include "NullMouse.h"
#include "ProgressRecorder.h"
#include "VeskConfig.h"

TEST(NullMouse, ReadFillsTheDefaultsAndTheKeyIds)
{
    CNullMouse device;
    CVeskConfig config;
    config.NewProfile(L"stale");
    EXPECT_TRUE(device.ReadAll(&config));
    ASSERT_EQ(20u, config.GetProfileCount());
    EXPECT_STREQ(L"PROFILE01", config.GetProfile(0)->GetName());
    EXPECT_STREQ(L"PROFILE20", config.GetProfile(19)->GetName());
    EXPECT_EQ(config.GetProfile(0), config.GetActiveProfile());
    IMouseProfile* last = config.GetProfile(19);
    EXPECT_EQ(5u, config.GetStageCount(last));
    EXPECT_EQ(3, config.GetCurrentStage(last));
    EXPECT_EQ(5600u, config.GetStageValue(5, last));
    EXPECT_EQ(1, config.GetPollingRateIndex());
    EXPECT_EQ(5, config.GetAcceleration());
    EXPECT_EQ(108u, device.KeyIds().size());
    device.ReleaseCache();
    EXPECT_TRUE(device.KeyIds().empty());
    EXPECT_FALSE(device.ReadAll(nullptr));
}

TEST(NullMouse, AnswersAsAConnectedDeviceWithoutAProductId)
{
    CNullMouse device;
    EXPECT_EQ(0u, device.GetProductId());
    EXPECT_STREQ(L"NullMouse", device.GetName());
    EXPECT_TRUE(device.IsConnected());
    EXPECT_TRUE(device.IsOnline());
    EXPECT_FALSE(device.IsBusy());
    EXPECT_EQ(20u, device.GetDeviceProfileCount());
    CString a, b;
    EXPECT_TRUE(device.GetVersionA(a));
    EXPECT_TRUE(device.GetVersionB(b));
    EXPECT_STREQ(L"1.00", a);
    EXPECT_STREQ(L"1.00", b);
    EXPECT_EQ(&device, device.GetProgressMessenger());
}

TEST(NullMouse, TransferReportsNothingDoneAndFails)
{
    CNullMouse device;
    CVeskConfig config;
    device.ReadAll(&config);
    ProgressRecorder rec;
    device.AddProgressListener(rec.Hwnd());
    EXPECT_FALSE(device.Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_FALSE(device.Transfer(&config, kTransferRead, 0x30F));
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"0"}), rec.Events());
    EXPECT_EQ(20u, config.GetProfileCount());
    device.RemoveProgressListener(rec.Hwnd());
    EXPECT_FALSE(device.Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_EQ(2u, rec.Events().size());
}
