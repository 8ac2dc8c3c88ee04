// The server's life across processes: the control tool as a user drives it
// (bad arguments, each command), a restart that keeps what was written,
// state files it must refuse, and saves that overlap. Every test leaves the
// server running.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "RecordingSink.h"
#include "ServiceClient.h"
#include "StateFile.h"

namespace {

class RemoteLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        ASSERT_TRUE(ServerAnswers());
        control_ = ConnectControl();
        ASSERT_TRUE(control_);
        ASSERT_EQ(S_OK, control_->Reset());
        control_->ClearFaults();
    }
    void TearDown() override
    {
        control_.Reset();
        // Whatever happened, the next test finds a server with the default state.
        EXPECT_TRUE(ServerAnswers(30000));
        if (Ptr<IServiceControl> c = ConnectControl()) {
            c->ClearFaults();
            c->Reset();
        }
        ::CoUninitialize();
    }
    // A new server process that reads the state file again. It is started
    // by the running server, not by this test: under Wine a process keeps
    // its starter's error output, and one started here would hold the test
    // runner's pipe after the test has ended.
    void Restart()
    {
        ULONG before = Pid(), after = 0;
        HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, before);
        ASSERT_TRUE(process);
        HRESULT hr = control_->Restart(&after);
        control_.Reset();
        DWORD ended = ::WaitForSingleObject(process, 15000);
        ::CloseHandle(process);
        ASSERT_EQ(S_OK, hr);
        ASSERT_EQ(WAIT_OBJECT_0, ended);
        ASSERT_TRUE(ServerAnswers());
        control_ = ConnectControl();
        ASSERT_TRUE(control_);
        EXPECT_EQ(after, Pid());
        EXPECT_NE(before, after);
    }
    ULONG Pid()
    {
        ULONG pid = 0;
        if (control_) control_->GetServerProcessId(&pid);
        return pid;
    }
    std::wstring Dump()
    {
        LPWSTR text = nullptr;
        if (!control_ || FAILED(control_->DumpState(&text))) return L"";
        return TakeText(text);
    }

    // The first model's first profile as the state file holds it; empty
    // while the file cannot be read.
    static std::wstring SavedFirstProfileName()
    {
        std::vector<BYTE> data;
        std::vector<tkservice::DeviceState> devices;
        std::wstring error;
        if (!tkservice::ReadWholeFile(ServiceDir() + L"\\DeviceState.dat", data) ||
            !tkservice::DecodeState(data, devices, error))
            return std::wstring();
        return devices[0].profiles[0]->name;
    }

    Ptr<IServiceControl> control_;
};

TEST_F(RemoteLifecycle, BadArgumentsGetTheUsageAndExitCode2WithNothingDone)
{
    // One of each way to get them wrong (each run is a process start).
    const wchar_t* const bad[] = {
        L"",
        L"bogus",
        L"attach 0x2F",
        L"detach wired extra",
        L"battery wireless ten 0",
        L"link wireless maybe",
        L"unit dock 256 0",
        L"press dpi",
        L"press record wireless save 1",
        L"fail IDpiSettings.SetDpi 5",
        L"slow IDpiSettings.SetDpi 0",
        L"stop now",
    };
    for (const wchar_t* args : bad) {
        ToolRun run = RunControlTool(args);
        EXPECT_EQ(2u, run.code) << "args: " << std::string(args, args + wcslen(args));
        EXPECT_NE(std::string::npos, run.err.find("usage:")) << run.err;
    }
    EXPECT_FALSE(FindDevice(ConnectService().Get(), 0x15));  // "detach wired extra" did nothing either
    Ptr<IDevice> wireless = FindDevice(ConnectService().Get(), 0x1F);
    ASSERT_TRUE(wireless);

    ToolRun help = RunControlTool(L"help");
    EXPECT_EQ(0u, help.code);
    EXPECT_NE(std::string::npos, help.out.find("usage:"));
    // A refusal by the service is a failure too, but not a usage error.
    ToolRun refused = RunControlTool(L"battery wireless 300 0");
    EXPECT_EQ(1u, refused.code);
}

