// The lists' rules that callers rely on without checking: index walks end
// past the last item, Create gives fresh GUIDs, Find finds every item,
// Remove moves later items down, and objects a caller still holds fail
// once what they stand for is gone.
#include <cstring>
#include <set>

#include "LocalService.h"

namespace {

using ListRules = LocalService;

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

// Walks a list (profiles or macros): every item has a non-null GUID not
// seen before, and Find by that GUID gives the same item.
template <class Item, class List>
void ExpectFreshIdsThatFindFinds(List* list, std::set<GUID, GuidLess>& seen)
{
    for (LONG i = 0;; ++i) {
        Ptr<Item> item;
        if (FAILED(list->Item(i, item.Out()))) break;
        GUID id = IdOf(item.Get());
        EXPECT_FALSE(IsEqualGUID(GUID{}, id)) << i;
        EXPECT_TRUE(seen.insert(id).second) << i;
        GuidWords w(id);
        Ptr<Item> found;
        ASSERT_EQ(S_OK, list->Find(w.w[0], w.w[1], w.w[2], w.w[3], found.Out())) << i;
        EXPECT_TRUE(IsEqualGUID(id, IdOf(found.Get())));
    }
}

TEST_F(ListRules, EveryIndexWalkSucceedsForZeroToNMinusOneOnlyAndClearsItsOut)
{
    ASSERT_EQ(S_OK, control_->Attach(0x15));
    Ptr<IDevice> d;
    ASSERT_EQ(S_OK, collection_->Item(1, d.Out()));
    EXPECT_LT(collection_->Item(2, d.Out()), 0);
    EXPECT_LT(collection_->Item(-1, d.Out()), 0);
    EXPECT_FALSE(d);

    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IProfile> p;
    ASSERT_EQ(S_OK, profiles->Item(4, p.Out()));
    EXPECT_LT(profiles->Item(5, p.Out()), 0);
    EXPECT_FALSE(p);
    EXPECT_LT(profiles->Item(-1, p.Out()), 0);

    Ptr<ILightingZones> zones = ProfileFeature<ILightingZones>(ProfileAt(0).Get());
    ASSERT_TRUE(zones);
    std::vector<ULONG> ids;
    Ptr<ILightingZone> z;
    for (LONG i = 0; SUCCEEDED(zones->Item(i, z.Out())); ++i) {
        ULONG id = 0;
        ASSERT_EQ(S_OK, z->GetId(&id));
        ids.push_back(id);
    }
    EXPECT_FALSE(z);
    EXPECT_EQ((std::vector<ULONG>{1, 4, 7}), ids);

    Ptr<IMacroManager> macros = Macros();
    Ptr<IMacro> m;
    EXPECT_LT(macros->Item(0, m.Out()), 0);  // no macros at first
    ASSERT_EQ(S_OK, macros->Create(m.Out()));
    ASSERT_EQ(S_OK, macros->Item(0, m.Out()));
    EXPECT_LT(macros->Item(1, m.Out()), 0);
    EXPECT_FALSE(m);
}

TEST_F(ListRules, CreateGivesFreshNonNullGuidsAndFindFindsEveryProfileAndMacro)
{
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IMacroManager> macros = Macros();
    Ptr<IProfile> p;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, profiles->Create(p.Out()));
    Ptr<IMacro> m;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, macros->Create(m.Out()));

    std::set<GUID, GuidLess> seen;
    ExpectFreshIdsThatFindFinds<IProfile>(profiles.Get(), seen);
    EXPECT_EQ(8u, seen.size());
    ExpectFreshIdsThatFindFinds<IMacro>(macros.Get(), seen);
    EXPECT_EQ(11u, seen.size());

    Ptr<IProfile> none;
    EXPECT_LT(profiles->Find(1, 2, 3, 4, none.Out()), 0);
    EXPECT_FALSE(none);
    EXPECT_LT(profiles->Find(0, 0, 0, 0, none.Out()), 0);
    Ptr<IMacro> noMacro;
    EXPECT_LT(macros->Find(1, 2, 3, 4, noMacro.Out()), 0);
    EXPECT_FALSE(noMacro);
}

