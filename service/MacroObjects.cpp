// The device's macros.
#include <cstring>

#include "ListLookup.h"
#include "ServiceObjects.h"
#include "StateFile.h"

namespace tkservice {
namespace {

class CMacro : public ComObject<IMacro> {
public:
    CMacro(DeviceRef device, MacroPtr macro) : device_(device), macro_(std::move(macro)) {}

    STDMETHODIMP GetId(GUID* id) override
    {
        TK_SERVICE_CALL("IMacro.GetId", L"");
        if (!id) return call.Done(E_POINTER);
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        *id = m->id;
        return call.Done(S_OK);
    }
    STDMETHODIMP GetName(LPWSTR* name) override
    {
        TK_SERVICE_CALL("IMacro.GetName", L"");
        if (!name) return call.Done(E_POINTER);
        *name = nullptr;
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        *name = CoTaskText(m->name);
        return call.Done(*name ? S_OK : E_OUTOFMEMORY);
    }
    STDMETHODIMP SetName(LPCWSTR name) override
    {
        TK_SERVICE_CALL("IMacro.SetName", name ? Args(L"\"%.300ls\"", name) : L"null");
        if (!name) return call.Done(E_POINTER);
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        if (!ValidName(name)) return call.Done(E_INVALIDARG);
        m->name = name;
        ServiceCore::Instance().MarkDirty();
        return call.Done(S_OK);
    }
    STDMETHODIMP Export(LPCWSTR path) override
    {
        TK_SERVICE_CALL("IMacro.Export", path ? Args(L"\"%.300ls\"", path) : L"null");
        if (!path) return call.Done(E_POINTER);
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        if (!WriteWholeFile(path, EncodeMacro(*m))) return call.Done(HRESULT_FROM_WIN32(ERROR_WRITE_FAULT));
        return call.Done(S_OK);
    }
    STDMETHODIMP GetEvents(MacroBlock** block) override
    {
        TK_SERVICE_CALL("IMacro.GetEvents", L"");
        if (!block) return call.Done(E_POINTER);
        *block = nullptr;
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        size_t bytes = offsetof(MacroBlock, events) + m->events.size() * sizeof(MacroDeviceEvent);
        auto* out = static_cast<MacroBlock*>(::CoTaskMemAlloc(bytes));
        if (!out) return call.Done(E_OUTOFMEMORY);
        out->reserved = 0;
        out->count = static_cast<ULONG>(m->events.size());
        if (!m->events.empty()) std::memcpy(out->events, m->events.data(), m->events.size() * sizeof(MacroDeviceEvent));
        *block = out;
        return call.Done(S_OK);
    }
    STDMETHODIMP SetEvents(const MacroBlock* block) override
    {
        TK_SERVICE_CALL("IMacro.SetEvents", block ? Args(L"%lu events", block->count) : L"null");
        if (!block) return call.Done(E_POINTER);
        MacroState* m;
        if (HRESULT hr = Resolve(m); FAILED(hr)) return call.Done(hr);
        if (block->count > kMaxMacroEvents) return call.Done(E_INVALIDARG);
        std::vector<MacroDeviceEvent> events(block->events, block->events + block->count);
        if (!ValidMacroEvents(events)) return call.Done(E_INVALIDARG);
        m->events = std::move(events);
        ServiceCore::Instance().MarkDirty();
        return call.Done(S_OK);
    }

private:
    HRESULT Resolve(MacroState*& macro)
    {
        if (!ServiceCore::Instance().Live(device_)) return kErrNotConnected;
        if (macro_->removed) return kErrNotFound;
        macro = macro_.get();
        return S_OK;
    }

    DeviceRef device_;
    MacroPtr macro_;
};

class CMacroManager : public ComObject<IMacroManager> {
public:
    explicit CMacroManager(DeviceRef device) : device_(device) {}

private:
    // Defined first: Item and Find deduce its type.
    auto MakeMacro()
    {
        return [this](const MacroPtr& m) { return static_cast<IMacro*>(new CMacro(device_, m)); };
    }

public:
    STDMETHODIMP Item(LONG index, IMacro** out) override
    {
        TK_SERVICE_CALL("IMacroManager.Item", Args(L"%ld", index));
        return call.Done(DeviceItem(device_, &DeviceState::macros, index, out, MakeMacro()));
    }
    STDMETHODIMP Find(ULONG a, ULONG b, ULONG c, ULONG e, IMacro** out) override
    {
        GUID id = GuidFromWords(a, b, c, e);
        TK_SERVICE_CALL("IMacroManager.Find", GuidText(id));
        return call.Done(DeviceFind(device_, &DeviceState::macros, id, out, MakeMacro()));
    }
    STDMETHODIMP Create(IMacro** out) override
    {
        TK_SERVICE_CALL("IMacroManager.Create", L"");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        if (d->macros.size() >= kMaxMacros) return call.Done(kErrFull);
        auto m = std::make_shared<MacroState>();
        m->id = NewGuid();
        m->name = L"New Macro";
        d->macros.push_back(m);
        ServiceCore::Instance().MarkDirty();
        *out = new CMacro(device_, m);
        return call.Done(S_OK);
    }
    STDMETHODIMP Remove(IMacro* macro) override
    {
        // Asked before the lock: a caller's own macro object answers from the
        // caller's process, which may call us meanwhile.
        GUID id;
        const bool named = macro && IdOfMacro(macro, id);
        TK_SERVICE_CALL("IMacroManager.Remove", L"");
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        if (!named) return call.Done(kErrNotFound);
        for (auto it = d->macros.begin(); it != d->macros.end(); ++it) {
            if (IsEqualGUID((*it)->id, id)) {
                (*it)->removed = true;
                d->macros.erase(it);
                ServiceCore::Instance().MarkDirty();
                return call.Done(S_OK);
            }
        }
        return call.Done(kErrNotFound);
    }
    STDMETHODIMP Reserved7() override { return E_NOTIMPL; }
    STDMETHODIMP Import(LPCWSTR path, IMacro** out) override
    {
        TK_SERVICE_CALL("IMacroManager.Import", path ? Args(L"\"%.300ls\"", path) : L"null");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        if (!path) return call.Done(E_POINTER);
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        std::vector<BYTE> data;
        if (!ReadWholeFile(path, data)) return call.Done(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
        auto m = std::make_shared<MacroState>();
        if (!DecodeMacro(data, *m)) return call.Done(kErrBadFile);
        if (d->macros.size() >= kMaxMacros) return call.Done(kErrFull);
        m->id = NewGuid();
        d->macros.push_back(m);
        ServiceCore::Instance().MarkDirty();
        *out = new CMacro(device_, m);
        return call.Done(S_OK);
    }

private:
    DeviceRef device_;
};

}  // namespace

IUnknown* CreateMacroManager(DeviceRef device)
{
    return static_cast<IMacroManager*>(new CMacroManager(device));
}

bool IdOfMacro(IMacro* macro, GUID& id)
{
    return SUCCEEDED(macro->GetId(&id));
}

}  // namespace tkservice
