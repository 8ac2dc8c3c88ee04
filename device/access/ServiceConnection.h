// Reaching the device service: its collection is created as the service
// expects (class context 0x17, the collection interface). Tests replace the
// factory to run the device code against the service's object model in the
// same process.
#pragma once
#include <windows.h>
#include <vector>
#include "ComPtr.h"
#include "DeviceService.h"

using DeviceServiceFactory = HRESULT (*)(IDeviceCollection** out);

// Creates the service's collection; a failure means no device is reachable.
HRESULT CreateDeviceServiceCollection(IDeviceCollection** out);

// Replaces the factory (null restores ConnectDeviceService); returns the old one.
// Set it before any device object exists: it is read from several threads.
DeviceServiceFactory SetDeviceServiceFactory(DeviceServiceFactory factory);

// The first attached device whose GetInfo succeeds with that product id;
// each GetInfo text is freed at once. Empty when none.
ComPtr<IDevice> FindServiceDevice(IDeviceCollection* collection, ULONG productId);

// Product ids of every device whose GetInfo succeeds, in collection order.
std::vector<ULONG> ListServiceProductIds(IDeviceCollection* collection);
