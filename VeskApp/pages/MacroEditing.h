// The macros page's editing rules over plain event lists: inserting events
// at and after a row, the delay boxes, replacing a key event with the key a
// popup captured, and how many events a recording may hold.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Macro.h"

// Inserts `added` before the event at `position`, keeping their order; a
// position at or past the end appends them. Returns where they start.
size_t InsertEventsAt(std::vector<MacroEvent>& events, size_t position, const std::vector<MacroEvent>& added);
// Inserts `added` right after the event at `index`; past the end (or at the
// last event) they are appended. Returns where they start.
size_t InsertEventsAfter(std::vector<MacroEvent>& events, size_t index, const std::vector<MacroEvent>& added);

// A built-in command goes after the selected row, or at the start when no
// row is selected (-1). Returns the row of the last inserted event, -1 when
// nothing was inserted.
int InsertCommandEvents(std::vector<MacroEvent>& events, int selectedRow, const std::vector<MacroEvent>& command);

// What a delay box holds: a whole number of milliseconds from 1 to 9999999
// (seven digits, as the delay edits of the display take). Nothing else
// counts: no sign, no spaces, no 0.
enum class DelayBoxState { Valid, Empty, Invalid };
DelayBoxState ParseDelayBox(const wchar_t* text, DWORD& milliseconds);
constexpr DWORD kDelayBoxMax = 9999999;
// What a delay box is given back after its warning.
constexpr DWORD kDefaultDelayMs = 50;

// A key chosen in the single-key popup: its flags byte carries bit 0 for an
// extended key and the modifier bits above it.
struct ChosenKey {
    uint16_t scanCode = 0;
    uint16_t virtualKey = 0;
    uint8_t flags = 0;
};
// The popup starts from the event: scan code and virtual key from its value,
// flags from bits 8-15 of its flags.
ChosenKey KeyOfEvent(const MacroEvent& e);
// The edited copy of a key event: the new key in the value and the popup's
// flags in bits 8-15, while the kind and the press/release low byte stay.
// False (nothing to replace) when no key was chosen or it is the same key,
// same scan code and same extended bit (left and right Ctrl share a scan
// code and differ only there).
bool EditedKeyEvent(const MacroEvent& old, const ChosenKey& key, MacroEvent& edited);

// How many events a recording may hold: what one device macro takes, or the
// skin's smaller `max` of the display when it gives one.
size_t MacroEventLimit(int skinMax);