TEST_F(RemoteLifecycle, EachToolCommandDoesWhatItSays)
{
    ASSERT_EQ(0u, RunControlTool(L"attach dock").code);
    Ptr<IDevice> dock = FindDevice(ConnectService().Get(), 0x21);
    ASSERT_TRUE(dock);
    Ptr<IDevice> mouse = FindDevice(ConnectService().Get(), 0x1F);
    ASSERT_TRUE(mouse);

    ASSERT_EQ(0u, RunControlTool(L"battery wireless 15 1").code);
    Ptr<IPowerStatus> power = DeviceFeature<IPowerStatus>(mouse.Get());
    LONG level = 0, state = 0;
    ASSERT_EQ(S_OK, power->GetLevel(&level));
    ASSERT_EQ(S_OK, power->GetState(&state));
    EXPECT_EQ(15, level);
    EXPECT_EQ(1, state);

    ASSERT_EQ(0u, RunControlTool(L"link wireless off").code);
    BYTE linked = 1;
    ASSERT_EQ(S_OK, mouse.As<IDeviceLink>()->IsLinked(&linked));
    EXPECT_EQ(0, linked);

    // The dock's unit answers 0.00 until it is present.
    ASSERT_EQ(0u, RunControlTool(L"unit dock 1 30 6000").code);
    Ptr<IUnitVersion> unit = dock.As<IUnitVersion>();
    BYTE v[4] = {9, 9, 9, 9};
    ASSERT_EQ(S_OK, unit->GetVersion(&v[0], &v[1], &v[2], &v[3]));
    EXPECT_EQ(0, v[0] | v[1]);
    EXPECT_TRUE(PumpFor([&] { return SUCCEEDED(unit->GetVersion(&v[0], &v[1], &v[2], &v[3])) && v[0] == 1; }, 30000));
    EXPECT_EQ(30, v[1]);

    Ptr<IProfileManager> profiles = DeviceFeature<IProfileManager>(mouse.Get());
    Ptr<IProfile> active;
    ASSERT_EQ(S_OK, profiles->GetActive(active.Out()));
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(active.Get());
    RecordingSink* dpiSink = RecordingSink::Create(__uuidof(_IDPIEvents));
    RecordingSink* profileSink = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
    RecordingSink* launchSink = RecordingSink::Create(__uuidof(_IApplicationEvent));
    Ptr<IButtonActions> actions = DeviceFeature<IButtonActions>(mouse.Get());
    DWORD c1 = AdviseSink(dpi.Get(), __uuidof(_IDPIEvents), dpiSink->Unknown());
    DWORD c2 = AdviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), profileSink->Unknown());
    DWORD c3 = AdviseSink(actions.Get(), __uuidof(_IApplicationEvent), launchSink->Unknown());
    EXPECT_TRUE(c1 && c2 && c3);
    EXPECT_EQ(0u, RunControlTool(L"press dpi wireless").code);
    EXPECT_EQ(0u, RunControlTool(L"press profile wireless").code);
    EXPECT_EQ(0u, RunControlTool(L"press launch wireless C:\\Tools\\calc.exe").code);
    EXPECT_TRUE(PumpFor([&] { return !launchSink->Events().empty() && !profileSink->Events().empty() &&
                                     !dpiSink->Events().empty(); }, 10000));
    EXPECT_EQ((std::vector<std::wstring>{L"dpi 4000 4000"}), dpiSink->Events());
    EXPECT_EQ((std::vector<std::wstring>{L"profile 1"}), profileSink->Events());
    EXPECT_EQ((std::vector<std::wstring>{L"launch 1 C:\\Tools\\calc.exe"}), launchSink->Events());
    UnadviseSink(dpi.Get(), __uuidof(_IDPIEvents), c1);
    UnadviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), c2);
    UnadviseSink(actions.Get(), __uuidof(_IApplicationEvent), c3);
    dpiSink->Release();
    profileSink->Release();
    launchSink->Release();

    ToolRun start = RunControlTool(L"start");
    EXPECT_EQ(0u, start.code);
    ULONG pid = 0;
    ASSERT_EQ(S_OK, control_->GetServerProcessId(&pid));
    EXPECT_NE(std::string::npos, start.out.find("device service running, process " + std::to_string(pid)));

    ToolRun dump = RunControlTool(L"dump");
    EXPECT_EQ(0u, dump.code);
    EXPECT_NE(std::string::npos, dump.out.find("device 0x21 \"Tandu Kovu Zent Charging Dock\" attached"));
    EXPECT_NE(std::string::npos, dump.out.find("battery 15 state 1, link off"));

    ASSERT_EQ(0u, RunControlTool(L"fail IProfileManager.GetActive 0x80004005 1").code);
    EXPECT_EQ(E_FAIL, profiles->GetActive(active.Out()));
    EXPECT_EQ(S_OK, profiles->GetActive(active.Out()));
    ASSERT_EQ(0u, RunControlTool(L"slow IDpiSettings.GetDpi 2500").code);
    ULONG x, y;
    DWORD t0 = ::GetTickCount();
    EXPECT_EQ(S_OK, dpi->GetDpi(&x, &y));
    EXPECT_GE(::GetTickCount() - t0, 2400u);
    ASSERT_EQ(0u, RunControlTool(L"faults clear").code);
    t0 = ::GetTickCount();
    EXPECT_EQ(S_OK, dpi->GetDpi(&x, &y));
    EXPECT_LT(::GetTickCount() - t0, 2400u);

    ToolRun log = RunControlTool(L"log");
    EXPECT_NE(std::string::npos, log.out.find("IProfileManager.GetActive -> 0x80004005"));
    EXPECT_NE(std::string::npos, log.out.find("IDpiSettings.GetDpi"));
    ASSERT_EQ(0u, RunControlTool(L"log clear").code);
    EXPECT_EQ(std::wstring::npos, CallLog().find(L"IDpiSettings.GetDpi"));

    ASSERT_EQ(0u, RunControlTool(L"detach dock").code);
    EXPECT_FALSE(FindDevice(ConnectService().Get(), 0x21));
    ASSERT_EQ(0u, RunControlTool(L"reset").code);
    mouse = FindDevice(ConnectService().Get(), 0x1F);
    power = DeviceFeature<IPowerStatus>(mouse.Get());
    ASSERT_EQ(S_OK, power->GetLevel(&level));
    EXPECT_EQ(80, level);
}

