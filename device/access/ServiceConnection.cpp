#include "ServiceConnection.h"

#include <atomic>

#include "ServiceConnect.h"

namespace {

std::atomic<DeviceServiceFactory> g_factory{&ConnectDeviceService};

}  // namespace

HRESULT CreateDeviceServiceCollection(IDeviceCollection** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    HRESULT hr = g_factory.load()(out);
    if (SUCCEEDED(hr) && !*out)
        hr = E_NOINTERFACE;  // a success without an object is still no service
    return hr;
}

DeviceServiceFactory SetDeviceServiceFactory(DeviceServiceFactory factory)
{
    return g_factory.exchange(factory ? factory : &ConnectDeviceService);
}

namespace {

// The collection walks stop here even if the service keeps answering.
const LONG kMaxServiceDevices = 1024;

// GetInfo of one device; the text is freed unread.
bool ProductIdOf(IDevice* device, ULONG& productId)
{
    DeviceInfo info = {};
    if (!device || FAILED(device->GetInfo(&info)))
        return false;
    CoTaskMemFree(info.text);
    productId = static_cast<ULONG>(info.productId);
    return true;
}

}  // namespace

ComPtr<IDevice> FindServiceDevice(IDeviceCollection* collection, ULONG productId)
{
    if (!collection)
        return {};
    for (LONG i = 0; i < kMaxServiceDevices; ++i) {
        ComPtr<IDevice> device;
        if (FAILED(collection->Item(i, device.Out())) || !device)
            return {};
        ULONG id = 0;
        if (ProductIdOf(device.Get(), id) && id == productId)
            return device;
    }
    return {};
}

std::vector<ULONG> ListServiceProductIds(IDeviceCollection* collection)
{
    std::vector<ULONG> ids;
    if (!collection)
        return ids;
    for (LONG i = 0; i < kMaxServiceDevices; ++i) {
        ComPtr<IDevice> device;
        if (FAILED(collection->Item(i, device.Out())) || !device)
            return ids;
        ULONG id = 0;
        if (ProductIdOf(device.Get(), id))
            ids.push_back(id);
    }
    return ids;
}
