// The connection points' rules: Advise asks the sink for the event
// interface, cookies are never 0, an unknown cookie fails harmlessly, events
// arrive only after the call that caused them has returned, and they reach
// every sink of their kind on the device and no other.
#include "LocalService.h"
#include "RecordingSink.h"

namespace {

class EventRules : public LocalService {
protected:
    // A sink that is released by the test's end whatever happens.
    RecordingSink* NewSink(REFIID iid)
    {
        RecordingSink* s = RecordingSink::Create(iid);
        sinks_.push_back(s);
        return s;
    }
    void TearDown() override
    {
        LocalService::TearDown();
        for (RecordingSink* s : sinks_) s->Release();
    }
    static void Settle() { PumpFor([] { return false; }, 50); }

    std::vector<RecordingSink*> sinks_;
};

TEST_F(EventRules, AdviseWantsTheEventInterfaceAndGivesNonZeroCookies)
{
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(ProfileAt(0).Get());
    Ptr<IConnectionPointContainer> cpc = dpi.As<IConnectionPointContainer>();
    ASSERT_TRUE(cpc);
    Ptr<IConnectionPoint> none;
    EXPECT_LT(cpc->FindConnectionPoint(__uuidof(_IProfileManagerEvents), none.Out()), 0);
    EXPECT_FALSE(none);
    Ptr<IConnectionPoint> cp;
    ASSERT_EQ(S_OK, cpc->FindConnectionPoint(__uuidof(_IDPIEvents), cp.Out()));
    IID iid{};
    ASSERT_EQ(S_OK, cp->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(__uuidof(_IDPIEvents), iid));

    // A sink of another event interface is refused, with cookie 0.
    RecordingSink* wrong = NewSink(__uuidof(_IProfileManagerEvents));
    DWORD cookie = 99;
    EXPECT_LT(cp->Advise(wrong->Unknown(), &cookie), 0);
    EXPECT_EQ(0u, cookie);
    EXPECT_LT(cp->Advise(nullptr, &cookie), 0);

    RecordingSink* a = NewSink(__uuidof(_IDPIEvents));
    RecordingSink* b = NewSink(__uuidof(_IDPIEvents));
    DWORD ca = 0, cb = 0;
    ASSERT_EQ(S_OK, cp->Advise(a->Unknown(), &ca));
    ASSERT_EQ(S_OK, cp->Advise(b->Unknown(), &cb));
    EXPECT_NE(0u, ca);
    EXPECT_NE(0u, cb);
    EXPECT_NE(ca, cb);

    EXPECT_LT(cp->Unadvise(0), 0);
    EXPECT_LT(cp->Unadvise(ca + cb + 100), 0);
    EXPECT_EQ(S_OK, cp->Unadvise(ca));
    EXPECT_LT(cp->Unadvise(ca), 0);  // only once
    // A cookie of another kind of event is not this point's to end.
    Ptr<IProfileManager> profiles = Profiles();
    RecordingSink* p = NewSink(__uuidof(_IProfileManagerEvents));
    DWORD cp2 = AdviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), p->Unknown());
    ASSERT_NE(0u, cp2);
    EXPECT_LT(cp->Unadvise(cp2), 0);
    EXPECT_EQ(S_OK, UnadviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), cp2));
    EXPECT_EQ(S_OK, cp->Unadvise(cb));
}

TEST_F(EventRules, ASensitivityPressReachesEveryDpiSinkOfTheDeviceAfterThePressReturned)
{
    ASSERT_EQ(S_OK, control_->Attach(0x15));
    RecordingSink* onActive = NewSink(__uuidof(_IDPIEvents));
    RecordingSink* onOther = NewSink(__uuidof(_IDPIEvents));
    RecordingSink* onWired = NewSink(__uuidof(_IDPIEvents));
    Ptr<IDpiSettings> active = ProfileFeature<IDpiSettings>(ProfileAt(0).Get());
    Ptr<IDpiSettings> other = ProfileFeature<IDpiSettings>(ProfileAt(3).Get());
    Ptr<IDpiSettings> wired = ProfileFeature<IDpiSettings>(ProfileAt(0, 0x15).Get());
    DWORD c1 = AdviseSink(active.Get(), __uuidof(_IDPIEvents), onActive->Unknown());
    DWORD c2 = AdviseSink(other.Get(), __uuidof(_IDPIEvents), onOther->Unknown());
    DWORD c3 = AdviseSink(wired.Get(), __uuidof(_IDPIEvents), onWired->Unknown());
    ASSERT_TRUE(c1 && c2 && c3);

    ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
    EXPECT_TRUE(onActive->Events().empty());  // not inside the press
    ASSERT_TRUE(PumpFor([&] { return !onActive->Events().empty() && !onOther->Events().empty(); }, 2000));
    EXPECT_EQ((std::vector<std::wstring>{L"dpi 4000 4000"}), onActive->Events());
    EXPECT_EQ((std::vector<std::wstring>{L"dpi 4000 4000"}), onOther->Events());
    EXPECT_TRUE(onWired->Events().empty());
    // The press moved the active profile's stage and sensitivity.
    ULONG stage = 0, x = 0, y = 0;
    ASSERT_EQ(S_OK, active->GetCurrentStage(&stage));
    EXPECT_EQ(4u, stage);
    ASSERT_EQ(S_OK, active->GetDpi(&x, &y));
    EXPECT_EQ(4000u, y);

    // From the last stage the button wraps to the first.
    ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
    ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
    ASSERT_TRUE(PumpFor([&] { return onActive->Events().size() == 3; }, 2000));
    EXPECT_EQ(L"dpi 800 800", onActive->Events()[2]);

    // What a client writes itself fires nothing.
    ASSERT_EQ(S_OK, active->SetDpi(1200, 1200));
    ASSERT_EQ(S_OK, Profiles()->SetActive(ProfileAt(1).Get()));
    Settle();
    EXPECT_EQ(3u, onActive->Events().size());
    EXPECT_EQ(S_OK, UnadviseSink(active.Get(), __uuidof(_IDPIEvents), c1));
    ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
    ASSERT_TRUE(PumpFor([&] { return onOther->Events().size() == 4; }, 2000));
    EXPECT_EQ(3u, onActive->Events().size());
    UnadviseSink(other.Get(), __uuidof(_IDPIEvents), c2);
    UnadviseSink(wired.Get(), __uuidof(_IDPIEvents), c3);
}

