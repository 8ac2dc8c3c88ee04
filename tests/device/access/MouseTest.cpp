// CMouse against the service's object model in this process: what its
// read-all learns, when it cannot connect, and how a write runs on its
// worker (progress, one at a time, the profile list, the wired model's
// features, being deleted mid-write).
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>

#include "DeviceDescriptor.h"
#include "DeviceGuid.h"
#include "InProcessService.h"
#include "Mouse.h"
#include "ProgressRecorder.h"
#include "ServiceConnection.h"
#include "StepsFixture.h"
#include "VeskConfig.h"

namespace {

std::vector<std::wstring> ProfileNames(const IMouseConfig& config)
{
    std::vector<std::wstring> names;
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i)
        names.push_back(config.GetProfile(i)->GetName());
    return names;
}

GUID GuidOf(const IMouseProfile* p)
{
    GUID g{};
    p->GetGuid(g);
    return g;
}

// A configuration that throws on the worker once it is armed, as running out
// of memory in the middle of a write would.
class ThrowingConfig : public CVeskConfig {
public:
    int GetAcceleration() const override
    {
        if (armed.exchange(false))
            throw std::bad_alloc();
        return CVeskConfig::GetAcceleration();
    }
    mutable std::atomic<bool> armed{false};
};

class MouseTest : public InProcessServiceTest {
protected:
    std::unique_ptr<CMouse> Mouse(uint32_t productId)
    {
        return std::unique_ptr<CMouse>(new CMouse(FindKnownDevice(productId)));
    }
    // What the configurator has before its first write: the read-all, then
    // the start-up read and the dialog's key read.
    static void ReadLikeStartUp(CMouse& m, CVeskConfig& config)
    {
        ASSERT_TRUE(m.ReadAll(&config));
        ASSERT_TRUE(m.Transfer(&config, kTransferRead, 0x1B7D | 0x2));
    }
    // Waits for the worker, handling its progress messages.
    static bool WaitIdle(CMouse& m, DWORD ms = 20000)
    {
        return PumpUntil([&] { return !m.IsBusy(); }, ms);
    }
};

}  // namespace

TEST_F(MouseTest, ReadAllLearnsProfilesVersionsAndWhatTheDeviceSupports)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    config.NewProfile(L"stale");
    ASSERT_TRUE(m->ReadAll(&config));
    EXPECT_TRUE(m->IsConnected());
    EXPECT_FALSE(m->IsBusy());

    EXPECT_EQ((std::vector<std::wstring>{L"Profile 1", L"Profile 2", L"Profile 3", L"Profile 4", L"Profile 5"}),
              ProfileNames(config));
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* p = config.GetProfile(i);
        EXPECT_FALSE(GuidIsZero(GuidOf(p)));
        EXPECT_EQ(5u, config.GetStageCapacity(p));
        uint32_t mn = 0, mx = 0, step = 0;
        EXPECT_TRUE(config.GetDpiRange(mn, mx, step, p));
        EXPECT_EQ(100u, mn);
        EXPECT_EQ(5600u, mx);
        EXPECT_EQ(100u, step);
    }
    CString a, b;
    EXPECT_TRUE(m->GetVersionA(a));
    EXPECT_TRUE(m->GetVersionB(b));
    EXPECT_STREQ(L"1.05", a);
    EXPECT_STREQ(L"2.10", b);
    EXPECT_EQ((std::vector<uint32_t>{0x1, 0x2, 0x4, 0x8, 0x10, 0x80, 0x100}), m->SupportedButtonBits());
    EXPECT_EQ(24u, m->KeyIds().size());
    EXPECT_EQ((std::vector<int>{125, 500, 1000}), m->ReportRates());
    ASSERT_EQ(3u, config.GetPollingRateCount());
    EXPECT_EQ(1000, config.GetPollingRate(2));
    EXPECT_EQ(1u, config.GetAccelerationMin());
    EXPECT_EQ(10u, config.GetAccelerationMax());

    EXPECT_EQ(0x1Fu, m->GetProductId());
    EXPECT_STREQ(L"Tandu Kovu Zent Wireless Mouse", m->GetName());
    EXPECT_EQ(5u, m->GetDeviceProfileCount());
    EXPECT_TRUE(m->IsOnline());
    ASSERT_EQ(S_OK, Control()->SetLink(0x1F, 0));
    EXPECT_FALSE(m->IsOnline());
}

