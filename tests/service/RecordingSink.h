// An event sink for the service's four event interfaces that writes down
// every event it gets as a line of text. Like the programs' sinks it answers
// only IUnknown and the one event interface it is made for, and it is a real
// reference-counted object, so a source that keeps it after a failed test
// never calls a dead one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DeviceService.h"

class RecordingSink : public _IDPIEvents,
                      public _IProfileManagerEvents,
                      public _IApplicationEvent,
                      public _IOTFMacroRecordingEvents {
public:
    static RecordingSink* Create(REFIID eventIid) { return new RecordingSink(eventIid); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP OnDpiChanged(ULONG x, ULONG y) override;
    STDMETHODIMP OnActiveProfileChanged(LONG index) override;
    STDMETHODIMP OnLaunchApplication(LONG code, LPCWSTR path) override;
    STDMETHODIMP OnRecordStart() override;
    STDMETHODIMP OnRecordStop() override;
    STDMETHODIMP OnRecordSave(LONG a, LONG b) override;
    STDMETHODIMP OnRecordCancel() override;

    IUnknown* Unknown() { return static_cast<_IDPIEvents*>(this); }
    const std::vector<std::wstring>& Events() const { return events_; }
    // Runs inside every event, after it is written down (a handler that
    // calls back into the service).
    std::function<void()> onEvent;

private:
    explicit RecordingSink(REFIID eventIid) : iid_(eventIid) {}
    virtual ~RecordingSink() = default;
    HRESULT Got(const std::wstring& line);

    IID iid_;
    ULONG refs_ = 1;
    std::vector<std::wstring> events_;
};

// Advises sink on the source's connection point for eventIid; the cookie,
// or 0 with *result set to the failure.
DWORD AdviseSink(IUnknown* source, REFIID eventIid, IUnknown* sink, HRESULT* result = nullptr);
HRESULT UnadviseSink(IUnknown* source, REFIID eventIid, DWORD cookie);
