// Clients of the one server across processes: two at once, objects held
// over a detach, profile and macro files it must refuse, and events from
// the mouse reaching sinks on message-pumping single-threaded apartments.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "RecordingSink.h"
#include "RemoteTest.h"

namespace {

class RemoteClients : public RemoteTest {
protected:
    void SetUp() override
    {
        RemoteTest::SetUp();
        mouse_ = FindDevice(ConnectService().Get(), 0x1F);
        ASSERT_TRUE(mouse_);
        profiles_ = DeviceFeature<IProfileManager>(mouse_.Get());
        macros_ = DeviceFeature<IMacroManager>(mouse_.Get());
        ASSERT_TRUE(profiles_ && macros_);
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        tempBase_ = std::wstring(temp) + L"tk-remote-" + std::to_wstring(::GetCurrentProcessId());
    }
    void TearDown() override
    {
        for (const wchar_t* ext : {L".qvp", L".qvm", L".bad"}) ::DeleteFileW((tempBase_ + ext).c_str());
        macros_.Reset();
        profiles_.Reset();
        mouse_.Reset();
        RemoteTest::TearDown();
    }
    LONG ProfileCount()
    {
        LONG n = 0;
        for (Ptr<IProfile> p; SUCCEEDED(profiles_->Item(n, p.Out()));) ++n;
        return n;
    }
    LONG MacroCount()
    {
        LONG n = 0;
        for (Ptr<IMacro> m; SUCCEEDED(macros_->Item(n, m.Out()));) ++n;
        return n;
    }

    Ptr<IDevice> mouse_;
    Ptr<IProfileManager> profiles_;
    Ptr<IMacroManager> macros_;
    std::wstring tempBase_;
};

// Bytes of a file, and writing them back changed. Reading lets a writer in
// meanwhile: a probe that finds its log held against writing loses a line.
std::vector<BYTE> Bytes(const std::wstring& path)
{
    std::vector<BYTE> data;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    DWORD size = ::GetFileSize(h, nullptr), got = 0;
    data.resize(size);
    if (size) ::ReadFile(h, data.data(), size, &got, nullptr);
    ::CloseHandle(h);
    data.resize(got);
    return data;
}

void Write(const std::wstring& path, const std::vector<BYTE>& data)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    if (h != INVALID_HANDLE_VALUE) {
        if (!data.empty()) ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
        ::CloseHandle(h);
    }
}

TEST_F(RemoteClients, AProfileFileThatIsDamagedTruncatedForeignOrMissingIsRefusedAndChangesNothing)
{
    Ptr<IProfile> source;
    ASSERT_EQ(S_OK, profiles_->Item(1, source.Out()));
    ASSERT_EQ(S_OK, source->SetName(L"Exported"));
    const std::wstring qvp = tempBase_ + L".qvp", qvm = tempBase_ + L".qvm", bad = tempBase_ + L".bad";
    ASSERT_EQ(S_OK, source->Export(qvp.c_str()));
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, macros_->Create(macro.Out()));
    ASSERT_EQ(S_OK, macro->Export(qvm.c_str()));
    std::vector<BYTE> good = Bytes(qvp);
    ASSERT_GT(good.size(), 16u);

    std::vector<BYTE> damaged = good;
    damaged[good.size() - 5] ^= 0x10;
    std::vector<BYTE> truncated(good.begin(), good.end() - 1);
    const std::vector<BYTE>* files[] = {&damaged, &truncated};
    LONG before = ProfileCount();
    for (const std::vector<BYTE>* f : files) {
        Write(bad, *f);
        Ptr<IProfile> imported;
        EXPECT_LT(profiles_->Import(bad.c_str(), imported.Out()), 0);
        EXPECT_FALSE(imported);
    }
    Ptr<IProfile> imported;
    EXPECT_LT(profiles_->Import(qvm.c_str(), imported.Out()), 0);  // a macro file
    Write(bad, {});
    EXPECT_LT(profiles_->Import(bad.c_str(), imported.Out()), 0);
    ::DeleteFileW(bad.c_str());
    EXPECT_LT(profiles_->Import(bad.c_str(), imported.Out()), 0);
    EXPECT_EQ(before, ProfileCount());

    // The good file imports as a new profile with a new GUID.
    ASSERT_EQ(S_OK, profiles_->Import(qvp.c_str(), imported.Out()));
    EXPECT_EQ(before + 1, ProfileCount());
    EXPECT_EQ(L"Exported", ProfileName(imported.Get()));
    GUID a{}, b{};
    ASSERT_EQ(S_OK, source->GetId(&a));
    ASSERT_EQ(S_OK, imported->GetId(&b));
    EXPECT_FALSE(IsEqualGUID(a, b));

    // A full device refuses the import and keeps its twenty.
    Ptr<IProfile> p;
    while (SUCCEEDED(profiles_->Create(p.Out()))) {
    }
    EXPECT_EQ(20, ProfileCount());
    EXPECT_LT(profiles_->Import(qvp.c_str(), imported.Out()), 0);
    EXPECT_EQ(20, ProfileCount());
}

