// A service whose lists never end (every Item call answers): the device
// walks stop by themselves instead of looping for good.
#include <gtest/gtest.h>

#include <cstring>

#include "ComObject.h"
#include "DeviceDescriptor.h"
#include "FeatureSteps.h"
#include "Mouse.h"
#include "ServiceConnection.h"
#include "VeskConfig.h"

namespace {

// A stuck service would answer for ever; the fakes give up at this many
// calls so that a walk without a bound fails the test instead of hanging it.
const LONG kGiveUp = 200000;
LONG g_itemCalls = 0;

class OtherDevice : public tkservice::ComObject<IDevice> {
public:
    STDMETHODIMP GetInfo(DeviceInfo* info) override
    {
        memset(info, 0, sizeof(*info));
        info->productId = 0x99;  // no known model
        return S_OK;
    }
    STDMETHODIMP GetFeature(REFIID, IUnknown** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

class EndlessCollection : public tkservice::ComObject<IDeviceCollection> {
public:
    STDMETHODIMP Item(LONG, IDevice** out) override
    {
        *out = nullptr;
        if (++g_itemCalls > kGiveUp)
            return E_FAIL;
        *out = new OtherDevice;
        return S_OK;
    }
};

HRESULT CreateEndless(IDeviceCollection** out)
{
    *out = new EndlessCollection;
    return S_OK;
}

class Zone : public tkservice::ComObject<ILightingZone> {
public:
    STDMETHODIMP TurnOn() override { return S_OK; }
    STDMETHODIMP TurnOff() override { return S_OK; }
    STDMETHODIMP IsOn(LONG* on) override
    {
        *on = 1;
        return S_OK;
    }
    STDMETHODIMP GetId(ULONG* id) override
    {
        *id = 1;
        return S_OK;
    }
};

class EndlessZones : public tkservice::ComObject<ILightingZones> {
public:
    STDMETHODIMP Item(LONG, ILightingZone** out) override
    {
        *out = nullptr;
        if (++g_itemCalls > kGiveUp)
            return E_FAIL;
        *out = new Zone;
        return S_OK;
    }
};

class ZonedProfile : public tkservice::ComObject<IProfile> {
public:
    STDMETHODIMP GetFeature(REFIID iid, IUnknown** out) override
    {
        *out = nullptr;
        if (!IsEqualIID(iid, __uuidof(ILightingZones)))
            return E_NOINTERFACE;
        *out = static_cast<ILightingZones*>(new EndlessZones);
        return S_OK;
    }
    STDMETHODIMP GetId(GUID* id) override
    {
        *id = GUID{};
        return E_FAIL;
    }
    STDMETHODIMP GetName(LPWSTR* name) override
    {
        *name = nullptr;
        return E_FAIL;
    }
    STDMETHODIMP SetName(LPCWSTR) override { return E_FAIL; }
    STDMETHODIMP Reserved7() override { return E_NOTIMPL; }
    STDMETHODIMP Export(LPCWSTR) override { return E_FAIL; }
};

class EndlessServiceTest : public ::testing::Test {
protected:
    void SetUp() override { g_itemCalls = 0; }
    void TearDown() override { SetDeviceServiceFactory(nullptr); }
};

}  // namespace

TEST_F(EndlessServiceTest, FindingADeviceStopsWalkingTheCollection)
{
    ComPtr<IDeviceCollection> c = ComPtr<IDeviceCollection>::Attach(new EndlessCollection);
    EXPECT_FALSE(FindServiceDevice(c.Get(), 0x1F));
    EXPECT_LT(g_itemCalls, kGiveUp);

    g_itemCalls = 0;
    EXPECT_LT(ListServiceProductIds(c.Get()).size(), 10000u);
    EXPECT_LT(g_itemCalls, kGiveUp);

    // The device object's connect is one of those walks.
    g_itemCalls = 0;
    SetDeviceServiceFactory(&CreateEndless);
    CMouse m(FindKnownDevice(0x1F));
    EXPECT_FALSE(m.IsOnline());
    EXPECT_LT(g_itemCalls, kGiveUp);
}

TEST_F(EndlessServiceTest, LightingStopsWalkingTheZonesAndFails)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"One");
    ComPtr<IProfile> device = ComPtr<IProfile>::Attach(new ZonedProfile);
    EXPECT_FALSE(featuresteps::WriteLighting(device.Get(), config, p));
    EXPECT_LT(g_itemCalls, kGiveUp);
    g_itemCalls = 0;
    EXPECT_FALSE(featuresteps::ReadLighting(device.Get(), config, p));
    EXPECT_LT(g_itemCalls, kGiveUp);
}
