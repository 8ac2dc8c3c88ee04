// The keyboard definition: named keys with the codes the device and the
// keyboard layout use for them, read from the two binary files in bin\ that
// the skin's KEYBOARDDEF element names. One process-wide instance, filled by
// the first skin file that holds a KEYBOARDDEF and then only read (also from
// the device layer's worker thread, without a lock).
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "GUIItem.h"

// DJB2 over UTF-16 code units: h = h * 33 + c from 5381, wrapping at 32 bits.
// Key ids everywhere in the configuration are these hashes.
uint32_t HashKeyName(const wchar_t* name);
uint32_t HashKeyName(const std::wstring& name);

struct KeyCode {
    uint16_t code = 0;
    uint8_t flag = 0;  // bit 0: extended (E0-prefixed) key
    bool operator==(const KeyCode& o) const { return code == o.code && flag == o.flag; }
    bool operator!=(const KeyCode& o) const { return !(*this == o); }
};

const int KEYDEF_GROUPS = 4;
const int KEYDEF_GROUP_ENTRIES = 10;

struct KeyDefRecord {
    uint32_t hash = 0;
    std::wstring name;
    int16_t value1 = -1;
    int16_t value2 = -1;
    KeyCode codes[KEYDEF_GROUPS][KEYDEF_GROUP_ENTRIES] = {};
    uint16_t derivedCode = 0;
    uint8_t derivedFlag = 0;
};

// File layout: u32 count, then records of
//   u32 L, L bytes UTF-16LE name, i16 value1, i16 value2,
//   4 groups x 10 entries x {u16 code, u8 flag, u8 reserved}
// so a record is 168 + L bytes; L above 512 counts as 512.
const uint32_t KEYDEF_MAX_NAME_BYTES = 512;
const uint32_t KEYDEF_FIXED_BYTES = 4 + 2 + 2 + KEYDEF_GROUPS * KEYDEF_GROUP_ENTRIES * 4;  // 168, name excluded

class CKeyboardDef : public CGUIItem {
public:
    CKeyboardDef() = default;
    ~CKeyboardDef() override = default;

    // Reads a key-definition file image. Only the first call that gets data
    // reads anything; later calls answer true at once. True exactly when the
    // data ends right after record number count.
    bool LoadKeyDefinitions(size_t size, const void* data);
    // Reads a key-defaults file image: u32 count, then count {u32 hash,
    // u32 code | flag << 16}. Refused (nothing stored) unless count equals
    // (size - 4) / 8.
    bool LoadKeyDefaults(const void* data, size_t size);

    // The smallest hash whose derived code and flag match (code in bits 0-15,
    // flag in bits 16-23); 0 when none.
    uint32_t FindKeyByScanCode(uint32_t codeAndFlag) const;
    // The derived code of the usable key with that hash; {0, 0} when none.
    KeyCode FindKeyByHash(uint32_t hash) const;
    // The usable key record with that hash, or null.
    const KeyDefRecord* KeyRecordMapFind(uint32_t hash) const;
    // The default code of a key from the defaults file; {0, 0} when absent.
    KeyCode DefaultCode(uint32_t hash) const;

    bool IsLoaded() const { return m_loaded != 0; }
    const std::vector<KeyDefRecord>& Keys() const { return m_keys; }
    size_t UsableKeyCount() const { return m_keysByHash.size(); }
    size_t DefaultCount() const { return m_defaults.size(); }

    // Exposed for the tests of the rules.
    static bool IsUsable(const KeyDefRecord& r);
    static void DeriveCode(KeyDefRecord& r);

private:
    std::vector<KeyDefRecord> m_keys;
    std::map<uint32_t, KeyDefRecord> m_keysByHash;
    std::map<uint32_t, KeyCode> m_defaults;
    uint8_t m_loaded = 0;
};

// The one keyboard definition of the process.
extern CKeyboardDef g_keyboardDef;
