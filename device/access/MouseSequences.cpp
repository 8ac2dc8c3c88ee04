// The write and read sequences of CMouse: which feature steps run, in which
// order, with which progress. A failed step clears the running result and
// the steps after it are skipped (progress is still sent), so a failure is
// never hidden by a later success.
#include "Mouse.h"

#include "DeviceGuid.h"
#include "FeatureStepSupport.h"
#include "TransferPlan.h"

using namespace featuresteps;

namespace {

// The running result of a sequence: a step runs only while it holds and
// the worker has not been told to stop; a failed step clears it.
class StepChain {
public:
    explicit StepChain(const CTransferWorker* worker = nullptr) : m_worker(worker) {}
    template <class F>
    void Run(bool wanted, F step)
    {
        if (!wanted || !m_ok)
            return;
        if (m_worker && m_worker->StopRequested())
            m_ok = false;
        else
            m_ok = step();
    }
    // A step that runs whatever came before; its failure still counts.
    template <class F>
    void Always(bool wanted, F step)
    {
        if (wanted && !(m_worker && m_worker->StopRequested()))
            m_ok = step() && m_ok;
    }
    void Fail() { m_ok = false; }
    bool Ok() const { return m_ok && !(m_worker && m_worker->StopRequested()); }

private:
    const CTransferWorker* m_worker;
    bool m_ok = true;
};

bool GuidOf(IProfile* profile, GUID& id)
{
    id = GUID{};
    return profile && SUCCEEDED(profile->GetId(&id));
}

IMouseProfile* ConfigProfileWith(IMouseConfig& config, const GUID& id)
{
    ULONG w[4];
    GuidWords(id, w);
    return config.FindProfileByGuid(w[0], w[1], w[2], w[3]);
}

}  // namespace

void CMouse::RemoveProfilesNotIn(IProfileManager* profiles, IMouseConfig& config)
{
    LONG i = 0;
    for (int guard = 0; guard < kMaxServiceItems; ++guard) {
        ComPtr<IProfile> device;
        if (FAILED(profiles->Item(i, device.Out())) || !device)
            return;
        GUID id;
        // Removing moves the next profile to this index.
        if (GuidOf(device.Get(), id) && !ConfigProfileWith(config, id) &&
            SUCCEEDED(profiles->Remove(device.Get())))
            continue;
        ++i;
    }
}

bool CMouse::RunWrite(IMouseConfig& config, const TransferPlan& plan, const DeviceLists& lists)
{
    StepChain chain(&m_worker);
    IDevice* device = Device();
    ComPtr<IProfileManager> profiles;
    if (plan.profiles) {
        profiles = DeviceFeature<IProfileManager>(device);
        if (!profiles)
            chain.Fail();
    }
    // Buttons and keys must not be sent pointing at a macro the device lost.
    chain.Run(plan.macros && (plan.buttons || plan.keys),
              [&] { return RecreateLostMacros(device, config, lists); });
    if (profiles) {
        RemoveProfilesNotIn(profiles.Get(), config);
        for (uint32_t i = 0; i < config.GetProfileCount() && !m_worker.StopRequested(); ++i) {
            IMouseProfile* p = config.GetProfile(i);
            if (!p)
                break;
            chain.Run(true, [&] { return EnsureDeviceProfile(profiles.Get(), p); });
            ComPtr<IProfile> dp = FindDeviceProfile(profiles.Get(), p);
            if (!dp)
                continue;
            IProfile* d = dp.Get();
            SendProfileText(p);
            SendPercent(10);
            chain.Run(plan.properties, [&] { return WriteProperties(d, config, p); });
            chain.Run(plan.sensitivity, [&] { return WriteSensitivity(d, config, p); });
            SendPercent(30);
            chain.Run(plan.buttons, [&] { return WriteButtons(device, d, config, p, lists); });
            SendPercent(60);
            chain.Run(plan.keys, [&] { return WriteKeys(device, d, config, p, lists); });
            SendPercent(90);
            chain.Run(plan.lighting, [&] { return WriteLighting(d, config, p); });
            SendPercent(100);
        }
    }
    chain.Run(plan.acceleration, [&] { return WriteAcceleration(device, config); });
    chain.Run(plan.reportRate, [&] { return WriteReportRate(device, config); });
    chain.Run(plan.macros, [&] { return WriteMacros(device, config); });
    // The three power settings are sent even after an earlier failure.
    chain.Always(plan.powerSettings, [&] { return WritePowerSettings(device, config); });
    chain.Run(plan.setActiveProfile && profiles, [&] {
        IMouseProfile* active = config.GetActiveProfile();
        ComPtr<IProfile> dp;
        if (active)
            dp = FindDeviceProfile(profiles.Get(), active);
        return dp && SUCCEEDED(profiles->SetActive(dp.Get()));
    });
    return chain.Ok();
}

bool CMouse::RunRead(IMouseConfig& config, const TransferPlan& plan, const DeviceLists& lists)
{
    StepChain chain;
    IDevice* device = Device();
    if (plan.profiles) {
        ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(device);
        GUID active{};
        ComPtr<IProfile> current;
        // Without an active profile the profiles are still read; the read
        // reports the failure.
        bool activeRead = profiles && SUCCEEDED(profiles->GetActive(current.Out())) &&
                          GuidOf(current.Get(), active);
        if (!activeRead)
            active = GUID{};
        if (!profiles)
            chain.Fail();
        for (LONG i = 0; profiles && chain.Ok() && i < kMaxServiceItems; ++i) {
            ComPtr<IProfile> dp;
            if (FAILED(profiles->Item(i, dp.Out())) || !dp)
                break;
            GUID id;
            if (!GuidOf(dp.Get(), id)) {
                chain.Fail();
                break;
            }
            IMouseProfile* p = ConfigProfileWith(config, id);
            if (!p)
                continue;
            IProfile* d = dp.Get();
            SendProfileText(p);
            if (!GuidIsZero(active) && GuidEquals(active, id))
                config.SetActiveProfile(p);
            chain.Run(plan.properties, [&] { return ReadProperties(d, config, p); });
            SendPercent(10);
            chain.Run(plan.sensitivity, [&] { return ReadSensitivity(d, config, p); });
            SendPercent(30);
            chain.Run(plan.buttons, [&] { return ReadButtons(d, config, p, lists); });
            SendPercent(60);
            chain.Run(plan.keys, [&] { return ReadKeys(d, config, p, lists); });
            SendPercent(80);
            chain.Run(plan.lighting, [&] { return ReadLighting(d, config, p); });
            SendPercent(100);
        }
        if (!activeRead)
            chain.Fail();
    }
    chain.Run(plan.acceleration, [&] { return ReadAcceleration(device, config); });
    chain.Run(plan.reportRate, [&] { return ReadReportRate(device, config); });
    chain.Run(plan.macros, [&] { return ReadMacros(device, config); });
    chain.Always(plan.battery, [&] { return ReadBattery(device, config); });
    chain.Always(plan.powerSettings, [&] { return ReadPowerSettings(device, config); });
    chain.Always(plan.unitVersion, [&] { return RereadVersionA(); });
    return chain.Ok();
}