TEST_F(RemoteLifecycle, WhatWasWrittenIsStillThereAfterARestart)
{
    ASSERT_EQ(S_OK, control_->Attach(0x15));
    {
        Ptr<IDevice> mouse = FindDevice(ConnectService().Get(), 0x1F);
        Ptr<IProfileManager> profiles = DeviceFeature<IProfileManager>(mouse.Get());
        Ptr<IProfile> p;
        ASSERT_EQ(S_OK, profiles->Item(2, p.Out()));
        ASSERT_EQ(S_OK, p->SetName(L"Kept over a restart"));
        ASSERT_EQ(S_OK, profiles->SetActive(p.Get()));
        DpiStage stages[2] = {{800, 1600}, {3200, 3200}};
        ASSERT_EQ(S_OK, ProfileFeature<IDpiSettings>(p.Get())->SetStages(2, stages));
        ASSERT_EQ(S_OK, DeviceFeature<IReportRate>(mouse.Get())->Set(8));
        Ptr<IMacro> macro;
        ASSERT_EQ(S_OK, DeviceFeature<IMacroManager>(mouse.Get())->Create(macro.Out()));
        ASSERT_EQ(S_OK, macro->SetName(L"Saved macro"));
    }
    ASSERT_NO_FATAL_FAILURE(Restart());

    EXPECT_TRUE(FindDevice(ConnectService().Get(), 0x15));
    Ptr<IDevice> mouse = FindDevice(ConnectService().Get(), 0x1F);
    ASSERT_TRUE(mouse);
    Ptr<IProfile> active = ActiveProfile(mouse.Get());
    EXPECT_EQ(L"Kept over a restart", ProfileName(active.Get()));
    ULONG count = 0;
    DpiStage* stages = nullptr;
    ASSERT_EQ(S_OK, ProfileFeature<IDpiSettings>(active.Get())->GetStages(&count, &stages));
    ASSERT_EQ(2u, count);
    EXPECT_EQ(1600u, stages[0].y);
    ::CoTaskMemFree(stages);
    ULONG interval = 0;
    ASSERT_EQ(S_OK, DeviceFeature<IReportRate>(mouse.Get())->Get(&interval));
    EXPECT_EQ(8u, interval);
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, DeviceFeature<IMacroManager>(mouse.Get())->Item(0, macro.Out()));
    LPWSTR name = nullptr;
    ASSERT_EQ(S_OK, macro->GetName(&name));
    EXPECT_EQ(L"Saved macro", TakeText(name));
    EXPECT_NE(std::wstring::npos, Dump().find(L"state: state loaded"));
}