TEST_F(ListRules, RemoveMovesLaterItemsDownAndKeepsOneActiveProfile)
{
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IProfile> first = ProfileAt(0), second = ProfileAt(1);
    ASSERT_EQ(S_OK, profiles->Remove(first.Get()));  // the active one
    EXPECT_EQ(L"Profile 2", ProfileName(ProfileAt(0).Get()));
    EXPECT_EQ(L"Profile 5", ProfileName(ProfileAt(3).Get()));
    EXPECT_FALSE(ProfileAt(4));
    Ptr<IProfile> active;
    ASSERT_EQ(S_OK, profiles->GetActive(active.Out()));
    EXPECT_TRUE(IsEqualGUID(IdOf(second.Get()), IdOf(active.Get())));
    EXPECT_LT(profiles->Remove(first.Get()), 0);  // already gone

    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, profiles->Remove(ProfileAt(0).Get()));
    EXPECT_LT(profiles->Remove(ProfileAt(0).Get()), 0);  // the device keeps one
    EXPECT_TRUE(ProfileAt(0));

    Ptr<IMacroManager> macros = Macros();
    Ptr<IMacro> m[3];
    for (Ptr<IMacro>& one : m) ASSERT_EQ(S_OK, macros->Create(one.Out()));
    ASSERT_EQ(S_OK, m[1]->SetName(L"last"));
    ASSERT_EQ(S_OK, m[2]->SetName(L"third"));
    ASSERT_EQ(S_OK, macros->Remove(m[0].Get()));
    Ptr<IMacro> moved;
    ASSERT_EQ(S_OK, macros->Item(1, moved.Out()));
    LPWSTR name = nullptr;
    ASSERT_EQ(S_OK, moved->GetName(&name));
    EXPECT_EQ(L"third", TakeText(name));
    EXPECT_LT(macros->Remove(m[0].Get()), 0);
    EXPECT_LT(macros->Remove(nullptr), 0);
}

TEST_F(ListRules, TheProfileListIsFullAtTwenty)
{
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IProfile> p;
    for (int i = 5; i < 20; ++i) ASSERT_EQ(S_OK, profiles->Create(p.Out()));
    EXPECT_LT(profiles->Create(p.Out()), 0);
    EXPECT_FALSE(p);
    EXPECT_FALSE(ProfileAt(20));
}

TEST_F(ListRules, HeldObjectsOfARemovedProfileFailEveryCall)
{
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IProfile> gone = ProfileAt(2);
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(gone.Get());
    Ptr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(gone.Get());
    Ptr<IProfileProperties> props = ProfileFeature<IProfileProperties>(gone.Get());
    Ptr<ILightingZones> zones = ProfileFeature<ILightingZones>(gone.Get());
    Ptr<ILightingZone> zone;
    ASSERT_EQ(S_OK, zones->Item(0, zone.Out()));
    Ptr<IZoneColorValue> colour = zone.As<IZoneColorValue>();
    ASSERT_TRUE(colour);
    ASSERT_EQ(S_OK, profiles->Remove(gone.Get()));

    ULONG x = 0, y = 0;
    EXPECT_LT(dpi->GetDpi(&x, &y), 0);
    EXPECT_LT(dpi->SetDpi(800, 800), 0);
    KeyCount kc{};
    EXPECT_LT(keys->GetCount(&kc), 0);
    AssignmentValue v[2] = {};
    ULONG n = 2;
    EXPECT_LT(keys->GetAll(&n, v), 0);
    EXPECT_EQ(0u, n);
    USHORT flags = 0;
    ULONG size = 2;
    EXPECT_LT(props->Get(0x80000003, 0, reinterpret_cast<BYTE*>(&flags), 0, &size), 0);
    EXPECT_LT(colour->Set(0x00FF00), 0);
    EXPECT_LT(zones->Item(0, zone.Out()), 0);
    EXPECT_LT(gone->SetName(L"back"), 0);
    EXPECT_LT(profiles->SetActive(gone.Get()), 0);
    LPWSTR name = nullptr;
    EXPECT_LT(gone->GetName(&name), 0);
    EXPECT_EQ(nullptr, name);
    Ptr<IDpiSettings> again;
    EXPECT_LT(gone->GetFeature(__uuidof(IDpiSettings), again.OutUnknown()), 0);
    // The other profiles are untouched.
    EXPECT_EQ(L"Profile 4", ProfileName(ProfileAt(2).Get()));
}

