#include "MacroAssignment.h"

#include <cstring>

#include "AssignmentRules.h"
#include "Macro.h"

bool AssignMacroToButton(IMouseConfig& config, AssignmentRecord& record, const CString& preselect,
                         MacroAssignPrompts& prompts)
{
    MacroChoice choice;
    for (uint32_t i = 0; i < config.GetMacroCount(); ++i)
        if (const CMacro* m = config.GetMacro(i))
            choice.names.push_back(m->GetName());

    const CMacro* current = nullptr;
    if (record.type == kFnMacroByGuid) {
        current = config.FindMacroByGuid(record.params.values[0], record.params.values[1], record.params.values[2],
                                         record.params.values[3]);
    } else if (record.type == kFnMacroByName) {
        current = config.FindMacroByName(record.NameText().c_str());
    }
    if (current) {
        choice.name = current->GetName();
        choice.mode = record.mode;
    }
    if (!preselect.IsEmpty())
        choice.name = preselect;
    if (choice.mode < kPlayOnce || choice.mode > kPlayWhilePressed)
        choice.mode = kPlayOnce;

    if (!prompts.ChooseMacro(choice) || choice.name.IsEmpty())
        return false;
    const CMacro* macro = config.FindMacroByName(choice.name);
    if (!macro)
        return false;
    int mode = choice.mode >= kPlayOnce && choice.mode <= kPlayWhilePressed ? choice.mode : kPlayOnce;

    int count = 0;
    if (mode == kPlayRepeat) {
        for (;;) {
            int entered = 0;
            if (!prompts.AskRepeatCount(entered))
                return false;
            if (entered >= kMinRepeatCount && entered <= kMaxRepeatCount) {
                count = entered;
                break;
            }
            prompts.RepeatCountWarning();
        }
    }

    GUID guid{};
    macro->GetGuid(guid);
    AssignmentRecord built;
    if (IsNullGuid(guid)) {
        built = AssignmentRecord::OfType(kFnMacroByName);
        built.SetName(macro->GetName());
    } else {
        built = AssignmentRecord::OfType(kFnMacroByGuid);
        memcpy(built.params.bytes, &guid, sizeof(guid));
    }
    built.mode = mode;
    built.count = count;
    record = built;
    return true;
}
