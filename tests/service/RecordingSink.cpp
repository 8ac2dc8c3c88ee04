#include "RecordingSink.h"

#include <objbase.h>
#include <ocidl.h>

STDMETHODIMP RecordingSink::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) *out = Unknown();
    else if (!IsEqualIID(iid, iid_)) return E_NOINTERFACE;
    else if (IsEqualIID(iid, __uuidof(_IDPIEvents))) *out = static_cast<_IDPIEvents*>(this);
    else if (IsEqualIID(iid, __uuidof(_IProfileManagerEvents))) *out = static_cast<_IProfileManagerEvents*>(this);
    else if (IsEqualIID(iid, __uuidof(_IApplicationEvent))) *out = static_cast<_IApplicationEvent*>(this);
    else if (IsEqualIID(iid, __uuidof(_IOTFMacroRecordingEvents))) *out = static_cast<_IOTFMacroRecordingEvents*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) RecordingSink::Release()
{
    ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
}

HRESULT RecordingSink::Got(const std::wstring& line)
{
    events_.push_back(line);
    if (onEvent) onEvent();
    return S_OK;
}

STDMETHODIMP RecordingSink::OnDpiChanged(ULONG x, ULONG y)
{
    return Got(L"dpi " + std::to_wstring(x) + L" " + std::to_wstring(y));
}

STDMETHODIMP RecordingSink::OnActiveProfileChanged(LONG index)
{
    return Got(L"profile " + std::to_wstring(index));
}

STDMETHODIMP RecordingSink::OnLaunchApplication(LONG code, LPCWSTR path)
{
    return Got(L"launch " + std::to_wstring(code) + L" " + (path ? path : L"(null)"));
}

STDMETHODIMP RecordingSink::OnRecordStart() { return Got(L"record start"); }
STDMETHODIMP RecordingSink::OnRecordStop() { return Got(L"record stop"); }
STDMETHODIMP RecordingSink::OnRecordCancel() { return Got(L"record cancel"); }

STDMETHODIMP RecordingSink::OnRecordSave(LONG a, LONG b)
{
    return Got(L"record save " + std::to_wstring(a) + L" " + std::to_wstring(b));
}

namespace {

HRESULT PointOf(IUnknown* source, REFIID eventIid, IConnectionPoint** point)
{
    *point = nullptr;
    if (!source) return E_POINTER;
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) return hr;
    hr = container->FindConnectionPoint(eventIid, point);
    container->Release();
    return hr;
}

}  // namespace

DWORD AdviseSink(IUnknown* source, REFIID eventIid, IUnknown* sink, HRESULT* result)
{
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    HRESULT hr = PointOf(source, eventIid, &point);
    if (SUCCEEDED(hr)) {
        hr = point->Advise(sink, &cookie);
        point->Release();
    }
    if (result) *result = hr;
    return SUCCEEDED(hr) ? cookie : 0;
}

HRESULT UnadviseSink(IUnknown* source, REFIID eventIid, DWORD cookie)
{
    IConnectionPoint* point = nullptr;
    HRESULT hr = PointOf(source, eventIid, &point);
    if (FAILED(hr)) return hr;
    hr = point->Unadvise(cookie);
    point->Release();
    return hr;
}
