#include "ProfileActions.h"

#include <cwchar>

#include "DeviceGuid.h"

namespace {

// A long source name is cut for its copy, so that the number stays in view
// beside names of the name popup's 20 characters.
constexpr int kCopyCutAbove = 19;
constexpr int kCopyBaseLength = 18;
constexpr int kRestoreNameMax = 20;
constexpr int kRestoreNameCut = 17;

CString ColonName(const wchar_t* name)
{
    return CString(L": ") + (name ? name : L"");
}

bool SameNonZeroGuid(const IMouseProfile* a, const IMouseProfile* b)
{
    GUID ga, gb;
    a->GetGuid(ga);
    b->GetGuid(gb);
    return !GuidIsZero(ga) && GuidEquals(ga, gb);
}

}  // namespace

CString ProfileCopyName(const wchar_t* source, const std::function<bool(const CString&)>& taken)
{
    CString base(source ? source : L"");
    if (base.GetLength() > kCopyCutAbove) base = base.Left(kCopyBaseLength);
    for (int n = 2; n <= 99; ++n) {
        CString candidate;
        candidate.Format(L"%s(%d)", base.GetString(), n);
        if (!taken(candidate)) return candidate;
    }
    return CString();
}

bool ProfileNameTaken(const IMouseConfig& config, const wchar_t* name, const IMouseProfile* self)
{
    if (!name) return false;
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i) {
        const IMouseProfile* p = config.GetProfile(i);
        if (!p) continue;
        if (p == self ? wcscmp(p->GetName(), name) == 0 : _wcsicmp(p->GetName(), name) == 0) return true;
    }
    return false;
}

bool HasLinkedProgram(const IMouseProfile* profile)
{
    const wchar_t* name = profile ? profile->GetLinkedAppName() : nullptr;
    return name && *name;
}

CString LinkedProgramText(const IMouseProfile* profile)
{
    if (!profile) return CString();
    const wchar_t* path = profile->GetLinkedAppPath();
    if (path && *path) return CString(path);
    const wchar_t* name = profile->GetLinkedAppName();
    return CString(name ? name : L"");
}

CString RestoreDefaultsHeading(const CString& label, const CString& name)
{
    CString shown = name;
    if (shown.GetLength() > kRestoreNameMax) shown = shown.Left(kRestoreNameCut) + L"...";
    return label + L" : " + shown;
}

int ProfileIndexOf(const IMouseConfig& config, const IMouseProfile* profile)
{
    if (!profile) return -1;
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i)
        if (config.GetProfile(i) == profile) return (int)i;
    return -1;
}

ProfileActions::ProfileActions(IMouseConfig& config, ProfileUi& ui, DeviceGetter device)
    : m_config(config), m_ui(ui), m_device(std::move(device))
{
}

IMouseProfile* ProfileActions::At(int index) const
{
    return index < 0 ? nullptr : m_config.GetProfile((uint32_t)index);
}

void ProfileActions::New()
{
    if (m_config.GetProfileCount() >= kMaxProfiles) {
        m_ui.Warn(L"ProfileLimitReachedPopup.xml", nullptr, L"$CreateProfile");
        return;
    }
    CString name;
    if (!m_ui.AskName(nullptr, name) || name.IsEmpty()) {
        m_ui.RefreshPages();
        return;
    }
    if (ProfileNameTaken(m_config, name)) {
        const IMouseProfile* existing = m_config.FindProfileByName(name);
        m_ui.Warn(L"DuplicateProfileWarningPopup.xml", ColonName(existing ? existing->GetName() : name.GetString()));
        return;
    }
    IMouseProfile* created = m_config.NewProfile(name);
    if (!created) return;
    m_ui.SelectProfile(created);
    m_ui.MarkUnsaved();
    m_ui.RefreshPages();
}

void ProfileActions::Rename(int index)
{
    IMouseProfile* profile = At(index);
    if (!profile) return;
    const CString current(profile->GetName());
    CString name;
    if (m_ui.AskName(current, name) && !name.IsEmpty()) {
        if (ProfileNameTaken(m_config, name, profile)) {
            m_ui.Warn(L"DuplicateProfileWarningPopup.xml", ColonName(name));
            return;
        }
        // The configuration replaces the renamed profile: only the returned
        // object is valid, and the list is refilled from the configuration.
        if (m_config.RenameProfile(profile, name)) {
            m_ui.FillProfileList();
            m_ui.MarkUnsaved();
        }
    }
    m_ui.RefreshPages();
}

void ProfileActions::Copy(int index)
{
    IMouseProfile* source = At(index);
    if (!source) return;
    if (m_config.GetProfileCount() >= kMaxProfiles) {
        m_ui.Warn(L"ProfileLimitReachedPopup.xml", nullptr, L"$Copy");
        return;
    }
    const CString name =
        ProfileCopyName(source->GetName(), [this](const CString& n) { return ProfileNameTaken(m_config, n); });
    if (name.IsEmpty()) return;
    if (IMouseProfile* copy = m_config.CopyProfile(source, name)) {
        m_ui.SelectProfile(copy);
        m_ui.RefreshPages();
    }
}

