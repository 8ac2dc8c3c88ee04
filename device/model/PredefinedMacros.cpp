#include "PredefinedMacros.h"
#include "KeywordTables.h"

const CPredefinedMacroList g_predefinedMacros;

namespace {
const uint32_t kExtPress = MacroEvent::kPress | MacroEvent::kExtended;      // 511
const uint32_t kExtRelease = MacroEvent::kRelease | MacroEvent::kExtended;  // 257
}  // namespace

// Entries come in press/release pairs: entry n presses, n + 1 releases.
void CPredefinedMacroList::AddKey(int entry, int scanCode, int virtualKey, uint32_t pressFlags,
                                  uint32_t releaseFlags)
{
    const int value = scanCode | (virtualKey << 16);
    m_keys[entry] = {value, pressFlags};
    m_keys[entry + 1] = {value, releaseFlags};
}

// Modifier press, key press, key release, modifier release.
std::vector<MacroEvent> CPredefinedMacroList::Chord(int modifierPress, int keyPress) const
{
    std::vector<MacroEvent> events;
    for (int entry : {modifierPress, keyPress, keyPress + 1, modifierPress + 1}) {
        const KeyEvent& k = m_keys.at(entry);
        events.push_back({MacroEvent::kKey, k.value, k.flags});
    }
    return events;
}

CPredefinedMacroList::CPredefinedMacroList()
{
    const uint32_t press = MacroEvent::kPress, release = MacroEvent::kRelease;
    AddKey(1, 0x1D, 0xA2, press, release);         // left Ctrl
    AddKey(3, 0x38, 0xA4, press, release);         // left Alt
    AddKey(5, 0x5B, 0x5B, kExtPress, kExtRelease);  // left Windows
    AddKey(7, 0x0F, 0x09, press, release);         // Tab
    AddKey(9, 0x3E, 0x73, press, release);         // F4
    AddKey(11, 0x0D, 0xBB, press, release);        // "="
    AddKey(13, 0x0C, 0xBD, press, release);        // "-"
    AddKey(15, 0x1E, 'A', press, release);
    AddKey(17, 0x2E, 'C', press, release);
    AddKey(19, 0x20, 'D', press, release);
    AddKey(21, 0x12, 'E', press, release);
    AddKey(23, 0x21, 'F', press, release);
    AddKey(25, 0x26, 'L', press, release);
    AddKey(27, 0x31, 'N', press, release);
    AddKey(29, 0x19, 'P', press, release);
    AddKey(31, 0x13, 'R', press, release);
    AddKey(33, 0x1F, 'S', press, release);
    AddKey(35, 0x2F, 'V', press, release);
    AddKey(37, 0x2D, 'X', press, release);
    AddKey(39, 0x2C, 'Z', press, release);

    const int ctrl = 1, alt = 3, win = 5;
    m_first[1] = Chord(ctrl, 37);   // cut: Ctrl+X
    m_first[2] = Chord(ctrl, 17);   // copy: Ctrl+C
    m_first[3] = Chord(ctrl, 35);   // paste: Ctrl+V
    m_first[4] = Chord(ctrl, 39);   // undo: Ctrl+Z
    m_first[5] = Chord(ctrl, 15);   // select all: Ctrl+A
    m_first[6] = Chord(ctrl, 23);   // find: Ctrl+F
    m_first[7] = Chord(ctrl, 27);   // new: Ctrl+N
    m_first[8] = Chord(ctrl, 29);   // print: Ctrl+P
    m_first[9] = Chord(ctrl, 33);   // save: Ctrl+S
    m_second[10] = Chord(alt, 7);   // swap windows: Alt+Tab
    m_second[11] = Chord(alt, 9);   // close window: Alt+F4
    m_second[12] = Chord(win, 25);  // lock: Windows+L
    m_second[13] = Chord(win, 21);  // explorer: Windows+E
    m_second[14] = Chord(win, 31);  // run: Windows+R
    m_second[15] = Chord(win, 19);  // desktop: Windows+D
    m_second[16] = Chord(ctrl, 11); // zoom in: Ctrl+"="
    m_second[17] = Chord(ctrl, 13); // zoom out: Ctrl+"-"
}

bool CPredefinedMacroList::AppendShortcutEvents(const wchar_t* name, std::vector<MacroEvent>& events) const
{
    if (!name)
        return true;
    int id = FindShortcutFunctionId(name);
    auto first = m_first.find(id);
    if (first != m_first.end()) {
        events = first->second;
        return true;
    }
    auto second = m_second.find(id);
    if (second != m_second.end())
        events = second->second;
    return true;
}

namespace {
void NamesOf(const std::map<int, std::vector<MacroEvent>>& group, std::vector<CString>& names)
{
    names.clear();
    for (const auto& entry : group) {
        auto text = ShortcutFunctionMap.find(entry.first);
        if (text != ShortcutFunctionMap.end())
            names.push_back(CString(text->second));
    }
}
}  // namespace

void CPredefinedMacroList::GetShortcutNames(std::vector<CString>& names) const
{
    NamesOf(m_first, names);
}

void CPredefinedMacroList::GetShortcutNames2(std::vector<CString>& names) const
{
    NamesOf(m_second, names);
}