TEST_F(RemoteClients, AMacroFileThatIsDamagedTruncatedOrForeignIsRefusedAndChangesNothing)
{
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, macros_->Create(macro.Out()));
    ASSERT_EQ(S_OK, macro->SetName(L"Exported macro"));
    struct {
        MacroBlock head;
        MacroDeviceEvent more[1];
    } block = {};
    block.head.count = 2;
    block.head.events[0] = {2, 0x1E};
    block.more[0] = {2, 0x1001E};
    ASSERT_EQ(S_OK, macro->SetEvents(&block.head));
    const std::wstring qvp = tempBase_ + L".qvp", qvm = tempBase_ + L".qvm", bad = tempBase_ + L".bad";
    ASSERT_EQ(S_OK, macro->Export(qvm.c_str()));
    Ptr<IProfile> profile;
    ASSERT_EQ(S_OK, profiles_->Item(0, profile.Out()));
    ASSERT_EQ(S_OK, profile->Export(qvp.c_str()));
    std::vector<BYTE> good = Bytes(qvm);

    LONG before = MacroCount();
    std::vector<BYTE> damaged = good;
    damaged[20] ^= 0x01;
    std::vector<BYTE> truncated(good.begin(), good.begin() + 16);
    std::vector<BYTE> padded = good;
    padded.push_back(0);
    for (const std::vector<BYTE>* f : {&damaged, &truncated, &padded}) {
        Write(bad, *f);
        Ptr<IMacro> imported;
        EXPECT_LT(macros_->Import(bad.c_str(), imported.Out()), 0);
        EXPECT_FALSE(imported);
    }
    Ptr<IMacro> imported;
    EXPECT_LT(macros_->Import(qvp.c_str(), imported.Out()), 0);
    EXPECT_EQ(before, MacroCount());

    ASSERT_EQ(S_OK, macros_->Import(qvm.c_str(), imported.Out()));
    EXPECT_EQ(before + 1, MacroCount());
    MacroBlock* back = nullptr;
    ASSERT_EQ(S_OK, imported->GetEvents(&back));
    ASSERT_EQ(2u, back->count);
    EXPECT_EQ(0x1001Eu, back->events[1].data);
    ::CoTaskMemFree(back);
}

TEST_F(RemoteClients, ObjectsHeldOverADetachFailWithoutHarmAndAFreshWalkWorksAfterTheAttach)
{
    Ptr<IProfile> profile;
    ASSERT_EQ(S_OK, profiles_->GetActive(profile.Out()));
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(profile.Get());
    Ptr<ILightingZones> zones = ProfileFeature<ILightingZones>(profile.Get());
    Ptr<ILightingZone> zone;
    ASSERT_EQ(S_OK, zones->Item(0, zone.Out()));
    Ptr<IZoneBrightness> brightness = zone.As<IZoneBrightness>();
    Ptr<IPowerStatus> power = DeviceFeature<IPowerStatus>(mouse_.Get());
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, macros_->Create(macro.Out()));
    ASSERT_EQ(S_OK, control_->Detach(0x1F));

    ULONG x = 0, y = 0, level = 0;
    LONG battery = 0;
    DeviceInfo info{};
    LPWSTR name = nullptr;
    ULONG count = 7;
    DpiStage* stages = nullptr;
    EXPECT_LT(mouse_->GetInfo(&info), 0);
    EXPECT_EQ(nullptr, info.text);
    EXPECT_LT(dpi->GetDpi(&x, &y), 0);
    EXPECT_LT(dpi->GetStages(&count, &stages), 0);
    EXPECT_EQ(nullptr, stages);
    EXPECT_LT(brightness->Get(&level), 0);
    EXPECT_LT(power->GetLevel(&battery), 0);
    EXPECT_LT(macro->GetName(&name), 0);
    EXPECT_EQ(nullptr, name);
    EXPECT_LT(profile->GetName(&name), 0);
    Ptr<IProfile> p;
    EXPECT_LT(profiles_->Item(0, p.Out()), 0);
    EXPECT_FALSE(FindDevice(ConnectService().Get(), 0x1F));

    ASSERT_EQ(S_OK, control_->Attach(0x1F));
    EXPECT_LT(dpi->GetDpi(&x, &y), 0);  // still the old attachment
    Ptr<IDevice> again = FindDevice(ConnectService().Get(), 0x1F);
    ASSERT_TRUE(again);
    Ptr<IProfile> active = ActiveProfile(again.Get());
    ASSERT_EQ(S_OK, ProfileFeature<IDpiSettings>(active.Get())->GetDpi(&x, &y));
    EXPECT_EQ(1800u, x);
}

