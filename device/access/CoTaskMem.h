// Owning pointers to CoTaskMem memory the device service hands out (texts,
// stage blocks, rate arrays, macro blocks), so that each is freed exactly
// once whichever way a step leaves.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <cstddef>
#include <cwchar>
#include <string>

template <class T>
class CoTaskPtr {
public:
    CoTaskPtr() = default;
    ~CoTaskPtr() { Reset(); }
    CoTaskPtr(const CoTaskPtr&) = delete;
    CoTaskPtr& operator=(const CoTaskPtr&) = delete;

    void Reset()
    {
        CoTaskMemFree(p_);
        p_ = nullptr;
    }
    T** Out()
    {
        Reset();
        return &p_;
    }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Bytes of a CoTaskMem allocation; 0 when its size cannot be learned.
inline size_t CoTaskMemSize(const void* p)
{
    if (!p)
        return 0;
    IMalloc* malloc = nullptr;
    if (FAILED(CoGetMalloc(1, &malloc)) || !malloc)
        return 0;
    SIZE_T size = malloc->GetSize(const_cast<void*>(p));
    malloc->Release();
    return size == (SIZE_T)-1 ? 0 : (size_t)size;
}

// A service text, at most maxChars characters of it; never reads past the
// allocation even when the terminator is missing.
inline std::wstring BoundedServiceText(const wchar_t* text, size_t maxChars)
{
    if (!text)
        return std::wstring();
    size_t room = CoTaskMemSize(text) / sizeof(wchar_t);
    size_t limit = room && room < maxChars ? room : maxChars;
    return std::wstring(text, wcsnlen(text, limit));
}