TEST_F(MouseTest, ASecondUnitVersionIsReadIntoVersionAOnlyWhileConnected)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ASSERT_TRUE(m->ReadAll(&config));
    EXPECT_FALSE(m->RereadVersionA());  // not connected between operations
    ASSERT_EQ(S_OK, Control()->SetUnitVersion(0x1F, 3, 7, 0));
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x1000));
    CString a;
    m->GetVersionA(a);
    EXPECT_STREQ(L"3.07", a);
    ASSERT_EQ(S_OK, Control()->SetFault(L"IUnitVersion.GetVersion", E_FAIL, 0, 1));
    EXPECT_FALSE(m->Transfer(&config, kTransferRead, 0x1000));
    m->GetVersionA(a);
    EXPECT_STREQ(L"0.00", a);
}

TEST_F(MouseTest, WithoutTheModelNothingIsReadOrStarted)
{
    CVeskConfig config;
    config.NewProfile(L"kept");
    auto wired = Mouse(0x15);  // not attached by default
    EXPECT_FALSE(wired->ReadAll(&config));
    EXPECT_FALSE(wired->IsConnected());
    EXPECT_EQ(1u, config.GetProfileCount());  // nothing cleared without a device
    EXPECT_FALSE(wired->Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_FALSE(wired->IsBusy());
    EXPECT_FALSE(wired->Transfer(&config, kTransferRead, 0x30F));
    EXPECT_EQ(0u, wired->GetDeviceProfileCount());
    EXPECT_FALSE(wired->IsOnline());
    EXPECT_EQ(0, CountCalls(L"IProfileManager."));

    ClearLog();
    const uint32_t codes[] = {1};
    DeviceDescriptor noId = {0, codes, 1, L"none"};
    CMouse none(&noId);
    EXPECT_FALSE(none.ReadAll(&config));
    EXPECT_EQ(0, CountCalls(L"IDeviceCollection."));

    // No service at all.
    auto m = Mouse(0x1F);
    SetDeviceServiceFactory([](IDeviceCollection** out) {
        *out = nullptr;
        return REGDB_E_CLASSNOTREG;
    });
    EXPECT_FALSE(m->ReadAll(&config));
    EXPECT_FALSE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_FALSE(m->IsBusy());
    EXPECT_FALSE(m->Transfer(&config, 7, 0x2FFF));
}

TEST_F(MouseTest, AWriteSendsEachProfilesProgressInOrder)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    ProgressRecorder rec;
    m->AddProgressListener(rec.Hwnd());
    m->AddProgressListener(rec.Hwnd());  // once is enough
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_TRUE(m->IsBusy());
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_TRUE(m->LastWriteSucceeded());
    EXPECT_EQ(ProgressRecorder::Expected(ProfileNames(config), true), rec.Events());
    // Every message names its sender.
    for (const RecordedMsg& msg : rec.Window().Log())
        EXPECT_EQ(reinterpret_cast<WPARAM>(m->GetProgressMessenger()), msg.wParam);

    rec.Clear();
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x30F));
    EXPECT_EQ(ProgressRecorder::Expected(ProfileNames(config), false), rec.Events());

    m->RemoveProgressListener(rec.Hwnd());
    rec.Clear();
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_TRUE(rec.Events().empty());
}

TEST_F(MouseTest, ASecondWriteWhileOneRunsIsRefused)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    // The first profile lookup of the write waits, so the write is surely
    // still running.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IProfileManager.Item", S_OK, 500, 1));
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    EXPECT_FALSE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    // Reads and device queries fail while the write holds the device.
    EXPECT_FALSE(m->Transfer(&config, kTransferRead, 0x30F));
    EXPECT_EQ(0u, m->GetDeviceProfileCount());
    EXPECT_TRUE(m->IsBusy());
    ASSERT_TRUE(WaitIdle(*m));
    // Once it has ended the next write starts.
    EXPECT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_EQ(5u, m->GetDeviceProfileCount());
}

TEST_F(MouseTest, ApplyToTheWiredMouseSendsNoPowerSettingsButAllProgress)
{
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    auto m = Mouse(0x15);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    ASSERT_NE(nullptr, config.GetActiveProfile());
    ProgressRecorder rec;
    m->AddProgressListener(rec.Hwnd());
    ClearLog();
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_EQ(0, CountCalls(L"IPowerSettings.")) << Log().c_str();
    EXPECT_EQ(0, CountCalls(L"IUnitVersion.")) << Log().c_str();
    EXPECT_EQ(0, CountCalls(L"IPowerStatus.")) << Log().c_str();
    EXPECT_EQ(1, CountCalls(L"IProfileManager.SetActive"));
    EXPECT_EQ(ProgressRecorder::Expected(ProfileNames(config), true), rec.Events());

    // The wireless mouse does get them.
    auto wireless = Mouse(0x1F);
    CVeskConfig other;
    ReadLikeStartUp(*wireless, other);
    ClearLog();
    ASSERT_TRUE(wireless->Transfer(&other, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*wireless));
    EXPECT_GT(CountCalls(L"IPowerSettings."), 0);
}

