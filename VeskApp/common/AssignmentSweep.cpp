#include "AssignmentSweep.h"

#include <cstring>
#include <cwchar>

#include "Macro.h"
#include "MouseConfigInterface.h"
#include "ThumbKeyDefaults.h"

namespace {

const int kButtons[] = {1, 2, 3, 4, 5, 12, 13};

bool Reset(IMouseConfig& config, IMouseProfile* profile, const AssignmentRule& rule, bool isKey, int control,
           const AssignmentRecord& fallback)
{
    AssignmentRecord r = AssignmentRecord::Empty();
    if (isKey)
        config.GetKeyAssignment(r, control, profile);
    else
        config.GetButtonAssignment(r, control, profile);
    if (!rule(r))
        return false;
    if (isKey)
        config.SetKeyAssignment(control, fallback, profile);
    else
        config.SetButtonAssignment(control, fallback, profile);
    return true;
}

}  // namespace

int ResetAssignmentsWhere(IMouseConfig& config, const AssignmentRule& rule)
{
    int reset = 0;
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (!profile)
            continue;
        for (int button : kButtons) {
            AssignmentRecord fallback = AssignmentRecord::Empty();
            config.GetStaticButtonDefault(fallback, button);
            reset += Reset(config, profile, rule, false, button, fallback);
        }
        for (int keypad = 0; keypad < 2; ++keypad) {
            for (int button = kThumbGridFirstButton; button <= kThumbGridLastButton; ++button) {
                uint32_t key = ThumbGridKeyHash(button, keypad == 1);
                if (!key)
                    continue;
                AssignmentRecord fallback = AssignmentRecord::Empty();
                config.GetDefaultKeyRecord(fallback, key);
                reset += Reset(config, profile, rule, true, (int)key, fallback);
            }
        }
    }
    return reset;
}

bool RecordUsesMacro(const AssignmentRecord& record, const CMacro& macro)
{
    if (record.type == kFnMacroByGuid) {
        static const GUID kNull{};
        return memcmp(&macro.guid, &kNull, sizeof(GUID)) != 0 &&
               memcmp(record.params.bytes, &macro.guid, sizeof(GUID)) == 0;
    }
    if (record.type == kFnMacroByName)
        return _wcsicmp(record.NameText().c_str(), macro.name) == 0;
    return false;
}

int ClearMacroAssignments(IMouseConfig& config, const CMacro& macro)
{
    return ResetAssignmentsWhere(config, [&macro](const AssignmentRecord& r) { return RecordUsesMacro(r, macro); });
}
