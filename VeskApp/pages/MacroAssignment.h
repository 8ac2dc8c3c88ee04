// Giving a button a macro: the macro and its play mode chosen in the macro
// popup, and for a macro played several times, the number of times.
#pragma once
#include "AssignmentRecord.h"
#include "MacroAssignmentPopup.h"
#include "MouseConfigInterface.h"

// The popups the choice needs; the dialog answers with the real ones.
class MacroAssignPrompts {
public:
    virtual ~MacroAssignPrompts() = default;
    // "SelectMacroPopup.xml"; false when cancelled.
    virtual bool ChooseMacro(MacroChoice& choice) = 0;
    // "MacroRepeatEntryPopup.xml"; false when cancelled.
    virtual bool AskRepeatCount(int& count) = 0;
    // "MacroRepeatWarningPopup.xml": the count entered cannot be used.
    virtual void RepeatCountWarning() = 0;
};

// The repeat counts a record can carry: the device keeps one byte.
constexpr int kMinRepeatCount = 1;
constexpr int kMaxRepeatCount = 255;

// Offers the configuration's macros with the record's macro and mode (or
// the macro named by preselect) chosen. On OK with a macro chosen the record
// becomes that macro (by GUID, or by name while it has none) with the chosen
// mode; true. False, record unchanged, when cancelled or nothing was chosen.
bool AssignMacroToButton(IMouseConfig& config, AssignmentRecord& record, const CString& preselect,
                         MacroAssignPrompts& prompts);
