// The built-in shortcut macros ("$cut" to "$zoomout"): fixed key-event
// sequences the macros page inserts into a macro.
#pragma once
#include <map>
#include <vector>
#include "Macro.h"
#include "String.h"

class CPredefinedMacroList {
public:
    CPredefinedMacroList();
    virtual ~CPredefinedMacroList() = default;

    // Replaces events with those of the shortcut named (ignoring case);
    // a name that is no shortcut leaves them as they are. Always true.
    bool AppendShortcutEvents(const wchar_t* name, std::vector<MacroEvent>& events) const;
    // The text keys of the first (ids 1-9) and second (10-17) groups, in
    // ascending id order.
    void GetShortcutNames(std::vector<CString>& names) const;
    void GetShortcutNames2(std::vector<CString>& names) const;

private:
    struct KeyEvent {
        int value;
        uint32_t flags;
    };
    void AddKey(int entry, int scanCode, int virtualKey, uint32_t pressFlags, uint32_t releaseFlags);
    std::vector<MacroEvent> Chord(int modifierPress, int keyPress) const;

    std::map<int, std::vector<MacroEvent>> m_first;   // ids 1-9
    std::map<int, std::vector<MacroEvent>> m_second;  // ids 10-17
    std::map<int, KeyEvent> m_keys;                   // by entry number
};

// The one list of the process.
extern const CPredefinedMacroList g_predefinedMacros;
