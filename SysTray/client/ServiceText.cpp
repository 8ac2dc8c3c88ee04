#include "ServiceText.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// Bytes of a CoTaskMem allocation; 0 when the allocator cannot tell.
size_t AllocationSize(const void* p)
{
    IMalloc* malloc = nullptr;
    if (!p || FAILED(::CoGetMalloc(1, &malloc)) || !malloc)
        return 0;
    SIZE_T size = malloc->GetSize(const_cast<void*>(p));
    malloc->Release();
    return size == static_cast<SIZE_T>(-1) ? 0 : static_cast<size_t>(size);
}

}  // namespace

CString TakeServiceText(LPWSTR text, size_t maxChars)
{
    if (!text)
        return CString();
    size_t room = AllocationSize(text) / sizeof(wchar_t);
    size_t limit = room ? std::min(room, maxChars) : maxChars;
    CString out(text, static_cast<int>(wcsnlen(text, limit)));
    ::CoTaskMemFree(text);
    return out;
}

CString BufferText(const BYTE* buffer, ULONG bufferBytes, ULONG returnedBytes, size_t maxChars)
{
    if (!buffer || returnedBytes > bufferBytes)
        return CString();
    size_t chars = std::min<size_t>(returnedBytes / sizeof(wchar_t), maxChars);
    CString out;
    for (size_t i = 0; i < chars; ++i) {
        wchar_t ch = 0;
        std::memcpy(&ch, buffer + i * sizeof(wchar_t), sizeof(ch));  // the buffer may be unaligned
        if (!ch)
            break;
        out += ch;
    }
    return out;
}
