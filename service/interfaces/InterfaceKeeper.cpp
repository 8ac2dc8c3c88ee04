#include "InterfaceKeeper.h"

#include <mutex>
#include <vector>

namespace {

// The object the kept stubs stand on: it answers IUnknown and the kept
// interfaces with itself, and nothing else (no custom marshalling and no
// external connections are asked of it). That is safe because no caller ever
// learns of these stubs: their marshalled data stays in this process and no
// call reaches them. It lives as long as the process.
class CKeeper : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        std::lock_guard<std::mutex> lock(m_mutex);
        bool kept = IsEqualIID(iid, IID_IUnknown);
        for (const IID& k : m_iids)
            kept = kept || IsEqualIID(iid, k);
        if (!kept)
            return E_NOINTERFACE;
        *out = static_cast<IUnknown*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    void Add(const IID& iid)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_iids.push_back(iid);
    }

private:
    std::mutex m_mutex;
    std::vector<IID> m_iids;
};

}  // namespace

bool KeepInterfacesServed(const IID* const* iids, size_t count)
{
    static CKeeper* keeper = new CKeeper;
    bool all = true;
    for (size_t i = 0; i < count; ++i) {
        keeper->Add(*iids[i]);
        IStream* stream = nullptr;
        // Marshalled for a table and never released: the stub, and with it
        // the interface's registration, stays. The stream is kept too.
        if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
            FAILED(::CoMarshalInterface(stream, *iids[i], keeper, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG)))
            all = false;
    }
    return all;
}
