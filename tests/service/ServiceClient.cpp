#include "ServiceClient.h"

Ptr<IDeviceCollection> ConnectService(HRESULT* result)
{
    Ptr<IDeviceCollection> c;
    HRESULT hr = ::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                    __uuidof(IDeviceCollection), c.OutVoid());
    if (result) *result = hr;
    return c;
}

Ptr<IServiceControl> ConnectControl()
{
    return ConnectService().As<IServiceControl>();
}

Ptr<IDevice> FindDevice(IDeviceCollection* collection, ULONG productId)
{
    for (LONG i = 0; collection; ++i) {
        Ptr<IDevice> d;
        if (FAILED(collection->Item(i, d.Out()))) break;
        DeviceInfo info{};
        if (SUCCEEDED(d->GetInfo(&info))) {
            ::CoTaskMemFree(info.text);
            if (static_cast<ULONG>(info.productId) == productId) return d;
        }
    }
    return Ptr<IDevice>();
}

Ptr<IProfile> ActiveProfile(IDevice* device)
{
    Ptr<IProfile> p;
    Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(device);
    if (m) m->GetActive(p.Out());
    return p;
}

std::wstring TakeText(LPWSTR text)
{
    std::wstring s = text ? text : L"";
    ::CoTaskMemFree(text);
    return s;
}

std::wstring ProfileName(IProfile* profile)
{
    LPWSTR name = nullptr;
    if (!profile || FAILED(profile->GetName(&name))) return L"<failed>";
    return TakeText(name);
}

std::wstring CallLog()
{
    LPWSTR text = nullptr;
    Ptr<IServiceControl> c = ConnectControl();
    if (!c || FAILED(c->GetCallLog(&text))) return L"";
    return TakeText(text);
}