TEST_F(MouseTest, AWriteBringsTheDeviceProfilesToTheConfigurations)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    IMouseProfile* gone = config.FindProfileByName(L"Profile 2");
    ASSERT_NE(nullptr, gone);
    const GUID goneId = GuidOf(gone);
    config.DeleteProfile(gone);
    IMouseProfile* fresh = config.NewProfile(L"Fresh");
    ASSERT_TRUE(GuidIsZero(GuidOf(fresh)));
    config.SetActiveProfile(config.GetProfile(0));

    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_EQ(1, CountCalls(L"IProfileManager.Remove"));
    EXPECT_EQ(1, CountCalls(L"IProfileManager.Create"));
    const GUID freshId = GuidOf(fresh);
    EXPECT_FALSE(GuidIsZero(freshId));

    CMouse again(FindKnownDevice(0x1F));
    CVeskConfig back;
    ASSERT_TRUE(again.ReadAll(&back));
    EXPECT_EQ((std::vector<std::wstring>{L"Profile 1", L"Profile 3", L"Profile 4", L"Profile 5", L"Fresh"}),
              ProfileNames(back));
    uint32_t w[4];
    memcpy(w, &goneId, sizeof(w));
    EXPECT_EQ(nullptr, back.FindProfileByGuid(w[0], w[1], w[2], w[3]));
    memcpy(w, &freshId, sizeof(w));
    IMouseProfile* freshBack = back.FindProfileByGuid(w[0], w[1], w[2], w[3]);
    ASSERT_NE(nullptr, freshBack);
    EXPECT_STREQ(L"Fresh", freshBack->GetName());
}

TEST_F(MouseTest, DeletingTheDeviceObjectMidWriteWaitsThenStopsTheWrite)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    ProgressRecorder rec;
    m->AddProgressListener(rec.Hwnd());
    // Each profile's sensitivity write takes 3 s: the whole write would
    // outlast the 7.5 s the deletion waits.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IDpiSettings.SetDpi", S_OK, 3000, -1));
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return !rec.Events().empty(); }));
    DWORD start = ::GetTickCount();
    m.reset();  // progress still reaches this thread's window meanwhile
    DWORD took = ::GetTickCount() - start;
    EXPECT_GE(took, 7000u);
    EXPECT_LT(took, 15000u);
    const int dpiWrites = CountCalls(L"IDpiSettings.SetDpi");
    EXPECT_GE(dpiWrites, 2);
    EXPECT_LT(dpiWrites, 5);
    // The write gave up: not every profile reached 100 %.
    int done = 0;
    for (const std::wstring& e : rec.Events())
        done += e == L"100";
    EXPECT_LT(done, 5);
    // The service is free again for the next device object.
    Control()->ClearFaults();
    CMouse next(FindKnownDevice(0x1F));
    EXPECT_EQ(5u, next.GetDeviceProfileCount());
}

TEST_F(MouseTest, AReadReportsAFailureEvenWhenLaterStepsSucceed)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ASSERT_TRUE(m->ReadAll(&config));
    ProgressRecorder rec;
    m->AddProgressListener(rec.Hwnd());
    // Only the first profile's properties fail.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IProfileProperties.Get", E_FAIL, 0, 1));
    EXPECT_FALSE(m->Transfer(&config, kTransferRead, 0x100));
    ASSERT_FALSE(rec.Events().empty());
    EXPECT_EQ(L"Profile: Profile 1", rec.Events()[0]);
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x100));

    // A failed device-wide step skips the steps after it, but the battery
    // and power settings are still read, and the read still fails.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IDeviceSwitches.GetValue", E_FAIL, 0, 1));
    ClearLog();
    EXPECT_FALSE(m->Transfer(&config, kTransferRead, 0x40 | 0x20 | 0x400 | 0x800));
    EXPECT_EQ(0, CountCalls(L"IReportRate.Get"));
    EXPECT_EQ(1, CountCalls(L"IPowerStatus.GetLevel"));
    EXPECT_EQ(1, CountCalls(L"IPowerSettings.GetWarningLevel"));
    // A battery reading alone failing fails the read too.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IPowerStatus.GetLevel", E_FAIL, 0, 1));
    EXPECT_FALSE(m->Transfer(&config, kTransferRead, 0x400 | 0x800));
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x400 | 0x800));
}

