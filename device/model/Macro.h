// Macros: named, GUID-identified sequences of key, mouse-button and delay
// events, and the owning list the configuration keeps them in.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "OwningList.h"

// One macro event. Plain 12-byte data.
struct MacroEvent {
    enum Kind : int { kKey = 0, kMouseButton = 1, kDelay = 2 };
    static const uint32_t kPress = 255;      // low byte of flags
    static const uint32_t kRelease = 1;
    static const uint32_t kExtended = 0x100;

    int kind;
    int value;       // key: scan code | virtual key << 16; button 1-5; delay in ms
    uint32_t flags;  // key and button: press or release, extended bit

    bool IsPress() const { return (flags & 0xFF) == kPress; }
    bool operator==(const MacroEvent& o) const
    {
        return kind == o.kind && value == o.value && flags == o.flags;
    }
    bool operator!=(const MacroEvent& o) const { return !(*this == o); }
};
static_assert(sizeof(MacroEvent) == 12, "macro events are 12-byte records");

// The most events one macro on the device holds: a longer one is refused
// when it is written.
constexpr size_t kMaxDeviceMacroEvents = 4096;

class CMacro {
public:
    static const size_t kNameChars = 256;  // 255 characters and the terminator

    CMacro();
    // The name is cut to 255 characters.
    CMacro(const wchar_t* name, const std::vector<MacroEvent>& events);

    const wchar_t* GetName() const { return name; }
    void SetName(const wchar_t* text);
    void GetGuid(GUID& out) const { out = guid; }
    void SetFilePath(const std::wstring& path) { filePath = path; }

    // Equal GUIDs, names equal ignoring case, and the same events in order.
    bool IsEqual(const CMacro& other) const;

    // Event editing used by the macro display; out-of-range indexes are
    // refused (EventAt throws std::out_of_range).
    bool EraseEvent(size_t index);
    bool ReplaceEvent(size_t index, const MacroEvent& event);
    const MacroEvent& EventAt(size_t index) const { return events.at(index); }

    wchar_t name[kNameChars];
    GUID guid;
    std::vector<MacroEvent> events;
    std::wstring filePath;
};

class CMacroList : public COwningList<CMacro> {
public:
    // First macro whose name equals ignoring case.
    CMacro* FindByName(const wchar_t* name) const;
    CMacro* FindByGuid(const GUID& guid) const;
    // Null when a macro of that name (ignoring case) exists.
    CMacro* Add(const wchar_t* name, const std::vector<MacroEvent>& events);
};
