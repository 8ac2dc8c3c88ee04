// Standard connection points for the service's event sources. A sink is
// kept per device (ServiceCore), not per source object, so an event reaches
// every sink of its kind on the device whichever object it was advised on.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include "ComObject.h"
#include "ServiceCore.h"

namespace tkservice {

class CConnectionPoint : public ComObject<IConnectionPoint> {
public:
    CConnectionPoint(IConnectionPointContainer* container, const IID& eventIid, EventKind kind,
                     DeviceRef device);

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

private:
    ~CConnectionPoint() override;

    IConnectionPointContainer* container_;
    IID eventIid_;
    EventKind kind_;
    DeviceRef device_;
};

// FindConnectionPoint of an event source with the one event interface
// eventIid; EnumConnectionPoints is not offered.
HRESULT FindEventPoint(IConnectionPointContainer* container, REFIID wanted, const IID& eventIid,
                       EventKind kind, DeviceRef device, IConnectionPoint** out);

}  // namespace tkservice