TEST_F(MouseTest, AFailedWriteStepSkipsTheRestButStillSendsThePowerSettings)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    ProgressRecorder rec;
    m->AddProgressListener(rec.Hwnd());
    ASSERT_EQ(S_OK, Control()->SetFault(L"IDpiSettings.SetDpi", E_FAIL, 0, 1));
    ClearLog();
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(WaitIdle(*m));
    // Only the first profile's sensitivity was attempted; nothing after it.
    EXPECT_EQ(1, CountCalls(L"IDpiSettings.SetDpi"));
    EXPECT_EQ(0, CountCalls(L"IButtonAssignments.Set"));
    EXPECT_EQ(0, CountCalls(L"IReportRate.Set"));
    EXPECT_EQ(0, CountCalls(L"IProfileManager.SetActive"));
    EXPECT_EQ(1, CountCalls(L"IPowerSettings.SetWarningLevel"));
    EXPECT_EQ(1, CountCalls(L"IPowerSettings.SetReducedBrightness"));
    EXPECT_EQ(1, CountCalls(L"IPowerSettings.SetIdleSeconds"));
    // Listeners still see every profile through to 100 %.
    EXPECT_EQ(ProgressRecorder::Expected(ProfileNames(config), true), rec.Events());
    // The device object knows; the next good write clears it.
    EXPECT_FALSE(m->LastWriteSucceeded());
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x40));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_TRUE(m->LastWriteSucceeded());
}

TEST_F(MouseTest, ImportsAndExportsConnectAndLetGoEachTime)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    IMouseProfile* p = config.GetProfile(0);
    TempFile profileFile(L"mouse.qvp");
    EXPECT_TRUE(m->ProfileExists(p));
    ASSERT_TRUE(m->ExportProfile(profileFile.Path(), p));
    ASSERT_TRUE(m->ImportProfile(profileFile.Path(), &config));
    EXPECT_EQ(6u, config.GetProfileCount());
    EXPECT_EQ(6u, m->GetDeviceProfileCount());

    CMacro* macro = config.AddMacro(L"Greeting");
    macro->events = {{MacroEvent::kKey, 0x1E, MacroEvent::kPress}, {MacroEvent::kKey, 0x1E, MacroEvent::kRelease}};
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x10));
    ASSERT_TRUE(WaitIdle(*m));
    EXPECT_TRUE(m->MacroExists(macro));
    TempFile macroFile(L"mouse.qvm");
    ASSERT_TRUE(m->ExportMacro(macroFile.Path(), macro));
    // Its name is taken: the import is refused and nothing changes.
    EXPECT_FALSE(m->ImportMacro(macroFile.Path(), &config));
    EXPECT_EQ(1u, config.GetMacroCount());

    // Missing arguments are refused without reaching the device.
    ClearLog();
    EXPECT_FALSE(m->ExportProfile(nullptr, p));
    EXPECT_FALSE(m->ImportProfile(profileFile.Path(), nullptr));
    EXPECT_FALSE(m->ImportMacro(macroFile.Path(), nullptr));
    EXPECT_FALSE(m->ExportMacro(macroFile.Path(), nullptr));
    EXPECT_FALSE(m->MacroExists(nullptr));
    EXPECT_FALSE(m->ProfileExists(nullptr));
    EXPECT_EQ(L"", Log());
    // The device is free again after all of them.
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x30F));
}

TEST_F(MouseTest, AWriteThatThrowsStillLetsGoOfTheDevice)
{
    auto m = Mouse(0x1F);
    ThrowingConfig config;
    ReadLikeStartUp(*m, config);
    config.armed = true;
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x40));
    // The write is over: not busy, and the device is free for the next one.
    ASSERT_TRUE(WaitIdle(*m, 5000));
    EXPECT_FALSE(config.armed.load());
    EXPECT_FALSE(m->LastWriteSucceeded());
    EXPECT_TRUE(m->Transfer(&config, kTransferRead, 0x40));
    EXPECT_EQ(5u, m->GetDeviceProfileCount());
}

TEST_F(MouseTest, TheVersionIsNotReReadThroughTheWritersConnection)
{
    auto m = Mouse(0x1F);
    CVeskConfig config;
    ReadLikeStartUp(*m, config);
    CString before;
    m->GetVersionA(before);
    ASSERT_EQ(S_OK, Control()->SetUnitVersion(0x1F, 3, 7, 0));
    // The write's first profile lookup waits, with the worker's connection open.
    ASSERT_EQ(S_OK, Control()->SetFault(L"IProfileManager.Item", S_OK, 1000, 1));
    ClearLog();
    ASSERT_TRUE(m->Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return CountCalls(L"IProfileManager.Item") > 0; }));
    // This thread holds no connection: the worker's interfaces are not ours.
    EXPECT_FALSE(m->RereadVersionA());
    CString after;
    m->GetVersionA(after);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(0, CountCalls(L"IUnitVersion."));
    ASSERT_TRUE(WaitIdle(*m));
}
