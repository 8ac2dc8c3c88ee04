#include "DeviceDescriptor.h"

namespace {

const uint32_t kWirelessFeatures[] = {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 14, 16, 15};
const uint32_t kWiredFeatures[] = {1, 2, 3, 4, 5, 6, 7, 10, 11, 12};

const DeviceDescriptor kDevices[] = {
    {0x1F, kWirelessFeatures, sizeof(kWirelessFeatures) / sizeof(kWirelessFeatures[0]),
     L"Tandu Kovu Zent Wireless Mouse"},
    {0x21, kWirelessFeatures, sizeof(kWirelessFeatures) / sizeof(kWirelessFeatures[0]),
     L"Tandu Kovu Zent Charging Dock"},
    {0x15, kWiredFeatures, sizeof(kWiredFeatures) / sizeof(kWiredFeatures[0]), L"Tandu Kovu"},
    // The other cable mouse, whose look and lights the configurator has
    // (model flag 8): without a row here it could never be chosen.
    {0x2E, kWiredFeatures, sizeof(kWiredFeatures) / sizeof(kWiredFeatures[0]), L"Tandu Kovu Quarel"},
};

}  // namespace

const DeviceDescriptor* KnownDevices(size_t& count)
{
    count = sizeof(kDevices) / sizeof(kDevices[0]);
    return kDevices;
}

const DeviceDescriptor* FindKnownDevice(uint32_t productId)
{
    for (const DeviceDescriptor& d : kDevices)
        if (d.productId == productId)
            return &d;
    return nullptr;
}
