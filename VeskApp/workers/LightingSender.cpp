#include "LightingSender.h"

#include <objbase.h>

#include "ComPtr.h"
#include "DeviceService.h"
#include "ModelFlags.h"
#include "StatusReader.h"

namespace {

constexpr ULONG kZoneIdWheel = 1;
constexpr ULONG kZoneIdLogo = 4;
constexpr LONG kMaxZones = 64;  // a list that does not end is no list of zones

template <class T>
ComPtr<T> FeatureOf(IProfile* profile)
{
    ComPtr<IUnknown> unknown;
    if (!profile || FAILED(profile->GetFeature(__uuidof(T), unknown.OutUnknown())) || !unknown)
        return {};
    return unknown.As<T>();
}

}  // namespace

bool SetLightingOverCom(const LightingValues& values)
{
    const ULONG order[] = {kProductDock, kProductWireless, kProductWired, kProduct2E};
    ComPtr<IDevice> device;
    ULONG product = 0;
    for (ULONG p : order) {
        if ((device = FindComDeviceByProductId(p))) {
            product = p;
            break;
        }
    }
    if (!device)
        return false;
    ComPtr<IFeatureSource> source;
    if (FAILED(device->QueryInterface(__uuidof(IFeatureSource), source.OutVoid())) || !source)
        return false;
    ComPtr<IUnknown> unknown;
    if (FAILED(source->GetFeature(__uuidof(IProfileManager), unknown.OutUnknown())) || !unknown)
        return false;
    ComPtr<IProfileManager> profiles = unknown.As<IProfileManager>();
    ComPtr<IProfile> active;
    if (!profiles || FAILED(profiles->GetActive(active.Out())) || !active)
        return false;
    ComPtr<ILightingZones> zones = FeatureOf<ILightingZones>(active.Get());
    if (!zones)
        return false;
    bool switches = product == kProductWired || product == kProduct2E;
    bool colours = product != kProductWired;
    for (LONG i = 0; i < kMaxZones; ++i) {
        ComPtr<ILightingZone> zone;
        if (FAILED(zones->Item(i, zone.Out())) || !zone)
            break;
        ULONG id = 0;
        if (FAILED(zone->GetId(&id)))
            continue;
        if (id == kZoneIdWheel) {
            if (switches)
                values.zone0On ? zone->TurnOn() : zone->TurnOff();
            if (colours) {
                if (ComPtr<IZoneColorValue> c = zone.As<IZoneColorValue>())
                    c->Set((ULONG)values.colour);
                if (ComPtr<IZoneBrightness> b = zone.As<IZoneBrightness>())
                    b->Set(values.level);
                if (ComPtr<IZoneEffect> e = zone.As<IZoneEffect>())
                    e->Set(values.effect == 5 ? 5 : 0, 0, 0);
            }
        } else if (id == kZoneIdLogo && switches) {
            values.zone3On ? zone->TurnOn() : zone->TurnOff();
        }
    }
    return true;
}

CLightingSender::CLightingSender(CWorkerGate& gate, SendFn send)
    : m_gate(gate), m_send(send ? std::move(send) : SendFn([](const LightingValues& v) { SetLightingOverCom(v); }))
{
}

CLightingSender::~CLightingSender()
{
    Join();
}

void CLightingSender::SetLatest(const LightingValues& values)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_latest = values;
}

LightingValues CLightingSender::Latest() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_latest;
}

bool CLightingSender::Start()
{
    return m_threads.Start(&CLightingSender::ThreadMain, this, THREAD_PRIORITY_HIGHEST);
}

void CLightingSender::Join()
{
    m_threads.Join();
}

unsigned __stdcall CLightingSender::ThreadMain(void* param)
{
    auto* self = static_cast<CLightingSender*>(param);
    CWorkerGate::Pass pass(self->m_gate);
    if (!pass.Entered()) {
        ::InterlockedIncrement(&self->m_dropped);
        return 0;
    }
    HRESULT com = ::CoInitialize(nullptr);
    try {
        self->m_send(self->Latest());
    } catch (...) {
        // Nothing leaves the thread; the preview is lost, the next one is not.
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return 1;
}
