// Writes that read back exactly, the profile list's rules and events from
// the mouse reaching a sink on this (message-pumping) thread.
#include <cstring>

#include "RemoteTest.h"

namespace {

class RemoteFeatures : public RemoteTest {
protected:
    void SetUp() override
    {
        RemoteTest::SetUp();
        device_ = FindDevice(ConnectService().Get(), 0x1F);
        ASSERT_TRUE(device_);
        profiles_ = DeviceFeature<IProfileManager>(device_.Get());
        ASSERT_TRUE(profiles_);
    }
    void TearDown() override
    {
        profiles_.Reset();
        device_.Reset();
        RemoteTest::TearDown();
    }
    Ptr<IDevice> device_;
    Ptr<IProfileManager> profiles_;
};

TEST_F(RemoteFeatures, StagesDpiPropertiesAndAssignmentsReadBackExactly)
{
    Ptr<IProfile> p = ActiveProfile(device_.Get());
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(p.Get());
    DpiStage set[2] = {{800, 1600}, {2400, 2400}};
    ASSERT_EQ(S_OK, dpi->SetStages(2, set));
    ASSERT_EQ(S_OK, dpi->SetDpi(800, 1600));
    DpiStage bad[1] = {{50, 50}};
    EXPECT_LT(dpi->SetStages(1, bad), 0);
    ULONG n = 0, x = 0, y = 0;
    DpiStage* got = nullptr;
    ASSERT_EQ(S_OK, dpi->GetStages(&n, &got));
    ASSERT_EQ(2u, n);
    EXPECT_EQ(1600u, got[0].y);
    EXPECT_EQ(2400u, got[1].x);
    ::CoTaskMemFree(got);
    ASSERT_EQ(S_OK, dpi->GetDpi(&x, &y));
    EXPECT_EQ(800u, x);
    EXPECT_EQ(1600u, y);

    Ptr<IProfileProperties> props = ProfileFeature<IProfileProperties>(p.Get());
    BYTE name[256] = {};
    std::memcpy(name, L"notepad.exe", sizeof(L"notepad.exe"));
    ASSERT_EQ(S_OK, props->Set(0x80000002, name, 0, 256, 0));
    USHORT flag[2] = {1, 1};
    ASSERT_EQ(S_OK, props->Set(0x80000003, reinterpret_cast<BYTE*>(flag), 0, 4, 0));
    BYTE back[256] = {};
    ULONG size = 256;
    ASSERT_EQ(S_OK, props->Get(0x80000002, 0, back, 0, &size));
    EXPECT_EQ(sizeof(L"notepad.exe"), size);
    EXPECT_STREQ(L"notepad.exe", reinterpret_cast<wchar_t*>(back));
    USHORT flags = 0;
    size = 2;
    ASSERT_EQ(S_OK, props->Get(0x80000003, 0, reinterpret_cast<BYTE*>(&flags), 0, &size));
    EXPECT_EQ(7u, flags);  // defaults 2 and 4 plus the link bit

    // The tray writes key values with the valid field 0.
    Ptr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(p.Get());
    AssignmentValue all[24] = {};
    n = 24;
    ASSERT_EQ(S_OK, keys->GetAll(&n, all));
    ASSERT_EQ(24u, n);
    AssignmentValue v{};
    v.target = all[3].target;
    v.type = 8;
    v.params[16] = 1;
    ASSERT_EQ(S_OK, keys->Set(1, &v));
    AssignmentValue unknown = v;
    unknown.target = 12345;
    EXPECT_LT(keys->Set(1, &unknown), 0);
    n = 2;  // a short buffer gets no more than its count
    AssignmentValue two[3] = {};
    two[2].target = 0xABCD;
    ASSERT_EQ(S_OK, keys->GetAll(&n, two));
    EXPECT_EQ(2u, n);
    EXPECT_EQ(0xABCDu, two[2].target);
    n = 24;
    ASSERT_EQ(S_OK, keys->GetAll(&n, all));
    EXPECT_EQ(0, std::memcmp(&v, &all[3], sizeof(v)));

    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(device_.Get());
    EXPECT_LT(rate->Set(3), 0);
    ASSERT_EQ(S_OK, rate->Set(8));
    ULONG interval = 0;
    ASSERT_EQ(S_OK, rate->Get(&interval));
    EXPECT_EQ(8u, interval);
}

TEST_F(RemoteFeatures, CreateFindRemoveAndHeldObjectsOfRemovedProfiles)
{
    Ptr<IProfile> created;
    for (int i = 5; i < 20; ++i) ASSERT_EQ(S_OK, profiles_->Create(created.Out())) << i;
    Ptr<IProfile> extra;
    EXPECT_LT(profiles_->Create(extra.Out()), 0);  // the device holds 20

    Ptr<IProfile> second, third;
    ASSERT_EQ(S_OK, profiles_->Item(1, second.Out()));
    ASSERT_EQ(S_OK, profiles_->Item(2, third.Out()));
    GUID id{};
    ASSERT_EQ(S_OK, third->GetId(&id));
    ULONG w[4];
    std::memcpy(w, &id, sizeof(w));
    Ptr<IProfile> found;
    ASSERT_EQ(S_OK, profiles_->Find(w[0], w[1], w[2], w[3], found.Out()));
    Ptr<IDpiSettings> heldDpi = ProfileFeature<IDpiSettings>(second.Get());
    ASSERT_EQ(S_OK, profiles_->Remove(second.Get()));
    Ptr<IProfile> moved;
    ASSERT_EQ(S_OK, profiles_->Item(1, moved.Out()));
    EXPECT_EQ(L"Profile 3", ProfileName(moved.Get()));
    ULONG x, y;
    EXPECT_LT(heldDpi->GetDpi(&x, &y), 0);
    EXPECT_LT(second->SetName(L"gone"), 0);
}

class DpiSink : public _IDPIEvents {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(_IDPIEvents))) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP OnDpiChanged(ULONG x, ULONG y) override
    {
        lastX = x;
        lastY = y;
        ++calls;
        return S_OK;
    }
    ULONG refs = 1, lastX = 0, lastY = 0;
    int calls = 0;
};

