// Creation of the service's COM objects. CreateDeviceCollection is what the
// server's class factory hands out, and what in-process users call directly.
#pragma once

#include "ComObject.h"
#include "ServiceCore.h"

namespace tkservice {

// The collection, answering IDeviceCollection and IServiceControl.
IDeviceCollection* CreateDeviceCollection();

// Internal: objects of one device or one profile.
IDevice* CreateDeviceObject(DeviceRef device);
HRESULT CreateDeviceFeature(DeviceRef device, REFIID iid, IUnknown** out);
IProfile* CreateProfileObject(DeviceRef device, const ProfilePtr& profile);
HRESULT CreateProfileFeature(DeviceRef device, const ProfilePtr& profile, REFIID iid, IUnknown** out);
IUnknown* CreateProfileManager(DeviceRef device);
IUnknown* CreateMacroManager(DeviceRef device);
IServiceControl* CreateServiceControl();

// A copy of text in CoTaskMem memory, or null when out of memory.
wchar_t* CoTaskText(const std::wstring& text);

// The GUID of an IProfile or IMacro a caller hands in (ours or anyone's).
bool IdOfProfile(IProfile* profile, GUID& id);
bool IdOfMacro(IMacro* macro, GUID& id);

// Every object method starts with this: log the call, apply an injected
// fault, take the state lock. Calls run on many threads at once; the lock is
// never held across a call into a client (a method that must ask a caller's
// object does so before it).
#define TK_SERVICE_CALL(operation, args)                                     \
    ::tkservice::Call call(operation, args);                                 \
    if (FAILED(call.Fault())) return call.Done(call.Fault());               \
    std::lock_guard<std::recursive_mutex> stateLock(::tkservice::ServiceCore::Instance().Mutex())

}  // namespace tkservice