TEST_F(EventRules, ProfileLaunchAndRecordingPressesReachTheirSinks)
{
    Ptr<IDevice> device = Device();
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IButtonActions> actions = DeviceFeature<IButtonActions>(device.Get());
    Ptr<IMacroRecorder> recorder = DeviceFeature<IMacroRecorder>(device.Get());
    ASSERT_TRUE(actions && recorder);
    RecordingSink* profile = NewSink(__uuidof(_IProfileManagerEvents));
    RecordingSink* launch = NewSink(__uuidof(_IApplicationEvent));
    RecordingSink* record = NewSink(__uuidof(_IOTFMacroRecordingEvents));
    DWORD c1 = AdviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), profile->Unknown());
    DWORD c2 = AdviseSink(actions.Get(), __uuidof(_IApplicationEvent), launch->Unknown());
    DWORD c3 = AdviseSink(recorder.Get(), __uuidof(_IOTFMacroRecordingEvents), record->Unknown());
    ASSERT_TRUE(c1 && c2 && c3);

    // The handler reads the new active profile back, as the tray does.
    std::wstring activeInHandler;
    profile->onEvent = [&] {
        Ptr<IProfile> p;
        if (SUCCEEDED(profiles->GetActive(p.Out()))) activeInHandler = ProfileName(p.Get());
    };
    ASSERT_EQ(S_OK, control_->PressProfileButton(0x1F));
    ASSERT_EQ(S_OK, control_->PressLaunchButton(0x1F, L"C:\\Windows\\notepad.exe"));
    for (ULONG which : {0u, 1u, 2u, 3u}) ASSERT_EQ(S_OK, control_->PressRecordButton(0x1F, which, 3, 4));
    EXPECT_LT(control_->PressRecordButton(0x1F, 4, 0, 0), 0);
    ASSERT_TRUE(PumpFor([&] { return record->Events().size() == 4; }, 2000));
    EXPECT_EQ((std::vector<std::wstring>{L"profile 1"}), profile->Events());
    EXPECT_EQ(L"Profile 2", activeInHandler);
    EXPECT_EQ((std::vector<std::wstring>{L"launch 1 C:\\Windows\\notepad.exe"}), launch->Events());
    EXPECT_EQ((std::vector<std::wstring>{L"record start", L"record stop", L"record save 3 4", L"record cancel"}),
              record->Events());

    // A detached mouse has no buttons to press.
    ASSERT_EQ(S_OK, control_->Detach(0x1F));
    EXPECT_LT(control_->PressProfileButton(0x1F), 0);
    EXPECT_LT(control_->PressLaunchButton(0x1F, L"x.exe"), 0);
    EXPECT_LT(control_->PressSensitivityButton(0x1F), 0);
    Settle();
    EXPECT_EQ(1u, profile->Events().size());
    // Unadvise still works on a source whose device went away.
    EXPECT_EQ(S_OK, UnadviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), c1));
    EXPECT_EQ(S_OK, UnadviseSink(actions.Get(), __uuidof(_IApplicationEvent), c2));
    EXPECT_EQ(S_OK, UnadviseSink(recorder.Get(), __uuidof(_IOTFMacroRecordingEvents), c3));
}

TEST_F(EventRules, ASinkAdvisedWhileTheDeviceIsDetachedIsRefused)
{
    Ptr<IProfileManager> profiles = Profiles();
    ASSERT_EQ(S_OK, control_->Detach(0x1F));
    RecordingSink* s = NewSink(__uuidof(_IProfileManagerEvents));
    HRESULT hr = S_OK;
    EXPECT_EQ(0u, AdviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), s->Unknown(), &hr));
    EXPECT_LT(hr, 0);
}

}  // namespace
