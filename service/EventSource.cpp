#include "EventSource.h"

namespace tkservice {

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* container, const IID& eventIid,
                                   EventKind kind, DeviceRef device)
    : container_(container), eventIid_(eventIid), kind_(kind), device_(device)
{
    container_->AddRef();
}

CConnectionPoint::~CConnectionPoint()
{
    container_->Release();
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = eventIid_;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out) return E_POINTER;
    container_->AddRef();
    *out = container_;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    Call call("IConnectionPoint.Advise");
    if (FAILED(call.Fault())) return call.Done(call.Fault());
    if (!cookie) return call.Done(E_POINTER);
    *cookie = 0;
    if (!sink) return call.Done(E_POINTER);
    {
        std::lock_guard<std::recursive_mutex> lock(ServiceCore::Instance().Mutex());
        if (!ServiceCore::Instance().Live(device_)) return call.Done(kErrNotConnected);
    }
    // Keep the sink's event interface, not whatever pointer we were given.
    IUnknown* events = nullptr;
    if (FAILED(sink->QueryInterface(eventIid_, reinterpret_cast<void**>(&events))) || !events)
        return call.Done(CONNECT_E_CANNOTCONNECT);
    *cookie = ServiceCore::Instance().Advise(kind_, device_.productId, eventIid_, events);
    events->Release();
    return call.Done(S_OK);
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie)
{
    Call call("IConnectionPoint.Unadvise", Args(L"%lu", cookie));
    if (FAILED(call.Fault())) return call.Done(call.Fault());
    return call.Done(ServiceCore::Instance().Unadvise(kind_, cookie) ? S_OK : CONNECT_E_NOCONNECTION);
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** out)
{
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT FindEventPoint(IConnectionPointContainer* container, REFIID wanted, const IID& eventIid,
                       EventKind kind, DeviceRef device, IConnectionPoint** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(wanted, eventIid)) return CONNECT_E_NOCONNECTION;
    *out = new CConnectionPoint(container, eventIid, kind, device);
    return S_OK;
}

}  // namespace tkservice