TEST_F(ListRules, ObjectsHeldAcrossADetachStayDeadAfterTheNextAttach)
{
    Ptr<IDevice> device = Device();
    Ptr<IProfileManager> profiles = Profiles();
    Ptr<IProfile> profile = ProfileAt(0);
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(profile.Get());
    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(device.Get());
    Ptr<IMacroManager> macros = Macros();
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, macros->Create(macro.Out()));
    ASSERT_EQ(S_OK, control_->Detach(0x1F));

    Ptr<IDevice> none;
    EXPECT_LT(collection_->Item(0, none.Out()), 0);
    DeviceInfo info{};
    EXPECT_LT(device->GetInfo(&info), 0);
    EXPECT_EQ(nullptr, info.text);
    Ptr<IProfile> p;
    EXPECT_LT(profiles->Item(0, p.Out()), 0);
    EXPECT_LT(profiles->GetActive(p.Out()), 0);
    ULONG x, y, interval;
    EXPECT_LT(dpi->GetDpi(&x, &y), 0);
    EXPECT_LT(rate->Get(&interval), 0);
    LPWSTR name = nullptr;
    EXPECT_LT(macro->GetName(&name), 0);

    ASSERT_EQ(S_OK, control_->Attach(0x1F));
    EXPECT_LT(dpi->GetDpi(&x, &y), 0);
    EXPECT_LT(profiles->Item(0, p.Out()), 0);
    EXPECT_LT(device->GetInfo(&info), 0);
    // A fresh walk reaches the device again, with what it held.
    ASSERT_EQ(S_OK, ProfileFeature<IDpiSettings>(ProfileAt(0).Get())->GetDpi(&x, &y));
    EXPECT_EQ(1800u, x);
    Ptr<IMacro> kept;
    EXPECT_EQ(S_OK, Macros()->Item(0, kept.Out()));
}

TEST_F(ListRules, FeaturesFollowTheModelsFeatureCodes)
{
    ASSERT_EQ(S_OK, control_->Attach(0x15));
    ASSERT_EQ(S_OK, control_->Attach(0x21));
    Ptr<IDevice> wired = Device(0x15), dock = Device(0x21);
    ASSERT_TRUE(wired);
    ASSERT_TRUE(dock);
    EXPECT_FALSE(DeviceFeature<IPowerStatus>(wired.Get()));
    EXPECT_FALSE(DeviceFeature<IPowerSettings>(wired.Get()));
    EXPECT_TRUE(DeviceFeature<IReportRate>(wired.Get()));
    EXPECT_TRUE(DeviceFeature<IPowerStatus>(dock.Get()));
    EXPECT_TRUE(DeviceFeature<IPowerSettings>(dock.Get()));

    Ptr<IUnitVersion> unit = dock.As<IUnitVersion>();
    ASSERT_TRUE(unit);
    BYTE v[4] = {};
    ASSERT_EQ(S_OK, unit->GetVersion(&v[0], &v[1], &v[2], &v[3]));
    EXPECT_EQ(1, v[0]);
    EXPECT_EQ(20, v[1]);
    Ptr<IUnknown> unknown;
    EXPECT_LT(wired->GetFeature(__uuidof(IProfile), unknown.Out()), 0);
    EXPECT_FALSE(unknown);
}

}  // namespace