// A second client in an apartment of its own on another thread.
class SecondClient {
public:
    template <class F>
    explicit SecondClient(F body)
        : thread_([this, body] {
              ::CoInitialize(nullptr);
              body(*this);
              ::CoUninitialize();
              done = true;
          }) {}
    ~SecondClient() { thread_.join(); }
    std::atomic<bool> done{false};
    std::atomic<bool> stop{false};

private:
    std::thread thread_;
};

TEST_F(RemoteClients, TwoClientsAtOnceShareOneStateAndBothGetTheMousesEvents)
{
    std::atomic<int> otherCalls{0}, otherFailures{0}, otherEvents{0};
    std::atomic<bool> otherAdvised{false};
    {
        SecondClient other([&](SecondClient& self) {
            Ptr<IDevice> d = FindDevice(ConnectService().Get(), 0x1F);
            Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(d.Get());
            Ptr<IProfile> p;
            if (!m || FAILED(m->Item(4, p.Out()))) {
                ++otherFailures;
                return;
            }
            Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(p.Get());
            RecordingSink* sink = RecordingSink::Create(__uuidof(_IDPIEvents));
            DWORD cookie = AdviseSink(dpi.Get(), __uuidof(_IDPIEvents), sink->Unknown());
            otherAdvised = cookie != 0;
            // Writes of its own while the first client writes too, pumping
            // its apartment between calls for the event.
            for (int i = 0; !self.stop && i < 400; ++i) {
                ULONG v = 100 + 100 * (i % 50);
                if (FAILED(dpi->SetDpi(v, v))) ++otherFailures;
                ULONG x = 0, y = 0;
                if (FAILED(dpi->GetDpi(&x, &y)) || x != v) ++otherFailures;
                ++otherCalls;
                PumpFor([] { return false; }, 0);
                otherEvents = static_cast<int>(sink->Events().size());
            }
            PumpFor([&] { return !sink->Events().empty(); }, 5000);
            otherEvents = static_cast<int>(sink->Events().size());
            if (FAILED(p->SetName(L"Named by the second client"))) ++otherFailures;
            UnadviseSink(dpi.Get(), __uuidof(_IDPIEvents), cookie);
            sink->Release();
        });
        Ptr<IProfile> mine;
        ASSERT_EQ(S_OK, profiles_->Item(0, mine.Out()));
        Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(mine.Get());
        RecordingSink* sink = RecordingSink::Create(__uuidof(_IDPIEvents));
        DWORD cookie = AdviseSink(dpi.Get(), __uuidof(_IDPIEvents), sink->Unknown());
        ASSERT_NE(0u, cookie);
        ASSERT_TRUE(PumpFor([&] { return otherAdvised.load() || other.done; }, 10000));
        int myFailures = 0;
        for (int i = 0; i < 100; ++i) {
            ULONG v = 5600 - 100 * (i % 50);
            if (FAILED(dpi->SetDpi(v, v))) ++myFailures;
        }
        ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
        EXPECT_TRUE(PumpFor([&] { return !sink->Events().empty(); }, 5000));
        other.stop = true;
        EXPECT_TRUE(PumpFor([&] { return other.done.load(); }, 30000));
        EXPECT_EQ(0, myFailures);
        EXPECT_EQ(1u, sink->Events().size());
        UnadviseSink(dpi.Get(), __uuidof(_IDPIEvents), cookie);
        sink->Release();
    }
    EXPECT_GT(otherCalls, 0);
    EXPECT_EQ(0, otherFailures);
    EXPECT_EQ(1, otherEvents);
    Ptr<IProfile> named;
    ASSERT_EQ(S_OK, profiles_->Item(4, named.Out()));
    EXPECT_EQ(L"Named by the second client", ProfileName(named.Get()));
}