TEST_F(RemoteLifecycle, ABadOrMissingStateFileGivesTheDefaultStateAndSaysWhy)
{
    // The running server saves each change soon after it.
    const std::wstring path = ServiceDir() + L"\\DeviceState.dat";
    std::vector<BYTE> good;
    // Another save may be replacing the file (and hold it) at any read.
    ASSERT_TRUE(PumpFor([&] { return SavedFirstProfileName() == L"Profile 1" && tkservice::ReadWholeFile(path, good); }, 10000));
    std::vector<BYTE> damaged = good;
    damaged[good.size() / 2] ^= 0xFF;
    std::vector<BYTE> truncated(good.begin(), good.begin() + good.size() / 3);
    tkservice::ProfileState someProfile = *tkservice::DefaultProfile(tkservice::NewGuid(), L"x");
    std::vector<BYTE> foreign = tkservice::EncodeProfile(someProfile);
    std::vector<BYTE> tooLarge(5 << 20, 0);  // over the service's 4 MiB

    struct Case {
        const char* what;
        const std::vector<BYTE>* contents;
        const wchar_t* message;
        bool heldOpen;  // by this test, without sharing, while the server reads
    } cases[] = {
        {"damaged", &damaged, L"state: state file refused (checksum mismatch), default state", false},
        {"truncated", &truncated, L"state: state file refused (truncated or padded), default state", false},
        {"foreign", &foreign, L"state: state file refused (not a file of this kind), default state", false},
        {"too large", &tooLarge, L"state: state file refused (too large), default state", false},
        {"unreadable", &good, L"state: state file refused (unreadable), default state", true},
        {"missing", nullptr, L"state: no state file, default state", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Something to lose, so that a default state is told from a kept one.
        Ptr<IProfile> first = ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get());
        ASSERT_EQ(S_OK, first->SetName(L"Not default"));
        first.Reset();
        ASSERT_TRUE(PumpFor([&] { return SavedFirstProfileName() == L"Not default"; }, 10000));
        if (c.contents)
            ASSERT_TRUE(tkservice::WriteWholeFile(path, *c.contents));
        else
            ASSERT_TRUE(::DeleteFileW(path.c_str()));
        HANDLE held = c.heldOpen ? ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                 : INVALID_HANDLE_VALUE;
        ASSERT_NO_FATAL_FAILURE(Restart());
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);
        std::wstring dump = Dump();
        EXPECT_EQ(0u, dump.find(c.message)) << std::string(dump.begin(), dump.begin() + dump.find(L'\r'));
        Ptr<IProfile> active = ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get());
        EXPECT_EQ(L"Profile 1", ProfileName(active.Get()));
        // The refused file is not overwritten until something changes.
        std::vector<BYTE> now;
        if (c.contents) {
            ASSERT_TRUE(tkservice::ReadWholeFile(path, now, tooLarge.size()));
            EXPECT_TRUE(now == *c.contents);
        }
    }
}