TEST_F(RemoteFeatures, SensitivityButtonReachesASinkAdvisedOnAnotherProfile)
{
    Ptr<IProfile> other;
    ASSERT_EQ(S_OK, profiles_->Item(4, other.Out()));
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(other.Get());
    Ptr<IConnectionPointContainer> cpc = dpi.As<IConnectionPointContainer>();
    ASSERT_TRUE(cpc);
    Ptr<IConnectionPoint> cp;
    ASSERT_EQ(S_OK, cpc->FindConnectionPoint(__uuidof(_IDPIEvents), cp.Out()));
    DpiSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, cp->Advise(&sink, &cookie));
    EXPECT_NE(0u, cookie);

    ASSERT_EQ(S_OK, control_->PressSensitivityButton(0x1F));
    EXPECT_TRUE(PumpFor([&] { return sink.calls > 0; }, 5000));
    EXPECT_EQ(4000u, sink.lastX);  // stage 3 -> stage 4
    EXPECT_EQ(4000u, sink.lastY);

    // A client's own writes fire nothing.
    ASSERT_EQ(S_OK, dpi->SetDpi(1200, 1200));
    PumpFor([] { return false; }, 200);
    EXPECT_EQ(1, sink.calls);

    EXPECT_LT(cp->Unadvise(cookie + 1000), 0);
    EXPECT_EQ(S_OK, cp->Unadvise(cookie));
}

TEST_F(RemoteFeatures, AnInjectedFaultFailsTheNamedCallAndIsLogged)
{
    control_->ClearCallLog();
    ASSERT_EQ(S_OK, control_->SetFault(L"IProfileManager.GetActive", E_ACCESSDENIED, 0, 1));
    Ptr<IProfile> p;
    EXPECT_EQ(E_ACCESSDENIED, profiles_->GetActive(p.Out()));
    EXPECT_EQ(S_OK, profiles_->GetActive(p.Out()));
    std::wstring log = CallLog();
    EXPECT_NE(std::wstring::npos, log.find(L"IProfileManager.GetActive -> 0x80070005"));
}

}  // namespace