TEST_F(RemoteClients, AClientThatTakesNoCallsHoldsUpOnlyItsOwnEvents)
{
    std::atomic<bool> advised{false};
    std::atomic<size_t> itsEvents{0};
    HANDLE wake = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        SecondClient stuck([&](SecondClient&) {
            Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
            RecordingSink* sink = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
            DWORD cookie = AdviseSink(m.Get(), __uuidof(_IProfileManagerEvents), sink->Unknown());
            advised = cookie != 0;
            ::WaitForSingleObject(wake, 60000);  // takes no calls meanwhile
            PumpFor([&] { return !sink->Events().empty(); }, 10000);
            itsEvents = sink->Events().size();
            UnadviseSink(m.Get(), __uuidof(_IProfileManagerEvents), cookie);
            sink->Release();
        });
        ASSERT_TRUE(PumpFor([&] { return advised.load(); }, 10000));
        RecordingSink* mine = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
        DWORD cookie = AdviseSink(profiles_.Get(), __uuidof(_IProfileManagerEvents), mine->Unknown());
        ASSERT_EQ(S_OK, control_->PressProfileButton(0x1F));
        EXPECT_TRUE(PumpFor([&] { return !mine->Events().empty(); }, 10000));
        ::SetEvent(wake);
        EXPECT_EQ(S_OK, UnadviseSink(profiles_.Get(), __uuidof(_IProfileManagerEvents), cookie));
        mine->Release();
    }
    ::CloseHandle(wake);
    EXPECT_EQ(1u, itsEvents.load());  // its event waited for it
}

// A client apartment whose delivery thread cannot start is still served:
// its events go out from the service's own thread. That path also lets go
// of the sink's spare marshalled reference, outside the state lock; this
// cannot show a release under the lock, since no client here answers the
// release by calling back into the service.
TEST_F(RemoteClients, AClientWhoseDeliveryThreadCannotStartStillGetsItsEvents)
{
    ASSERT_EQ(S_OK, control_->SetFault(TK_FAULT_EVENT_LINE, E_OUTOFMEMORY, 0, 1));
    std::atomic<bool> advised{false}, heard{false};
    SecondClient fresh([&](SecondClient&) {
        Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(FindDevice(ConnectService().Get(), 0x1F).Get());
        RecordingSink* sink = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
        DWORD cookie = m ? AdviseSink(m.Get(), __uuidof(_IProfileManagerEvents), sink->Unknown()) : 0;
        advised = cookie != 0;
        heard = cookie && PumpFor([&] { return !sink->Events().empty(); }, 10000);
        if (cookie) UnadviseSink(m.Get(), __uuidof(_IProfileManagerEvents), cookie);
        sink->Release();
    });
    ASSERT_TRUE(PumpFor([&] { return advised.load() || fresh.done; }, 10000));
    ASSERT_TRUE(advised.load());
    ASSERT_EQ(S_OK, control_->PressProfileButton(0x1F));
    EXPECT_TRUE(PumpFor([&] { return fresh.done.load(); }, 15000));
    EXPECT_TRUE(heard.load());
}