// Saves are one at a time, each of the state as it then is: changes made
// while a save still writes, and a restart asked meanwhile, lose nothing a
// client was told had succeeded.
TEST_F(RemoteLifecycle, ChangesAndARestartDuringASaveLoseNoAcknowledgedChange)
{
    const std::wstring temp = ServiceDir() + L"\\DeviceState.dat.tmp";
    ASSERT_EQ(S_OK, control_->SetFault(TK_FAULT_SAVE, S_OK, 4000, 1));
    Ptr<IProfileManager> profiles = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
    Ptr<IProfile> first;
    ASSERT_TRUE(profiles && SUCCEEDED(profiles->Item(0, first.Out())));
    ASSERT_EQ(S_OK, first->SetName(L"Saved first"));
    first.Reset();
    profiles.Reset();
    // The save that change started holds its temporary file open.
    ASSERT_TRUE(PumpFor([&] { return ::GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
    const int kClients = 4;
    std::vector<std::wstring> told(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([c, &told] {
            ::CoInitialize(nullptr);
            {
                Ptr<IProfileManager> mine = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
                Ptr<IProfile> p;
                if (mine && SUCCEEDED(mine->Item(c + 1, p.Out())))
                    for (int k = 1; k <= 5; ++k) {
                        std::wstring name = L"Client " + std::to_wstring(c) + L" change " + std::to_wstring(k);
                        if (p->SetName(name.c_str()) == S_OK) told[c] = name;
                    }
            }
            ::CoUninitialize();
        });
    for (std::thread& t : clients) t.join();
    ASSERT_NO_FATAL_FAILURE(Restart());

    profiles = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
    ASSERT_TRUE(profiles);
    for (int c = -1; c < kClients; ++c) {
        Ptr<IProfile> p;
        ASSERT_EQ(S_OK, profiles->Item(c + 1, p.Out()));
        EXPECT_EQ(c < 0 ? L"Saved first" : told[c], ProfileName(p.Get()));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(temp.c_str()));
}

// A restart saves first, trying again for a while: a save that keeps
// failing (a reader holding the file without letting it be replaced) keeps
// the server and what it was told; one that fails only at first is tried
// again before the server ends.
TEST_F(RemoteLifecycle, ARestartWhoseSaveFailsKeepsTheServerAndItsChanges)
{
    const std::wstring path = ServiceDir() + L"\\DeviceState.dat";
    HANDLE reader = INVALID_HANDLE_VALUE;
    ASSERT_TRUE(PumpFor([&] {
        reader = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return reader != INVALID_HANDLE_VALUE;
    }, 10000));
    ASSERT_EQ(S_OK, ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get())->SetName(L"Not saved yet"));
    const ULONG before = Pid();
    ULONG after = 1;
    EXPECT_TRUE(FAILED(control_->Restart(&after)));
    ::CloseHandle(reader);
    EXPECT_EQ(0u, after);
    EXPECT_EQ(before, Pid());
    EXPECT_EQ(L"Not saved yet", ProfileName(ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get()).Get()));

    ASSERT_EQ(S_OK, control_->SetFault(TK_FAULT_SAVE, HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), 0, 2));
    ASSERT_EQ(S_OK, ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get())->SetName(L"Saved at a third try"));
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(L"Saved at a third try",
              ProfileName(ActiveProfile(FindDevice(ConnectService().Get(), 0x1F).Get()).Get()));
}

// A change acknowledged while a save tried again is writing is saved after
// it, with no further change to set it off.
TEST_F(RemoteLifecycle, AChangeMadeWhileASaveIsTriedAgainIsSaved)
{
    const std::wstring path = ServiceDir() + L"\\DeviceState.dat";
    const std::wstring temp = path + L".tmp";
    auto writing = [&] { return ::GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; };
    HANDLE reader = INVALID_HANDLE_VALUE;
    ASSERT_TRUE(PumpFor([&] {
        reader = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return reader != INVALID_HANDLE_VALUE;
    }, 10000));
    // Every save writes slowly, so that each is seen writing: the one the
    // reader makes fail, then the one tried again after it.
    ASSERT_EQ(S_OK, control_->SetFault(TK_FAULT_SAVE, S_OK, 1500, -1));
    Ptr<IProfileManager> profiles = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
    Ptr<IProfile> first;
    ASSERT_TRUE(profiles && SUCCEEDED(profiles->Item(0, first.Out())));
    ASSERT_EQ(S_OK, first->SetName(L"Saved at the second try"));
    ASSERT_TRUE(PumpFor(writing, 10000));
    ASSERT_TRUE(PumpFor([&] { return !writing(); }, 10000));
    ::CloseHandle(reader);
    ASSERT_TRUE(PumpFor(writing, 10000));
    ASSERT_EQ(S_OK, first->SetName(L"Changed while it wrote"));
    EXPECT_TRUE(PumpFor([] { return SavedFirstProfileName() == L"Changed while it wrote"; }, 10000))
        << "the state file holds " << std::string(SavedFirstProfileName().begin(), SavedFirstProfileName().end());
}

}  // namespace
