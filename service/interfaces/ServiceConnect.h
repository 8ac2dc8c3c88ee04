// Connecting to the device service: its collection, created as the service
// expects (class context 0x17, the collection interface).
//
// Under Wine a connect can fail at once with RPC_E_DISCONNECTED while the
// service runs on: COM hands each client the service's class object
// marshalled for that client alone, and a copy marshalled just as another
// client's release takes the object's stub down refers to a stub that is
// gone. Our server keeps that stub for its whole life (server/ServerMain.cpp);
// a service that does not meets it about once in 20 000 connects under many
// clients. The next connect gets a live stub, so a connect that meets that
// answer is made once more.
#pragma once

#include <objbase.h>

#include "DeviceService.h"

HRESULT ConnectDeviceService(IDeviceCollection** out);