// While one client's call is slow, other clients' calls and a release of
// an object's last reference (of the same interface as a call) are served
// at once, not after it: no call waits for a thread another call keeps
// busy. (A server that ran every call and release on one thread stopped
// for good once a release there waited for a call queued behind it.)
TEST_F(RemoteClients, CallsAndReleasesOfOtherClientsDoNotWaitForASlowCall)
{
    ASSERT_EQ(S_OK, control_->SetFault(L"IPowerStatus.GetLevel", S_OK, 8000, 1));
    struct Client {
        HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> ready{false}, done{false};
        HRESULT result = E_PENDING;
        std::thread thread;
    };
    Client slow, release, call;
    auto start = [](Client& c, std::function<HRESULT(IDevice*, Client&)> body) {
        c.thread = std::thread([&c, body] {
            ::CoInitialize(nullptr);
            {
                Ptr<IDevice> mouse = FindDevice(ConnectService().Get(), 0x1F);
                c.result = mouse ? body(mouse.Get(), c) : E_FAIL;
            }
            ::CoUninitialize();
            c.done = true;
        });
    };
    auto waitGo = [](Client& c) {
        c.ready = true;
        ::WaitForSingleObject(c.go, 30000);
    };
    start(slow, [&](IDevice* mouse, Client& c) {
        Ptr<IPowerStatus> power = DeviceFeature<IPowerStatus>(mouse);
        waitGo(c);
        LONG level = 0;
        return power ? power->GetLevel(&level) : E_NOINTERFACE;
    });
    start(release, [&](IDevice* mouse, Client& c) {
        Ptr<IReportRate> rate = DeviceFeature<IReportRate>(mouse);
        waitGo(c);
        rate.Reset();  // the last reference to that object
        return S_OK;
    });
    start(call, [&](IDevice* mouse, Client& c) {
        Ptr<IReportRate> rate = DeviceFeature<IReportRate>(mouse);
        waitGo(c);
        ULONG interval = 0;
        return rate ? rate->Get(&interval) : E_NOINTERFACE;
    });
    ASSERT_TRUE(PumpFor([&] { return slow.ready && release.ready && call.ready; }, 15000));
    ::SetEvent(slow.go);
    // The slow call is being served once the service has logged it.
    EXPECT_TRUE(PumpFor([&] { return CallLog().find(L"IPowerStatus.GetLevel") != std::wstring::npos; }, 5000));
    ::SetEvent(release.go);
    ::SetEvent(call.go);
    EXPECT_TRUE(PumpFor([&] { return release.done && call.done; }, 15000));
    EXPECT_FALSE(slow.done) << "the other clients waited for the slow call";
    EXPECT_TRUE(PumpFor([&] { return slow.done.load(); }, 15000));
    if (!(slow.done && release.done && call.done)) {
        // Threads stuck in calls to a server that no longer answers cannot
        // be joined, nor can the process end normally around them.
        std::fflush(stdout);
        ::TerminateProcess(::GetCurrentProcess(), 1);
    }
    for (Client* c : {&slow, &release, &call}) {
        c->thread.join();
        ::CloseHandle(c->go);
    }
    EXPECT_EQ(S_OK, slow.result);
    EXPECT_EQ(S_OK, call.result);
}

TEST_F(RemoteClients, ProfileLaunchAndRecordingEventsReachSinksWhoseHandlersCallBack)
{
    Ptr<IButtonActions> actions = DeviceFeature<IButtonActions>(mouse_.Get());
    Ptr<IMacroRecorder> recorder = DeviceFeature<IMacroRecorder>(mouse_.Get());
    ASSERT_TRUE(actions && recorder);
    RecordingSink* profile = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
    RecordingSink* launch = RecordingSink::Create(__uuidof(_IApplicationEvent));
    RecordingSink* record = RecordingSink::Create(__uuidof(_IOTFMacroRecordingEvents));
    DWORD c1 = AdviseSink(profiles_.Get(), __uuidof(_IProfileManagerEvents), profile->Unknown());
    DWORD c2 = AdviseSink(actions.Get(), __uuidof(_IApplicationEvent), launch->Unknown());
    DWORD c3 = AdviseSink(recorder.Get(), __uuidof(_IOTFMacroRecordingEvents), record->Unknown());
    EXPECT_TRUE(c1 && c2 && c3);

    // Whether an event waits for its press to return is the in-process
    // tests' to show: across processes the event may overtake the press's
    // answer on its way back. Here: every event arrives, and a handler may
    // call back into the service.
    std::wstring activeName;
    profile->onEvent = [&] {
        Ptr<IProfile> active;
        if (SUCCEEDED(profiles_->GetActive(active.Out()))) activeName = ProfileName(active.Get());
    };
    auto total = [&] { return profile->Events().size() + launch->Events().size() + record->Events().size(); };
    auto press = [&](std::function<HRESULT()> call) {
        size_t before = total();
        EXPECT_EQ(S_OK, call());
        EXPECT_TRUE(PumpFor([&] { return total() > before; }, 10000));
    };
    press([&] { return control_->PressProfileButton(0x1F); });
    press([&] { return control_->PressProfileButton(0x1F); });
    press([&] { return control_->PressLaunchButton(0x1F, L"C:\\Program Files\\App\\app.exe"); });
    press([&] { return control_->PressRecordButton(0x1F, 0, 0, 0); });
    press([&] { return control_->PressRecordButton(0x1F, 2, 7, 9); });
    EXPECT_EQ((std::vector<std::wstring>{L"profile 1", L"profile 2"}), profile->Events());
    EXPECT_EQ(L"Profile 3", activeName);
    EXPECT_EQ((std::vector<std::wstring>{L"launch 1 C:\\Program Files\\App\\app.exe"}), launch->Events());
    EXPECT_EQ((std::vector<std::wstring>{L"record start", L"record save 7 9"}), record->Events());

    EXPECT_EQ(S_OK, UnadviseSink(profiles_.Get(), __uuidof(_IProfileManagerEvents), c1));
    EXPECT_EQ(S_OK, UnadviseSink(actions.Get(), __uuidof(_IApplicationEvent), c2));
    EXPECT_EQ(S_OK, UnadviseSink(recorder.Get(), __uuidof(_IOTFMacroRecordingEvents), c3));
    EXPECT_LT(UnadviseSink(recorder.Get(), __uuidof(_IOTFMacroRecordingEvents), c3), 0);
    EXPECT_EQ(S_OK, control_->PressProfileButton(0x1F));
    PumpFor([] { return false; }, 300);
    EXPECT_EQ(2u, profile->Events().size());
    profile->Release();
    launch->Release();
    record->Release();
}

