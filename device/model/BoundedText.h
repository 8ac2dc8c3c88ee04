// Bounded copies of outside text into fixed character buffers.
#pragma once
#include <cstddef>
#include <cwchar>

// Copies at most capacity - 1 characters of src into dst and terminates it;
// a null src gives the empty string. Returns the number of characters kept.
inline size_t CopyBoundedText(wchar_t* dst, size_t capacity, const wchar_t* src)
{
    if (!dst || capacity == 0)
        return 0;
    size_t n = src ? wcsnlen(src, capacity - 1) : 0;
    if (n)
        wmemcpy(dst, src, n);
    dst[n] = 0;
    return n;
}

// Length of text held in a fixed buffer that may lack its terminator.
inline size_t BoundedTextLength(const wchar_t* buf, size_t capacity)
{
    return buf ? wcsnlen(buf, capacity) : 0;
}
