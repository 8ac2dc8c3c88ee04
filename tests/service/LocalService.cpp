#include "LocalService.h"

#include <cstring>

void LocalService::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    static bool started = false;
    if (!started) {
        tkservice::ServiceCore::Instance().Start(L"");
        started = true;
    }
    *collection_.Out() = tkservice::CreateDeviceCollection();
    control_ = collection_.As<IServiceControl>();
    ASSERT_TRUE(control_);
    ASSERT_EQ(S_OK, control_->Reset());
    control_->ClearFaults();
    control_->ClearCallLog();
}

void LocalService::TearDown()
{
    if (control_) control_->ClearFaults();
    // Events a test left queued are delivered (or dropped) here, not in the
    // next test.
    PumpFor([] { return false; }, 0);
    control_.Reset();
    collection_.Reset();
    ::CoUninitialize();
}

Ptr<IDevice> LocalService::Device(ULONG productId)
{
    return FindDevice(collection_.Get(), productId);
}

Ptr<IProfileManager> LocalService::Profiles(ULONG productId)
{
    return DeviceFeature<IProfileManager>(Device(productId).Get());
}

Ptr<IMacroManager> LocalService::Macros(ULONG productId)
{
    return DeviceFeature<IMacroManager>(Device(productId).Get());
}

Ptr<IProfile> LocalService::ProfileAt(LONG index, ULONG productId)
{
    Ptr<IProfile> p;
    Ptr<IProfileManager> m = Profiles(productId);
    if (m) m->Item(index, p.Out());
    return p;
}

GuidWords::GuidWords(const GUID& g)
{
    static_assert(sizeof(w) == sizeof(GUID), "four words");
    std::memcpy(w, &g, sizeof(w));
}

GUID IdOf(IProfile* profile)
{
    GUID g{};
    if (profile) profile->GetId(&g);
    return g;
}

GUID IdOf(IMacro* macro)
{
    GUID g{};
    if (macro) macro->GetId(&g);
    return g;
}
