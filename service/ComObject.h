// Reference counting and QueryInterface for the service's COM objects: one
// class template over the interfaces an object implements.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace tkservice {

template <class First, class... Rest>
class ComObject : public First, public Rest... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown))
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        else
            Cast<First, Rest...>(iid, out);
        if (*out) {
            static_cast<IUnknown*>(*out)->AddRef();
            return S_OK;
        }
        return OtherInterface(iid, out) ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

protected:
    virtual ~ComObject() = default;
    // Interfaces answered beside the listed ones; an answer sets *out to a
    // pointer that already carries the caller's reference.
    virtual bool OtherInterface(REFIID, void**) { return false; }

private:
    template <class I, class... More>
    void Cast(REFIID iid, void** out)
    {
        if (IsEqualIID(iid, __uuidof(I))) {
            *out = static_cast<I*>(this);
            return;
        }
        if constexpr (sizeof...(More) > 0) Cast<More...>(iid, out);
    }

    LONG refs_ = 1;
};

// Hands a new object (reference count 1) to an out parameter as interface I.
template <class I, class T>
HRESULT Hand(T* object, I** out)
{
    *out = static_cast<I*>(object);
    return S_OK;
}

}  // namespace tkservice
