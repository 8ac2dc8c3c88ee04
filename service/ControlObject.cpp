// The stand-in's control interface: what the control tool and tests do to
// the simulated mouse. Its calls are not written to the call log, which
// records only what the programs ask of the device.
#include "ServiceObjects.h"
#include "StateFile.h"

namespace tkservice {
namespace {

class CServiceControl : public ComObject<IServiceControl> {
public:
    // A state that cannot be saved is not given up: the service refuses to
    // end with the write's failure and keeps serving (and trying to save) it.
    STDMETHODIMP Shutdown() override
    {
        const HRESULT saved = ServiceCore::Instance().SaveNow();
        if (FAILED(saved)) return saved;
        ULONG successor = 0;
        return ServiceCore::Instance().RequestShutdown(false, successor) ? S_OK : E_NOTIMPL;
    }
    STDMETHODIMP Reset() override
    {
        ServiceCore::Instance().ResetToDefaults();
        return S_OK;
    }
    STDMETHODIMP Attach(ULONG productId) override { return SetAttached(productId, true, true); }
    STDMETHODIMP Detach(ULONG productId) override { return SetAttached(productId, false, true); }
    STDMETHODIMP SetAttachedWithoutNotice(ULONG productId, LONG attached) override
    {
        return SetAttached(productId, attached != 0, false);
    }

    STDMETHODIMP SetBattery(ULONG productId, LONG level, LONG state) override
    {
        // Out-of-range readings are allowed on purpose: callers must cope.
        if (level < 0 || level > 255 || state < 0 || state > 255) return E_INVALIDARG;
        return Change(productId, [&](DeviceState& d) {
            d.batteryLevel = level;
            d.batteryState = state;
            return S_OK;
        });
    }
    STDMETHODIMP SetLink(ULONG productId, LONG linked) override
    {
        return Change(productId, [&](DeviceState& d) {
            d.linked = linked != 0;
            return S_OK;
        });
    }
    STDMETHODIMP SetUnitVersion(ULONG productId, BYTE major, BYTE minor, ULONG presentAfterMs) override
    {
        return Change(productId, [&](DeviceState& d) {
            d.unitMajor = major;
            d.unitMinor = minor;
            d.unitPresentTick = ::GetTickCount() + presentAfterMs;
            return S_OK;
        });
    }

    // Each press queues its event under the lock that its change holds, so
    // events go out in the order of the changes they report.
    STDMETHODIMP PressSensitivityButton(ULONG productId) override
    {
        return Change(productId, [&](DeviceState& d) {
            ProfilePtr p = FindProfile(d, d.activeProfile);
            if (!d.attached || !p || p->stages.empty()) return kErrNotConnected;
            p->currentStage = p->currentStage % p->stages.size() + 1;
            const ULONG x = p->dpiX = p->stages[p->currentStage - 1].x;
            const ULONG y = p->dpiY = p->stages[p->currentStage - 1].y;
            ServiceCore::Instance().QueueEvent(EventKind::Dpi, productId, [x, y](IUnknown* sink) {
                return static_cast<_IDPIEvents*>(sink)->OnDpiChanged(x, y);
            });
            return S_OK;
        });
    }
    STDMETHODIMP PressProfileButton(ULONG productId) override
    {
        return Change(productId, [&](DeviceState& d) {
            if (!d.attached || d.profiles.empty()) return kErrNotConnected;
            const LONG index = (ProfileIndex(d, d.activeProfile) + 1) % static_cast<LONG>(d.profiles.size());
            d.activeProfile = d.profiles[index]->id;
            ServiceCore::Instance().QueueEvent(EventKind::Profile, productId, [index](IUnknown* sink) {
                return static_cast<_IProfileManagerEvents*>(sink)->OnActiveProfileChanged(index);
            });
            return S_OK;
        });
    }
    STDMETHODIMP PressLaunchButton(ULONG productId, LPCWSTR path) override
    {
        if (!path) return E_POINTER;
        std::wstring text(path);
        if (text.size() > kMaxPathChars) return E_INVALIDARG;
        return WhileAttached(productId, [&] {
            ServiceCore::Instance().QueueEvent(EventKind::Launch, productId, [text](IUnknown* sink) {
                return static_cast<_IApplicationEvent*>(sink)->OnLaunchApplication(1, text.c_str());
            });
        });
    }
    STDMETHODIMP PressRecordButton(ULONG productId, ULONG which, LONG a, LONG b) override
    {
        if (which > 3) return E_INVALIDARG;
        return WhileAttached(productId, [&] {
            ServiceCore::Instance().QueueEvent(EventKind::Recording, productId, [which, a, b](IUnknown* sink) {
                auto* events = static_cast<_IOTFMacroRecordingEvents*>(sink);
                switch (which) {
                case 0: return events->OnRecordStart();
                case 1: return events->OnRecordStop();
                case 2: return events->OnRecordSave(a, b);
                default: return events->OnRecordCancel();
                }
            });
        });
    }

