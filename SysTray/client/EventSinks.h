// The sinks the tray advises on the device service's connection points, and
// the connections that own them. A connection advises its sink when made and
// unadvises it when deleted; the sink itself is a reference-counted COM
// object that lives until the service lets go of it too, and forwards
// nothing once its connection is gone.
#pragma once
#include <windows.h>

#include <ocidl.h>

#include "ComPtr.h"
#include "DeviceService.h"
#include "EventHandlers.h"

// IUnknown of a sink: its own event interface and IUnknown, a plain counter
// (the events arrive on the one UI thread of a single-threaded apartment).
template <class Events, class Handler>
class CEventSink : public Events {
public:
    using EventInterface = Events;
    explicit CEventSink(Handler* handler) : m_handler(handler) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Events))) {
            *out = static_cast<Events*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG n = --m_refs;
        if (n == 0)
            delete this;
        return n;
    }

    // From here on events reach nobody (the connection is going away).
    void Detach() { m_handler = nullptr; }

protected:
    virtual ~CEventSink() = default;

    // Runs one forward; nothing thrown leaves the COM call.
    template <class F>
    HRESULT Forward(F call)
    {
        if (m_handler) {
            try {
                call(m_handler);
            } catch (...) {
            }
        }
        return S_OK;
    }

private:
    Handler* m_handler;
    ULONG m_refs = 1;
};

class CDpiEventSink : public CEventSink<_IDPIEvents, IDpiEventHandler> {
public:
    using CEventSink::CEventSink;
    void SetRangeMax(ULONG rangeMax) { m_rangeMax = rangeMax; }
    STDMETHODIMP OnDpiChanged(ULONG x, ULONG y) override
    {
        ULONG rangeMax = m_rangeMax;
        return Forward([&](IDpiEventHandler* h) { h->OnDpiChanged(x, y, rangeMax); });
    }

private:
    ULONG m_rangeMax = 0;
};

class CProfileEventSink : public CEventSink<_IProfileManagerEvents, IProfileEventHandler> {
public:
    using CEventSink::CEventSink;
    STDMETHODIMP OnActiveProfileChanged(LONG index) override
    {
        return Forward([&](IProfileEventHandler* h) { h->OnProfileChanged(index); });
    }
};

class CLaunchAppEventSink : public CEventSink<_IApplicationEvent, ILaunchAppEventHandler> {
public:
    using CEventSink::CEventSink;
    STDMETHODIMP OnLaunchApplication(LONG code, LPCWSTR path) override;
};

class CMacroEventSink : public CEventSink<_IOTFMacroRecordingEvents, IMacroEventHandler> {
public:
    using CEventSink::CEventSink;
    STDMETHODIMP OnRecordStart() override { return Forward([](IMacroEventHandler* h) { h->OnRecordStart(); }); }
    STDMETHODIMP OnRecordStop() override { return Forward([](IMacroEventHandler* h) { h->OnRecordStop(); }); }
    STDMETHODIMP OnRecordSave(LONG a, LONG b) override
    {
        return Forward([&](IMacroEventHandler* h) { h->OnRecordSave(a, b); });
    }
    STDMETHODIMP OnRecordCancel() override { return Forward([](IMacroEventHandler* h) { h->OnRecordCancel(); }); }
};

// Advises and unadvises one event interface on one source object.
class CEventConnectionBase {
public:
    virtual ~CEventConnectionBase() = default;
    CEventConnectionBase(const CEventConnectionBase&) = delete;
    CEventConnectionBase& operator=(const CEventConnectionBase&) = delete;

    // 0 when advising failed; the connection then only holds its objects.
    DWORD Cookie() const { return m_cookie; }

protected:
    CEventConnectionBase(IUnknown* source, REFIID eventIid);
    void Advise(IUnknown* sink);
    void Unadvise();
    IUnknown* Source() const { return m_source.Get(); }

private:
    ComPtr<IUnknown> m_source;
    IID m_eventIid;
    DWORD m_cookie = 0;
};

template <class Sink, class Handler>
class CEventConnection : public CEventConnectionBase {
public:
    CEventConnection(IUnknown* source, Handler* handler)
        : CEventConnectionBase(source, __uuidof(typename Sink::EventInterface)), m_sink(new Sink(handler))
    {
        Advise(m_sink);
    }
    ~CEventConnection() override
    {
        // A late event must find nobody; the service may hold the sink
        // a little longer, so it goes through its count, never delete.
        m_sink->Detach();
        Unadvise();
        m_sink->Release();
    }

protected:
    Sink* m_sink;
};

class CDpiEventConnection : public CEventConnection<CDpiEventSink, IDpiEventHandler> {
public:
    // Also reads the range of the source's sensitivity settings.
    CDpiEventConnection(IDpiSettings* source, IDpiEventHandler* handler);
    ULONG RangeMin() const { return m_min; }
    ULONG RangeMax() const { return m_max; }
    ULONG RangeStep() const { return m_step; }

private:
    ULONG m_min = 0, m_max = 0, m_step = 0;
};

class CProfileEventConnection : public CEventConnection<CProfileEventSink, IProfileEventHandler> {
public:
    CProfileEventConnection(IProfileManager* source, IProfileEventHandler* handler)
        : CEventConnection(source, handler) {}
};

class CLaunchAppEventConnection : public CEventConnection<CLaunchAppEventSink, ILaunchAppEventHandler> {
public:
    CLaunchAppEventConnection(IButtonActions* source, ILaunchAppEventHandler* handler)
        : CEventConnection(source, handler) {}
};

class CMacroEventConnection : public CEventConnection<CMacroEventSink, IMacroEventHandler> {
public:
    CMacroEventConnection(IMacroRecorder* source, IMacroEventHandler* handler)
        : CEventConnection(source, handler) {}
};
