#include "MacroEditing.h"

#include <algorithm>

size_t InsertEventsAt(std::vector<MacroEvent>& events, size_t position, const std::vector<MacroEvent>& added)
{
    position = std::min(position, events.size());
    events.insert(events.begin() + (std::ptrdiff_t)position, added.begin(), added.end());
    return position;
}

size_t InsertEventsAfter(std::vector<MacroEvent>& events, size_t index, const std::vector<MacroEvent>& added)
{
    return InsertEventsAt(events, index < events.size() ? index + 1 : events.size(), added);
}

int InsertCommandEvents(std::vector<MacroEvent>& events, int selectedRow, const std::vector<MacroEvent>& command)
{
    if (command.empty())
        return -1;
    size_t start = selectedRow >= 0 ? InsertEventsAfter(events, (size_t)selectedRow, command)
                                    : InsertEventsAt(events, 0, command);
    return (int)(start + command.size() - 1);
}

DelayBoxState ParseDelayBox(const wchar_t* text, DWORD& milliseconds)
{
    if (!text || !*text)
        return DelayBoxState::Empty;
    DWORD value = 0;
    int digits = 0;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p < L'0' || *p > L'9' || ++digits > 7)
            return DelayBoxState::Invalid;
        value = value * 10 + (DWORD)(*p - L'0');
    }
    if (value == 0)
        return DelayBoxState::Invalid;
    milliseconds = value;
    return DelayBoxState::Valid;
}

ChosenKey KeyOfEvent(const MacroEvent& e)
{
    ChosenKey key;
    key.scanCode = (uint16_t)((uint32_t)e.value & 0xFFFF);
    key.virtualKey = (uint16_t)((uint32_t)e.value >> 16);
    key.flags = (uint8_t)((e.flags >> 8) & 0xFF);
    return key;
}

bool EditedKeyEvent(const MacroEvent& old, const ChosenKey& key, MacroEvent& edited)
{
    if (old.kind != MacroEvent::kKey || key.scanCode == 0)
        return false;
    const ChosenKey before = KeyOfEvent(old);
    if (key.scanCode == before.scanCode && ((key.flags ^ before.flags) & 1) == 0)
        return false;
    edited = old;
    edited.value = (int)((uint32_t)key.scanCode | ((uint32_t)key.virtualKey << 16));
    edited.flags = (old.flags & ~0xFF00u) | ((uint32_t)key.flags << 8);
    return true;
}

size_t MacroEventLimit(int skinMax)
{
    return skinMax > 0 ? std::min((size_t)skinMax, kMaxDeviceMacroEvents) : kMaxDeviceMacroEvents;
}
