// A small owning COM interface pointer: the reference is released when the
// pointer goes, so an interface lives exactly as long as the code using it.
#pragma once
#include <windows.h>
#include <unknwn.h>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& o) : p_(o.p_) { if (p_) p_->AddRef(); }
    ComPtr& operator=(const ComPtr& o)
    {
        if (o.p_) o.p_->AddRef();
        Reset();
        p_ = o.p_;
        return *this;
    }
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p)
    {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    void Reset()
    {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T** Out() { Reset(); return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    IUnknown** OutUnknown() { return reinterpret_cast<IUnknown**>(Out()); }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // QueryInterface; an empty pointer when the object lacks U.
    template <class U>
    ComPtr<U> As() const
    {
        ComPtr<U> u;
        if (p_ && FAILED(p_->QueryInterface(__uuidof(U), u.OutVoid())))
            u.Reset();
        return u;
    }

private:
    T* p_ = nullptr;
};
