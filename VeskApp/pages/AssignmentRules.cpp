#include "AssignmentRules.h"

#include <cstring>
#include <cwchar>

#include "AssignmentSweep.h"
#include "KeyEvent.h"
#include "Macro.h"
#include "ThumbKeyDefaults.h"
#include "VeskConfig.h"

const AssignControl kAssignControls[kAssignControlCount] = {
    {40, 1},  {41, 2},  {42, 3},  {43, 4},  {44, 5},  {45, 12}, {46, 13}, {50, 14}, {51, 15}, {52, 16},
    {53, 17}, {54, 18}, {55, 19}, {56, 20}, {57, 21}, {58, 22}, {59, 23}, {60, 24}, {61, 25},
};

namespace {

const int kMouseButtons[] = {1, 2, 3, 4, 5, 12, 13};

AssignmentRecord GuidRecord(int type, const GUID& guid)
{
    AssignmentRecord r = AssignmentRecord::OfType(type);
    memcpy(r.params.bytes, &guid, sizeof(guid));
    return r;
}

bool SameRecord(const AssignmentRecord& a, const AssignmentRecord& b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

bool NameIs(const AssignmentRecord& record, const wchar_t* name)
{
    return name && _wcsicmp(record.NameText().c_str(), name) == 0;
}

}  // namespace

int AssignButtonOfItem(int itemId)
{
    for (const AssignControl& c : kAssignControls)
        if (c.itemId == itemId)
            return c.button;
    return 0;
}

int* KeypadLayoutOf(IMouseConfig* config)
{
    auto* own = dynamic_cast<CVeskConfig*>(config);
    return own ? &own->keypadLayout : nullptr;
}

bool IsThumbButton(int button)
{
    return button >= kThumbGridFirstButton && button <= kThumbGridLastButton;
}

int MenuFunctionOfType(int type)
{
    if (type == kFnMacroByName)
        return kFnMacroByGuid;
    if (type == kFnProfileByName)
        return kFnProfileByGuid;
    return type;
}

bool IsNullGuid(const GUID& guid)
{
    static const GUID none{};
    return memcmp(&guid, &none, sizeof(guid)) == 0;
}

bool RecordGuidIs(const AssignmentRecord& record, const GUID& guid)
{
    return memcmp(record.params.bytes, &guid, sizeof(guid)) == 0;
}

CString SystemKeyName(uint16_t scanCode, uint16_t virtualKey, bool extended)
{
    CString name;
    if (!GetKeyNameString(virtualKey, name, scanCode, extended))
        name.Empty();
    return name;
}

CString KeyAssignmentText(const AssignmentRecord& record, const KeyNameFunction& keyName)
{
    CString text;
    auto add = [&text](const CString& part) {
        if (part.IsEmpty())
            return;
        if (!text.IsEmpty())
            text += L"+";
        text += part;
    };
    uint8_t mods = record.Modifiers();
    if (mods & kModShift)
        add(L"Shift");
    if (mods & kModCtrl)
        add(L"Ctrl");
    if (mods & kModAlt)
        add(L"Alt");
    if (record.ScanCode() != 0 && keyName)
        add(keyName(record.ScanCode(), record.VirtualKey(), (mods & kModExtended) != 0));
    return text;
}

AssignmentRules::AssignmentRules(IMouseConfig& config, int& keypadLayout) : m_config(config), m_layout(keypadLayout)
{
}

uint32_t AssignmentRules::KeyIdOf(int button) const
{
    return ThumbGridKeyHash(button, m_layout == 1);
}

bool AssignmentRules::HasSlot(int button) const
{
    if (IsThumbButton(button))
        return KeyIdOf(button) != 0;
    for (int b : kMouseButtons)
        if (b == button)
            return true;
    return false;
}

AssignmentRecord AssignmentRules::Stored(int button)
{
    AssignmentRecord r = AssignmentRecord::Empty();
    if (!HasSlot(button))
        return r;
    if (IsThumbButton(button))
        m_config.GetKeyAssignment(r, (int)KeyIdOf(button), nullptr);
    else
        m_config.GetButtonAssignment(r, button, nullptr);
    return r;
}

AssignmentRecord AssignmentRules::Shown(int button)
{
    if (IsThumbButton(button) && !m_config.GetKeyMode(nullptr))
        return AssignmentRecord::OfType(kFnButtonOff);
    return Stored(button);
}

void AssignmentRules::Store(int button, const AssignmentRecord& record)
{
    if (!HasSlot(button))
        return;
    if (IsThumbButton(button))
        m_config.SetKeyAssignment((int)KeyIdOf(button), record, nullptr);
    else
        m_config.SetButtonAssignment(button, record, nullptr);
}

AssignmentRecord AssignmentRules::DefaultOf(int button) const
{
    AssignmentRecord r = AssignmentRecord::Empty();
    if (IsThumbButton(button)) {
        if (uint32_t key = KeyIdOf(button))
            m_config.GetDefaultKeyRecord(r, key);
    } else {
        m_config.GetStaticButtonDefault(r, button);
    }
    return r;
}

bool AssignmentRules::Offers(int button, int function) const
{
    IMouseProfile* profile = m_config.GetActiveProfile();
    if (!profile || function < 0 || !HasSlot(button))
        return false;
    int type = function == kFnDefaultKey ? DefaultOf(button).type : function;
    if (type < 0)
        return false;
    // Thumb keys are key assignments: the profile tests them as key 0.
    return profile->IsFunctionTypeAllowed(type, IsThumbButton(button) ? 0 : button);
}

std::vector<int> AssignmentRules::MenuFunctions(int button, const std::vector<int>& skinFunctions) const
{
    std::vector<int> menu;
    auto add = [&](int fn) {
        for (int have : menu)
            if (have == fn)
                return;
        if (Offers(button, fn))
            menu.push_back(fn);
    };
    if (!skinFunctions.empty()) {
        for (int fn : skinFunctions)
            add(MenuFunctionOfType(fn));
        return menu;
    }
    IMouseProfile* profile = m_config.GetActiveProfile();
    if (!profile)
        return menu;
    std::vector<int> allowed;
    profile->GetAllowedFunctionTypes(allowed, IsThumbButton(button) ? 0 : button);
    for (int fn : allowed)
        add(fn);
    add(kFnDefaultKey);  // the wheel's list has no default entry, but its default is allowed
    return menu;
}

CString AssignmentRules::DetailText(const AssignmentRecord& record, const KeyNameFunction& keyName) const
{
    GUID guid{};
    memcpy(&guid, record.params.bytes, sizeof(guid));
    switch (record.type) {
    case kFnDefaultKey:
    case kFnSingleKey:
        return KeyAssignmentText(record, keyName);
    case kFnMacroByGuid: {
        const CMacro* m = IsNullGuid(guid) ? nullptr
                                           : m_config.FindMacroByGuid(record.params.values[0], record.params.values[1],
                                                                      record.params.values[2], record.params.values[3]);
        return m ? CString(m->GetName()) : CString();
    }
    case kFnMacroByName: {
        const CMacro* m = m_config.FindMacroByName(record.NameText().c_str());
        return m ? CString(m->GetName()) : CString();
    }
    case kFnProfileByGuid: {
        IMouseProfile* p = IsNullGuid(guid) ? nullptr
                                            : m_config.FindProfileByGuid(record.params.values[0],
                                                                         record.params.values[1],
                                                                         record.params.values[2],
                                                                         record.params.values[3]);
        return p ? CString(p->GetName()) : CString();
    }
    case kFnProfileByName: {
        IMouseProfile* p = m_config.FindProfileByName(record.NameText().c_str());
        return p ? CString(p->GetName()) : CString();
    }
    default:
        return CString();
    }
}

bool AssignmentRules::CheckClickAssigned(AssignPrompts& prompts)
{
    if (m_config.HasClickAssignment(nullptr))
        return true;
    prompts.NoClickWarning();
    return false;
}

bool AssignmentRules::BuildRecord(int button, int function, const CString& subText, AssignPrompts& prompts,
                                  AssignmentRecord& out, Outcome& stop)
{
    switch (function) {
    case kFnDefaultKey:
        out = DefaultOf(button);
        return true;
    case kFnSingleKey: {
        // The click rule is checked before the popup opens: a key in place
        // of the only click must not cost the user a capture first.
        AssignmentRecord old = Stored(button);
        Store(button, AssignmentRecord::OfType(kFnSingleKey));
        if (!CheckClickAssigned(prompts)) {
            Store(button, old);
            stop = Outcome::KeptClick;
            return false;
        }
        SingleKeyResult key;
        bool ok = prompts.SingleKey(key);
        Store(button, old);
        if (!ok || (key.scanCode == 0 && key.flags == 0)) {
            stop = Outcome::Cancelled;
            return false;
        }
        out = AssignmentRecord::OfType(kFnSingleKey);
        out.SetKey(key.scanCode, key.virtualKey, key.flags);
        return true;
    }
    case kFnMacroByGuid:
        out = Stored(button);
        if (!prompts.AssignMacro(out, subText)) {
            stop = Outcome::Cancelled;
            return false;
        }
        return true;
    case kFnProfileByGuid: {
        IMouseProfile* target = subText.IsEmpty() ? nullptr : m_config.FindProfileByName(subText);
        if (!target) {
            stop = Outcome::Nothing;
            return false;
        }
        GUID guid{};
        target->GetGuid(guid);
        if (IsNullGuid(guid)) {
            out = AssignmentRecord::OfType(kFnProfileByName);
            out.SetName(target->GetName());
        } else {
            out = GuidRecord(kFnProfileByGuid, guid);
        }
        return true;
    }
    default:
        out = AssignmentRecord::OfType(function);
        return true;
    }
}

AssignmentRules::Outcome AssignmentRules::ApplyChoice(int button, int function, const CString& subText,
                                                      AssignPrompts& prompts)
{
    if (function < 0 || !HasSlot(button))
        return Outcome::Nothing;
    if (!Offers(button, function))
        return Outcome::Refused;
    AssignmentRecord old = Stored(button);
    AssignmentRecord record;
    Outcome stop = Outcome::Nothing;
    if (!BuildRecord(button, function, subText, prompts, record, stop))
        return stop;
    Store(button, record);
    if (!SameRecord(Stored(button), record))
        return Outcome::Refused;
    if (!CheckClickAssigned(prompts)) {
        Store(button, old);
        return Outcome::KeptClick;
    }
    return Outcome::Stored;
}

bool AssignmentRules::AllThumbKeysOff()
{
    for (int layout = 0; layout < 2; ++layout) {
        for (int b = kThumbGridFirstButton; b <= kThumbGridLastButton; ++b) {
            uint32_t key = ThumbGridKeyHash(b, layout == 1);
            if (!key)
                continue;
            AssignmentRecord r;
            m_config.GetKeyAssignment(r, (int)key, nullptr);
            if (r.type != kFnButtonOff)
                return false;
        }
    }
    return true;
}

void AssignmentRules::RestoreThumbKeyDefaults()
{
    for (int layout = 0; layout < 2; ++layout) {
        for (int b = kThumbGridFirstButton; b <= kThumbGridLastButton; ++b) {
            uint32_t key = ThumbGridKeyHash(b, layout == 1);
            if (!key)
                continue;
            AssignmentRecord r;
            m_config.GetDefaultKeyRecord(r, key);
            m_config.SetKeyAssignment((int)key, r, nullptr);
        }
    }
}

bool AssignmentRules::SetKeysOff(bool off, AssignPrompts& prompts)
{
    m_config.SetKeyMode(off ? 0 : 1, nullptr);
    if (!m_config.GetKeyMode(nullptr) && !CheckClickAssigned(prompts))
        m_config.SetKeyMode(1, nullptr);
    if (m_config.GetKeyMode(nullptr) && AllThumbKeysOff())
        RestoreThumbKeyDefaults();
    return !m_config.GetKeyMode(nullptr);
}

void AssignmentRules::ClearProfileAssignments(IMouseProfile* gone)
{
    if (!gone)
        return;
    GUID guid{};
    gone->GetGuid(guid);
    const bool byGuid = !IsNullGuid(guid);
    const CString name = gone->GetName();
    ResetAssignmentsWhere(m_config, [&](const AssignmentRecord& r) {
        return (r.type == kFnProfileByGuid && byGuid && RecordGuidIs(r, guid)) ||
               (r.type == kFnProfileByName && NameIs(r, name));
    });
}

void AssignmentRules::ClearMacroAssignments(const CMacro* gone)
{
    if (gone)
        ::ClearMacroAssignments(m_config, *gone);
}
