// Which of the macros page's controls are usable in each recording state,
// as one table: the page tabs, the macro drop-down and buttons, the command
// lists, the delay controls and the two event displays.
#pragma once
#include <cstddef>
#include <cstdint>

struct MacroControlRule {
    int itemId;
    uint8_t enabledIn;  // bit n: enabled in state n (MacroPageState)
    uint8_t shownIn;    // bit n: shown in state n; 0xF for always
};
extern const MacroControlRule kMacroControlRules[];
extern const size_t kMacroControlRuleCount;

// The rule of an item; null for an item the table does not hold.
const MacroControlRule* FindMacroControlRule(int itemId);
// Enabled in `state`. The default-delay box also needs its check box set.
bool MacroControlEnabled(const MacroControlRule& rule, int state, bool fixedDelaySelected);
bool MacroControlShown(const MacroControlRule& rule, int state);
// The stop button's tooltip key: it stops a preview or a recording.
const wchar_t* MacroStopToolTip(int state);