// A program started from a copy of the notice probe under its name; the
// lines its window got, and closing it.
class NoticeProbe {
public:
    NoticeProbe(const std::wstring& folder, const wchar_t* name) : path_(folder + L"\\" + name)
    {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring dir(self);
        dir = dir.substr(0, dir.rfind(L'\\'));
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring cmd = L"\"" + path_ + L"\"";
        if (!::CopyFileW((dir + L"\\TkNoticeProbe.exe").c_str(), path_.c_str(), FALSE) ||
            !::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_))
            pi_ = PROCESS_INFORMATION{};
    }
    ~NoticeProbe()
    {
        if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (pi_.hProcess) {
            if (::WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi_.hProcess, 1);
            ::CloseHandle(pi_.hProcess);
            ::CloseHandle(pi_.hThread);
        }
        ::DeleteFileW(path_.c_str());
        ::DeleteFileW((path_ + L".log").c_str());
    }
    bool Ready()
    {
        return pi_.hProcess && PumpFor([&] {
                   for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"TkNoticeProbe", nullptr));) {
                       DWORD pid = 0;
                       ::GetWindowThreadProcessId(w, &pid);
                       if (pid == pi_.dwProcessId) window_ = w;
                   }
                   return window_ != nullptr;
               }, 15000);
    }
    std::string Log() const
    {
        std::vector<BYTE> bytes = Bytes(path_ + L".log");
        return std::string(bytes.begin(), bytes.end());
    }

private:
    std::wstring path_;
    PROCESS_INFORMATION pi_{};
    HWND window_ = nullptr;
};

// The system tells a window only of the interface classes its program
// registered for: the configurator hears of the HID interface, the tray
// program of the mouse interface, once each per change; a lost notice
// reaches neither.
TEST_F(RemoteClients, EachProgramHearsOnceOfEachChangeInTheOneClassItRegisteredFor)
{
    const std::wstring folder = tempBase_ + L"-programs";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    {
        NoticeProbe configurator(folder, L"TanduKovuConfig.exe"), tray(folder, L"TanduKovuSysTray.exe");
        ASSERT_TRUE(configurator.Ready() && tray.Ready());
        ASSERT_EQ(S_OK, control_->Attach(0x15));
        ASSERT_EQ(0u, RunControlTool(L"detach wired --no-notice").code);
        ASSERT_EQ(S_OK, control_->Attach(0x15));
        ASSERT_EQ(S_OK, control_->Detach(0x15));
        // Notices go out in order: once the last removal is there, every
        // notice before it is too.
        auto ended = [](const std::string& log) {
            return log.rfind("removal") != std::string::npos && log.rfind("removal") > log.rfind("arrival") &&
                   log.back() == '\n';
        };
        EXPECT_TRUE(PumpFor([&] { return ended(configurator.Log()) && ended(tray.Log()); }, 15000));
        EXPECT_EQ("arrival hid\narrival hid\nremoval hid\n", configurator.Log());
        EXPECT_EQ("arrival mouse\narrival mouse\nremoval mouse\n", tray.Log());
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
