#include "KeyboardDef.h"

#include <cstring>
#include <cwchar>

CKeyboardDef g_keyboardDef;

uint32_t HashKeyName(const wchar_t* name)
{
    uint32_t h = 5381;
    if (name)
        for (const wchar_t* p = name; *p; ++p)
            h = h * 33u + (uint16_t)*p;
    return h;
}

uint32_t HashKeyName(const std::wstring& name)
{
    uint32_t h = 5381;
    for (wchar_t c : name)
        h = h * 33u + (uint16_t)c;
    return h;
}

namespace {

uint32_t ReadU32(const uint8_t* p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24; }
uint16_t ReadU16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }

}  // namespace

bool CKeyboardDef::IsUsable(const KeyDefRecord& r)
{
    static const wchar_t* const kReserved[] = {L"DO NOT USE", L"UNASSIGNED", L"RESERVED", L"None"};
    for (const wchar_t* word : kReserved)
        if (_wcsicmp(r.name.c_str(), word) == 0)
            return false;
    return (int16_t)r.codes[0][0].code >= 0;
}

void CKeyboardDef::DeriveCode(KeyDefRecord& r)
{
    const KeyCode* g = r.codes[0];
    if (g[0].flag == 0) {
        r.derivedCode = g[0].code;
        r.derivedFlag = 0;
        return;
    }
    // A prefixed sequence: the last code of the run of unflagged codes that
    // follows the first entry. The run looks at entries 1 to 8 only.
    r.derivedFlag = g[0].flag;
    int last = 0;
    while (last + 1 <= 8 && g[last + 1].code != 0 && g[last + 1].flag == 0)
        ++last;
    r.derivedCode = g[last].code;
}

bool CKeyboardDef::LoadKeyDefinitions(size_t size, const void* data)
{
    if (!data || size == 0)
        return false;
    if (m_loaded)
        return true;
    m_loaded = 1;
    if (size < 4)
        return false;

    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const uint32_t count = ReadU32(bytes);
    size_t pos = 4;
    uint32_t read = 0;
    while (read < count) {
        if (size - pos < 4)
            return false;
        uint32_t nameBytes = ReadU32(bytes + pos);
        if (nameBytes > KEYDEF_MAX_NAME_BYTES)
            nameBytes = KEYDEF_MAX_NAME_BYTES;
        if (size - pos < (size_t)nameBytes + KEYDEF_FIXED_BYTES)
            return false;  // the record would reach beyond the data

        KeyDefRecord r;
        const uint8_t* p = bytes + pos + 4;
        // An odd byte count leaves its last byte unread; 512 bytes hold 256 units.
        for (uint32_t i = 0; i + 1 < nameBytes; i += 2) {
            wchar_t c = (wchar_t)ReadU16(p + i);
            if (c == 0)
                break;
            r.name.push_back(c);
        }
        p += nameBytes;
        r.value1 = (int16_t)ReadU16(p);
        r.value2 = (int16_t)ReadU16(p + 2);
        p += 4;
        for (int g = 0; g < KEYDEF_GROUPS; ++g)
            for (int e = 0; e < KEYDEF_GROUP_ENTRIES; ++e, p += 4) {
                r.codes[g][e].code = ReadU16(p);
                r.codes[g][e].flag = p[2];
            }
        r.hash = HashKeyName(r.name);
        DeriveCode(r);
        m_keys.push_back(r);
        if (IsUsable(r))
            m_keysByHash[r.hash] = r;

        pos += nameBytes + KEYDEF_FIXED_BYTES;
        ++read;
        if (pos >= size)
            break;
    }
    return count != 0 && read == count && pos == size;
}

bool CKeyboardDef::LoadKeyDefaults(const void* data, size_t size)
{
    if (!data || size < 4)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const uint32_t count = ReadU32(bytes);
    if ((uint64_t)count != (uint64_t)((size - 4) / 8))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes + 4 + 8 * (size_t)i;
        uint32_t value = ReadU32(p + 4);
        KeyCode c;
        c.code = (uint16_t)(value & 0xFFFF);
        c.flag = (uint8_t)((value >> 16) & 0xFF);
        m_defaults[ReadU32(p)] = c;
    }
    return true;
}

uint32_t CKeyboardDef::FindKeyByScanCode(uint32_t codeAndFlag) const
{
    const uint16_t code = (uint16_t)(codeAndFlag & 0xFFFF);
    const uint8_t flag = (uint8_t)((codeAndFlag >> 16) & 0xFF);
    for (const auto& entry : m_keysByHash)
        if (entry.second.derivedCode == code && entry.second.derivedFlag == flag)
            return entry.first;
    return 0;
}

KeyCode CKeyboardDef::FindKeyByHash(uint32_t hash) const
{
    auto it = m_keysByHash.find(hash);
    if (it == m_keysByHash.end() || it->second.name.empty())
        return KeyCode{};
    KeyCode c;
    c.code = it->second.derivedCode;
    c.flag = it->second.derivedFlag;
    return c;
}

const KeyDefRecord* CKeyboardDef::KeyRecordMapFind(uint32_t hash) const
{
    auto it = m_keysByHash.find(hash);
    return it == m_keysByHash.end() ? nullptr : &it->second;
}

KeyCode CKeyboardDef::DefaultCode(uint32_t hash) const
{
    auto it = m_defaults.find(hash);
    return it == m_defaults.end() ? KeyCode{} : it->second;
}
