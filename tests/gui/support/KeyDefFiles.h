// Builds key-definition and key-defaults file images in memory for tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TestKey {
    std::wstring name;
    std::vector<std::pair<uint16_t, uint8_t>> group0;  // {code, flag}
};

inline void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((uint8_t)(v >> (8 * i)));
}

inline void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)(v >> 8));
}

inline std::vector<uint8_t> MakeKeyDefFile(const std::vector<TestKey>& keys, uint32_t count)
{
    std::vector<uint8_t> out;
    PutU32(out, count);
    for (const TestKey& k : keys) {
        PutU32(out, (uint32_t)(k.name.size() * 2));
        for (wchar_t c : k.name)
            PutU16(out, (uint16_t)c);
        PutU16(out, 7);
        PutU16(out, 0xFFFF);
        for (int i = 0; i < 40; ++i) {
            uint16_t code = 0;
            uint8_t flag = 0;
            if (i < (int)k.group0.size()) {
                code = k.group0[(size_t)i].first;
                flag = k.group0[(size_t)i].second;
            }
            PutU16(out, code);
            out.push_back(flag);
            out.push_back(0xAA);  // reserved, ignored
        }
    }
    return out;
}

inline std::vector<uint8_t> MakeKeyDefFile(const std::vector<TestKey>& keys)
{
    return MakeKeyDefFile(keys, (uint32_t)keys.size());
}

inline std::vector<uint8_t> ReadWholeFile(const wchar_t* path)
{
    std::vector<uint8_t> data;
    HANDLE f = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return data;
    DWORD size = ::GetFileSize(f, nullptr);
    data.resize(size);
    DWORD got = 0;
    if (size && !::ReadFile(f, data.data(), size, &got, nullptr))
        got = 0;
    data.resize(got);
    ::CloseHandle(f);
    return data;
}
