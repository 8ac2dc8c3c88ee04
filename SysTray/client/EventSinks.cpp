#include "EventSinks.h"

#include <cwchar>

#include "String.h"

namespace {

// Longest program path a launch event may name (the longest Windows path).
const size_t kMaxLaunchPathChars = 32767;

}  // namespace

STDMETHODIMP CLaunchAppEventSink::OnLaunchApplication(LONG code, LPCWSTR path)
{
    return Forward([&](ILaunchAppEventHandler* h) {
        CString text = path ? CString(path, static_cast<int>(wcsnlen(path, kMaxLaunchPathChars))) : CString();
        h->OnLaunchApp(code, text);
    });
}

CEventConnectionBase::CEventConnectionBase(IUnknown* source, REFIID eventIid) : m_eventIid(eventIid)
{
    if (source) {
        source->AddRef();
        m_source = ComPtr<IUnknown>::Attach(source);
    }
}

namespace {

ComPtr<IConnectionPoint> FindPoint(IUnknown* source, REFIID eventIid)
{
    ComPtr<IConnectionPoint> point;
    ComPtr<IConnectionPointContainer> container;
    if (source && SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, container.OutVoid())) &&
        container) {
        if (FAILED(container->FindConnectionPoint(eventIid, point.Out())))
            point.Reset();
    }
    return point;
}

}  // namespace

void CEventConnectionBase::Advise(IUnknown* sink)
{
    ComPtr<IConnectionPoint> point = FindPoint(m_source.Get(), m_eventIid);
    DWORD cookie = 0;
    if (point && SUCCEEDED(point->Advise(sink, &cookie)))
        m_cookie = cookie;
}

void CEventConnectionBase::Unadvise()
{
    if (!m_cookie)
        return;
    ComPtr<IConnectionPoint> point = FindPoint(m_source.Get(), m_eventIid);
    if (point)
        point->Unadvise(m_cookie);
    m_cookie = 0;
}

CDpiEventConnection::CDpiEventConnection(IDpiSettings* source, IDpiEventHandler* handler)
    : CEventConnection(source, handler)
{
    ULONG lo = 0, hi = 0, step = 0;
    if (source && SUCCEEDED(source->GetRange(&lo, &hi, &step))) {
        m_min = lo;
        m_max = hi;
        m_step = step;
    }
    m_sink->SetRangeMax(m_max);
}
