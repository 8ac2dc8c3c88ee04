// The known mouse models: product id, feature codes and display name. The
// table's order is the order in which the model picker prefers them.
#pragma once
#include <cstddef>
#include <cstdint>

struct DeviceDescriptor {
    uint32_t productId;
    const uint32_t* features;
    size_t featureCount;
    const wchar_t* name;

    bool HasFeature(uint32_t code) const
    {
        for (size_t i = 0; i < featureCount; ++i)
            if (features[i] == code)
                return true;
        return false;
    }
};

// The fixed table (wireless mouse, charging dock, wired mouse, the other
// cable mouse 0x2E).
const DeviceDescriptor* KnownDevices(size_t& count);
// The row for a product id; null when the model is not known.
const DeviceDescriptor* FindKnownDevice(uint32_t productId);
