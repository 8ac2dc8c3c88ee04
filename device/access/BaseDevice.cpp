#include "BaseDevice.h"

#include "FeatureStepSupport.h"
#include "FeatureSteps.h"
#include "Macro.h"
#include "MouseConfigInterface.h"
#include "ServiceConnection.h"

class CMouse;

template <class C, class P, class D>
CBaseDevice<C, P, D>::CBaseDevice(const DeviceDescriptor* model) : m_model(model)
{
}

template <class C, class P, class D>
CBaseDevice<C, P, D>::~CBaseDevice()
{
    // Normally joined already by the derived class; never leave a thread
    // running on a half-destroyed object.
    m_worker.Join(0);
    DisconnectDevice();
}

template <class C, class P, class D>
void CBaseDevice<C, P, D>::Close()
{
    DisconnectDevice();
    m_keyIds.clear();
    m_connected = false;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::OpenDevice()
{
    if (FAILED(CreateDeviceServiceCollection(m_collection.Out())) || !m_collection) {
        m_collection.Reset();
        return false;
    }
    m_openThread = ::GetCurrentThreadId();
    m_device = FindServiceDevice(m_collection.Get(), m_model->productId);
    m_connected = static_cast<bool>(m_device);
    if (!m_device)
        m_collection.Reset();
    return m_connected.load();
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ConnectDevice()
{
    if (!m_model || m_model->productId == 0)
        return false;
    bool expected = false;
    if (!m_held.compare_exchange_strong(expected, true))
        return false;
    if (!OpenDevice()) {
        m_held = false;
        return false;
    }
    return true;
}

template <class C, class P, class D>
void CBaseDevice<C, P, D>::ReleaseInterfacesKeepClaim()
{
    m_device.Reset();
    m_collection.Reset();
    m_openThread = 0;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ReopenDevice()
{
    return m_held.load() && !m_device && OpenDevice();
}

template <class C, class P, class D>
void CBaseDevice<C, P, D>::DisconnectDevice()
{
    m_device.Reset();
    m_collection.Reset();
    m_openThread = 0;
    m_held = false;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ImportMacro(const wchar_t* path, C config)
{
    if (!path || !config || !ConnectDevice())
        return false;
    bool ok = featuresteps::ImportMacro(Device(), path, *config);
    DisconnectDevice();
    return ok;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ExportMacro(const wchar_t* path, CMacro* macro)
{
    if (!path || !macro || !ConnectDevice())
        return false;
    bool ok = featuresteps::ExportMacro(Device(), path, *macro);
    DisconnectDevice();
    return ok;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::MacroExists(CMacro* macro)
{
    if (!macro || !ConnectDevice())
        return false;
    bool ok = featuresteps::MacroExists(Device(), *macro);
    DisconnectDevice();
    return ok;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ExportProfile(const wchar_t* path, P profile)
{
    if (!path || !profile || !ConnectDevice())
        return false;
    bool ok = featuresteps::ExportProfile(Device(), path, profile);
    DisconnectDevice();
    return ok;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::ProfileExists(P profile)
{
    if (!profile || !ConnectDevice())
        return false;
    bool ok = featuresteps::ProfileExists(Device(), profile);
    DisconnectDevice();
    return ok;
}

template <class C, class P, class D>
uint32_t CBaseDevice<C, P, D>::GetDeviceProfileCount()
{
    if (!ConnectDevice())
        return 0;
    uint32_t count = 0;
    ComPtr<IProfileManager> profiles = featuresteps::DeviceFeature<IProfileManager>(Device());
    if (profiles) {
        while (count < static_cast<uint32_t>(kMaxServiceItems)) {
            ComPtr<IProfile> p;
            if (FAILED(profiles->Item(static_cast<LONG>(count), p.Out())) || !p)
                break;
            ++count;
        }
    }
    DisconnectDevice();
    return count;
}

template <class C, class P, class D>
bool CBaseDevice<C, P, D>::IsOnline()
{
    if (!ConnectDevice())
        return false;
    BYTE linked = 0;
    ComPtr<IDeviceLink> link = m_device.template As<IDeviceLink>();
    bool online = link && SUCCEEDED(link->IsLinked(&linked)) && linked != 0;
    DisconnectDevice();
    return online;
}

template class CBaseDevice<IMouseConfig*, IMouseProfile*, CMouse>;
