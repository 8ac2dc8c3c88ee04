#include "MacroPageCore.h"

#include <cwchar>

#include "AssignmentSweep.h"
#include "Macro.h"
#include "MouseConfigInterface.h"
#include "PredefinedMacros.h"

const wchar_t* const CMacroPageCore::kInitialFileName = L".qvm";

namespace {

// The device service takes paths of up to 255 characters.
const int kPathWarnLength = 256;

CString WithName(const wchar_t* name)
{
    CString data(L": ");
    data += name;
    return data;
}

}  // namespace

CMacro* CMacroPageCore::Selected() const
{
    if (!m_selected)
        return nullptr;
    IMouseConfig& config = m_side.Config();
    for (uint32_t i = 0; i < config.GetMacroCount(); ++i)
        if (config.GetMacro(i) == m_selected)
            return m_selected;
    return nullptr;
}

int CMacroPageCore::SelectedIndex() const
{
    IMouseConfig& config = m_side.Config();
    for (uint32_t i = 0; m_selected && i < config.GetMacroCount(); ++i)
        if (config.GetMacro(i) == m_selected)
            return (int)i;
    return -1;
}

void CMacroPageCore::Select(int index)
{
    m_selected = index >= 0 ? m_side.Config().GetMacro((uint32_t)index) : nullptr;
    m_state = m_selected ? kMacroStateIdle : kMacroStateNone;
}

std::vector<CString> CMacroPageCore::MacroNames() const
{
    IMouseConfig& config = m_side.Config();
    std::vector<CString> names;
    for (uint32_t i = 0; i < config.GetMacroCount(); ++i)
        if (const CMacro* m = config.GetMacro(i))
            names.push_back(CString(m->name));
    return names;
}

bool CMacroPageCore::NameTakenByOther(const CString& name, const CMacro* self) const
{
    // The macro list compares names ignoring case, and so does the page.
    const CMacro* found = m_side.Config().FindMacroByName(name);
    return found && found != self;
}

bool CMacroPageCore::New()
{
    IMouseConfig& config = m_side.Config();
    if (config.GetMacroCount() >= kMaxMacros)
        return false;
    CString name;
    if (!m_side.AskName(L"MacroNamePopup.xml", CString(), name) || name.IsEmpty())
        return false;
    CMacro* added = NameTakenByOther(name, nullptr) ? nullptr : config.AddMacro(name);
    if (!added) {
        m_side.Warn(L"DuplicateMacroWarningPopup.xml", WithName(name));
        return false;
    }
    m_side.MarkUnsaved();
    m_selected = added;
    m_state = kMacroStateIdle;
    return true;
}

bool CMacroPageCore::Rename()
{
    CMacro* macro = Selected();
    if (!macro)
        return false;
    CString name;
    if (!m_side.AskName(L"MacroRenamePopup.xml", CString(macro->name), name) || name.IsEmpty() ||
        wcscmp(name, macro->name) == 0)
        return false;
    if (NameTakenByOther(name, macro)) {
        m_side.Warn(L"DuplicateMacroWarningPopup.xml", WithName(name));
        return false;
    }
    macro->SetName(name);
    m_side.MarkUnsaved();
    return true;
}

bool CMacroPageCore::Delete()
{
    CMacro* macro = Selected();
    if (!macro || m_side.Warn(L"ConfirmDeleteMacroPopup.xml", WithName(macro->name)) != IDOK)
        return false;
    IMouseConfig& config = m_side.Config();
    ClearMacroAssignments(config, *macro);
    config.DeleteMacro(macro);
    m_selected = nullptr;
    Select(0);
    m_side.MarkUnsaved();
    return true;
}

bool CMacroPageCore::Import()
{
    CString path;
    if (!m_side.AskMacroFile(true, path))
        return false;
    if (path.GetLength() >= kPathWarnLength)
        m_side.Warn(L"PathLengthLimitReachedPopUp.xml", nullptr, L"$Import");
    IMouseConfig& config = m_side.Config();
    GenDevice* device = m_side.Device();
    if (!device || !device->ImportMacro(path, &config)) {
        m_side.Warn(L"FileErrorPopUp.xml");
        return false;
    }
    m_side.MarkUnsaved();
    // The device appends the imported macro: show it.
    Select((int)config.GetMacroCount() - 1);
    return true;
}

void CMacroPageCore::Export()
{
    CMacro* macro = Selected();
    if (!macro)
        return;
    GenDevice* device = m_side.Device();
    if (!device || !device->MacroExists(macro)) {
        m_side.Warn(L"ExportMacroWarningPopup.xml", WithName(macro->name));
        return;
    }
    CString path;
    if (!m_side.AskMacroFile(false, path) || path.GetLength() <= (int)wcslen(kInitialFileName))
        return;
    if (!device->ExportMacro(path, macro))
        m_side.Warn(L"FileErrorPopUp.xml");
}

bool CMacroPageCore::StoreEvents(const std::vector<MacroEvent>& events)
{
    CMacro* macro = Selected();
    if (!macro || macro->events == events)
        return false;
    macro->events = events;
    m_side.MarkUnsaved();
    return true;
}

bool CMacroPageCore::EditKeyEvent(const std::vector<MacroEvent>& events, int row, MacroEvent& edited)
{
    if (row < 0 || (size_t)row >= events.size() || events[(size_t)row].kind != MacroEvent::kKey)
        return false;
    ChosenKey key = KeyOfEvent(events[(size_t)row]);
    return m_side.AskKey(key) && EditedKeyEvent(events[(size_t)row], key, edited);
}

int CMacroPageCore::InsertDelay(int selectedRow, DWORD delay, size_t limit)
{
    CMacro* macro = Selected();
    if (!macro || selectedRow < 0 || (size_t)selectedRow >= macro->events.size() ||
        macro->events.size() + 1 > limit)
        return -1;
    InsertEventsAfter(macro->events, (size_t)selectedRow, {MacroEvent{MacroEvent::kDelay, (int)delay, delay}});
    m_side.MarkUnsaved();
    return selectedRow + 1;
}

int CMacroPageCore::AddCommand(const CString& name, int selectedRow, size_t limit)
{
    std::vector<MacroEvent> command;
    g_predefinedMacros.AppendShortcutEvents(name, command);
    CMacro* macro = Selected();
    if (command.empty() || !macro || macro->events.size() + command.size() > limit)
        return -2;
    std::vector<MacroEvent> events = macro->events;
    int row = InsertCommandEvents(events, selectedRow, command);
    macro->events = events;
    m_side.MarkUnsaved();
    return row;
}

bool CMacroPageCore::CheckDelayBox(const wchar_t* text, DWORD& milliseconds)
{
    if (ParseDelayBox(text, milliseconds) == DelayBoxState::Valid)
        return true;
    if (!m_warningDelay) {
        m_warningDelay = true;
        m_side.Warn(L"DefaultDelayWarningPopup.xml");
        m_warningDelay = false;
    }
    return false;
}