void ProfileActions::Delete(int index)
{
    IMouseProfile* profile = At(index);
    if (!profile) return;
    IMouseProfile* first = m_config.GetProfile(0);
    if (index == 0 || SameNonZeroGuid(profile, first)) {
        m_ui.Warn(L"DisallowDeletePopup.xml", ColonName(profile->GetName()));
        return;
    }
    if (m_ui.Warn(L"ConfirmDeletePopup.xml", ColonName(profile->GetName())) != IDOK) return;
    m_ui.ClearProfileAssignments(profile);
    m_config.DeleteProfile(profile);  // also its file, when it has one
    m_ui.MarkUnsaved();
    if (m_config.GetActiveProfile())
        m_ui.FillProfileList();
    else
        m_ui.SelectProfile(m_config.GetProfile(0));
    m_ui.RefreshPages();
}

bool ProfileActions::DeviceCountMatches()
{
    GenDevice* device = m_device ? m_device() : nullptr;
    return device && device->GetDeviceProfileCount() == m_config.GetProfileCount();
}

void ProfileActions::Import()
{
    if (m_config.GetProfileCount() >= kMaxProfiles) {
        m_ui.Warn(L"ProfileLimitReachedPopup.xml", nullptr, L"$ImportProfile");
        return;
    }
    // The device adds the imported profile itself, so both must hold the
    // same profiles first (a write may still be settling).
    if (!DeviceCountMatches() && !m_ui.WaitUntil([this] { return DeviceCountMatches(); }, 1500)) {
        m_ui.Warn(L"ImporttProfileWarningPopup.xml", nullptr, L"$ImportProfile");
        return;
    }
    CString path;
    const int initialNameLength = 1 + (int)wcslen(kProfileFileExt);  // ".qvp"
    if (!m_ui.ChooseProfileFile(false, path) || path.GetLength() <= initialNameLength) return;
    if (path.GetLength() >= kLongImportPath) m_ui.Warn(L"PathLengthLimitReachedPopUp.xml", nullptr, L"$Import");
    GenDevice* device = m_device ? m_device() : nullptr;
    const uint32_t before = m_config.GetProfileCount();
    if (!device || !device->ImportProfile(path, &m_config)) {
        m_ui.Warn(L"FileErrorPopUp.xml");
        return;
    }
    // A name another profile has (in any case) would make name lookups pick
    // the wrong one: the imported profile takes a copy name instead.
    if (m_config.GetProfileCount() > before) {
        IMouseProfile* imported = m_config.GetProfile(m_config.GetProfileCount() - 1);
        bool clash = false;
        for (uint32_t i = 0; imported && i + 1 < m_config.GetProfileCount(); ++i)
            clash = clash || _wcsicmp(m_config.GetProfile(i)->GetName(), imported->GetName()) == 0;
        if (clash) {
            const CString name = ProfileCopyName(
                imported->GetName(), [this](const CString& n) { return ProfileNameTaken(m_config, n); });
            if (!name.IsEmpty()) m_config.RenameProfile(imported, name);
        }
    }
    m_ui.FillProfileList();
    m_ui.MarkUnsaved();
}

void ProfileActions::Export(int index)
{
    IMouseProfile* profile = At(index);
    if (!profile) return;
    GenDevice* device = m_device ? m_device() : nullptr;
    if (!device || !device->ProfileExists(profile)) {
        m_ui.Warn(L"ExportProfileWarningPopup.xml", ColonName(profile->GetName()));
        return;
    }
    CString path;
    const int initialNameLength = 1 + (int)wcslen(kProfileFileExt);
    if (!m_ui.ChooseProfileFile(true, path) || path.GetLength() <= initialNameLength) return;
    if (!device->ExportProfile(path, profile)) m_ui.Warn(L"FileErrorPopUp.xml");
}

void ProfileActions::RestoreDefaults(int index, const CString& label)
{
    IMouseProfile* profile = At(index);
    if (!profile) return;
    if (m_ui.Warn(L"RestorePopup.xml", nullptr, RestoreDefaultsHeading(label, profile->GetName())) != IDOK) return;
    m_config.ResetToDefaults(profile);
    if (profile == m_config.GetActiveProfile()) m_ui.RefreshPages();
    // The defaults unlink the program and copy the active profile's display
    // flag to every profile: the whole list shows it.
    m_ui.FillProfileList();
    m_ui.MarkUnsaved();
}

void ProfileActions::Activate(int index)
{
    IMouseProfile* profile = At(index);
    if (profile && profile != m_config.GetActiveProfile()) m_ui.SelectProfile(profile);
}

bool ProfileActions::SetAutoSwitch(int index, bool on)
{
    IMouseProfile* profile = At(index);
    if (!profile) return false;
    if (on && !HasLinkedProgram(profile)) {
        m_ui.Warn(L"SelectApplicationWarningPopup.xml", ColonName(profile->GetName()));
        return false;
    }
    m_config.SetAppLinkEnabled(on ? 1 : 0, profile);
    m_ui.MarkUnsaved();
    return true;
}

void ProfileActions::SetLinkedProgram(int index, const wchar_t* path)
{
    IMouseProfile* profile = At(index);
    if (!profile) return;
    m_config.SetLinkedAppPath(path ? path : L"", profile);
    m_ui.MarkUnsaved();
}

void ProfileActions::SetProfileOsd(bool on)
{
    m_config.SetProfileOsdAll(on ? 1 : 0);
    m_ui.MarkUnsaved();
}
