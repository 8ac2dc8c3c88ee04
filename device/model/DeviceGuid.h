// GUIDs as the configuration passes them: four 32-bit words in memory order.
#pragma once
#include <windows.h>
#include <cstdint>
#include <cstring>

inline GUID GuidFromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
{
    const uint32_t words[4] = {w0, w1, w2, w3};
    GUID g;
    static_assert(sizeof(g) == sizeof(words), "a GUID is four 32-bit words");
    memcpy(&g, words, sizeof(g));
    return g;
}

inline bool GuidEquals(const GUID& a, const GUID& b)
{
    return memcmp(&a, &b, sizeof(GUID)) == 0;
}

inline bool GuidIsZero(const GUID& g)
{
    static const GUID zero = {};
    return GuidEquals(g, zero);
}
