#include "MacroControls.h"

#include "ItemIds.h"
#include "MacroPageCore.h"

namespace {

// States as bits.
constexpr uint8_t N = 1 << kMacroStateNone;
constexpr uint8_t I = 1 << kMacroStateIdle;
constexpr uint8_t P = 1 << kMacroStatePreview;
constexpr uint8_t R = 1 << kMacroStateRecording;
constexpr uint8_t kAlways = N | I | P | R;

}  // namespace

const MacroControlRule kMacroControlRules[] = {
    // Leaving the page while a macro plays or records would strand it.
    {BUTTON_ASSIGNBUTTONS, N | I, kAlways},
    {BUTTON_ADJUSTPERFORMANCE, N | I, kAlways},
    {BUTTON_MANAGEPROFILES, N | I, kAlways},
    {BUTTON_MANAGEMACROS, N | I, kAlways},
    {BUTTON_LIGHTINGMAINTENANCE, N | I, kAlways},
    // Choosing, making and bringing in macros needs none selected; Record
    // without one makes a new one first.
    {LIST_GLOBALMACROLIST, N | I, kAlways},
    {BUTTON_MACRO_CREATE, N | I, kAlways},
    {BUTTON_MACRO_IMPORT, N | I, kAlways},
    {BUTTON_MACRO_RECORD, N | I, kAlways},
    // These work on the selected macro.
    {BUTTON_MACRO_EXPORT, I, kAlways},
    {BUTTON_MACRO_SAVE, I, kAlways},
    {BUTTON_MACRO_RENAME, I, kAlways},
    {BUTTON_MACRO_DELETE, I, kAlways},
    {BUTTON_MACRO_RECORD_BACKWARD, I, kAlways},
    {BUTTON_MACRO_RECORD_FORWARD, I, kAlways},
    {BUTTON_MACRO_RECORD_PLAY, I, kAlways},
    {BUTTON_INSERT_DELAY, I, kAlways},
    {EDITCTRL_INSERT_DELAY, I, kAlways},
    {LIST_GLOBAL_BASIC_COMMANDS, I, kAlways},
    {LIST_GLOBAL_ADDITIONAL_COMMANDS, I, kAlways},
    {BUTTON_ADD_BASIC_MACRO_CMDS, I, kAlways},
    {BUTTON_ADD_ADV_MACRO_CMDS, I, kAlways},
    // How the next recording takes its delays; the box only with its
    // check box set.
    {BUTTON_IGNORE_DELAY, N | I, kAlways},
    {TEXT_IGNORE_DELAY, N | I, kAlways},
    {BUTTON_INSERTDEFAULT_DELAY, N | I, kAlways},
    {TEXT_INSERTDEFAULT_DELAY, N | I, kAlways},
    {EDITCTRL_DEFAULT_DELAY, N | I, kAlways},
    // The one control that acts while a macro plays or records.
    {BUTTON_MACRO_RECORD_STOP, P | R, kAlways},
    // The editable list records; the read-only one plays.
    {MACRO_DISPLAY, N | I | R, N | I | R},
    {MACRO_DISPLAY_READONLY, P, P},
};
const size_t kMacroControlRuleCount = sizeof(kMacroControlRules) / sizeof(kMacroControlRules[0]);

const MacroControlRule* FindMacroControlRule(int itemId)
{
    for (const MacroControlRule& rule : kMacroControlRules)
        if (rule.itemId == itemId)
            return &rule;
    return nullptr;
}

bool MacroControlEnabled(const MacroControlRule& rule, int state, bool fixedDelaySelected)
{
    if (state < kMacroStateNone || state > kMacroStateRecording || !(rule.enabledIn & (1 << state)))
        return false;
    return rule.itemId != EDITCTRL_DEFAULT_DELAY || fixedDelaySelected;
}

bool MacroControlShown(const MacroControlRule& rule, int state)
{
    return state >= kMacroStateNone && state <= kMacroStateRecording && (rule.shownIn & (1 << state));
}

const wchar_t* MacroStopToolTip(int state)
{
    return state == kMacroStatePreview ? L"$Stop" : L"$StopRecordingMacroEvents";
}