    STDMETHODIMP DumpState(LPWSTR* text) override
    {
        if (!text) return E_POINTER;
        std::lock_guard<std::recursive_mutex> lock(ServiceCore::Instance().Mutex());
        std::wstring dump = L"state: " + ServiceCore::Instance().StateMessage() + L"\r\n" +
                            DescribeState(ServiceCore::Instance().Devices());
        *text = CoTaskText(dump);
        return *text ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP SetFault(LPCWSTR operation, HRESULT result, ULONG delayMs, LONG count) override
    {
        if (!operation || !*operation) return E_INVALIDARG;
        if (SUCCEEDED(result) && result != S_OK) return E_INVALIDARG;  // a fault fails or only waits
        ServiceCore::Instance().SetFault(operation, result, delayMs, count);
        return S_OK;
    }
    STDMETHODIMP ClearFaults() override
    {
        ServiceCore::Instance().ClearFaults();
        return S_OK;
    }
    STDMETHODIMP GetCallLog(LPWSTR* text) override
    {
        if (!text) return E_POINTER;
        *text = CoTaskText(ServiceCore::Instance().CallLog());
        return *text ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP ClearCallLog() override
    {
        ServiceCore::Instance().ClearCallLog();
        return S_OK;
    }
    STDMETHODIMP GetServerProcessId(ULONG* processId) override
    {
        if (!processId) return E_POINTER;
        *processId = ::GetCurrentProcessId();
        return S_OK;
    }
    STDMETHODIMP Restart(ULONG* successorProcessId) override
    {
        if (!successorProcessId) return E_POINTER;
        *successorProcessId = 0;
        const HRESULT saved = ServiceCore::Instance().SaveNow();
        if (FAILED(saved)) return saved;
        ULONG successor = 0;
        if (!ServiceCore::Instance().RequestShutdown(true, successor)) return E_NOTIMPL;
        *successorProcessId = successor;
        return successor ? S_OK : E_FAIL;
    }

private:
    template <class F>
    HRESULT Change(ULONG productId, F change)
    {
        std::lock_guard<std::recursive_mutex> lock(ServiceCore::Instance().Mutex());
        DeviceState* d = ServiceCore::Instance().FindDevice(productId);
        if (!d) return E_INVALIDARG;
        HRESULT hr = change(*d);
        if (SUCCEEDED(hr)) ServiceCore::Instance().MarkDirty();
        return hr;
    }
    // Runs queue while the device is attached, under the lock.
    template <class F>
    HRESULT WhileAttached(ULONG productId, F queue)
    {
        std::lock_guard<std::recursive_mutex> lock(ServiceCore::Instance().Mutex());
        DeviceState* d = ServiceCore::Instance().FindDevice(productId);
        if (!d) return E_INVALIDARG;
        if (!d->attached) return kErrNotConnected;
        queue();
        return S_OK;
    }
    HRESULT SetAttached(ULONG productId, bool attached, bool notice)
    {
        return Change(productId, [&](DeviceState& d) {
            ServiceCore::Instance().SetAttached(d, attached, notice);
            return S_OK;
        });
    }
};

}  // namespace

IServiceControl* CreateServiceControl()
{
    return new CServiceControl;
}

}  // namespace tkservice
