// What the profiles page does to the configuration and the device, without
// a window: the name rules (copy names, duplicates), the limit of 20
// profiles, the protected first profile, and each action of the page's
// buttons and menu. The page answers the questions (popups, file dialogs)
// and redraws; tests answer them with a script.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "MousePicker.h"
#include "MouseConfigInterface.h"
#include "String.h"

// The device holds at most this many profiles.
constexpr uint32_t kMaxProfiles = 20;
// The profile files' extension (made and read by the device service).
constexpr const wchar_t* kProfileFileExt = L"qvp";
// An import path this long or longer is warned about (the import goes on).
constexpr int kLongImportPath = 256;

// "Name(n)": the source name (its first 18 characters when it is longer
// than 19) with the first n of 2..99 whose name `taken` refuses; empty
// when all 98 are taken.
CString ProfileCopyName(const wchar_t* source, const std::function<bool(const CString&)>& taken);

// Names compare without regard to case, as the configuration's lookups do:
// true when another profile has the name in any case, or `self` has exactly
// this name (a rename that only changes the case is allowed).
bool ProfileNameTaken(const IMouseConfig& config, const wchar_t* name, const IMouseProfile* self = nullptr);

// The device keeps only the linked program's name: a profile has a linked
// program when it has that name. The list shows the path, or the name when
// there is no path (a profile read from the device).
bool HasLinkedProgram(const IMouseProfile* profile);
CString LinkedProgramText(const IMouseProfile* profile);

// The restore popup's heading: "label : name", a name longer than 20
// characters cut to 17 and "...".
CString RestoreDefaultsHeading(const CString& label, const CString& name);

// Index of a profile in the configuration; -1 when it is not there.
int ProfileIndexOf(const IMouseConfig& config, const IMouseProfile* profile);

// The questions and redraws the actions need from the page.
class ProfileUi {
public:
    virtual ~ProfileUi() = default;
    // A warning popup on `file` (IDOK when confirmed).
    virtual INT_PTR Warn(const wchar_t* file, const wchar_t* dataText = nullptr,
                         const wchar_t* heading = nullptr) = 0;
    // The name popup: a new profile's name (currentName null) or a new name
    // for the profile of currentName; false when cancelled.
    virtual bool AskName(const wchar_t* currentName, CString& name) = 0;
    // The open (import) or save (export) dialog for a profile file; false
    // when cancelled.
    virtual bool ChooseProfileFile(bool save, CString& path) = 0;
    // Checks `ready` until it is true or `ms` have passed; its last answer.
    virtual bool WaitUntil(const std::function<bool()>& ready, DWORD ms) = 0;

    // Makes the profile active, with its lights, and redraws (SelectProfile).
    virtual void SelectProfile(IMouseProfile* profile) = 0;
    // Rebuilds the list and the profile drop-downs (FillProfileList).
    virtual void FillProfileList() = 0;
    virtual void RefreshPages() = 0;
    virtual void MarkUnsaved() = 0;
    // Every control that switches to the profile gets its default back.
    virtual void ClearProfileAssignments(IMouseProfile* profile) = 0;
};

class ProfileActions {
public:
    using DeviceGetter = std::function<GenDevice*()>;
    ProfileActions(IMouseConfig& config, ProfileUi& ui, DeviceGetter device);

    // Each works on the profile at `index` (the list's row key); an index
    // without a profile does nothing.
    void New();
    void Rename(int index);
    void Copy(int index);
    void Delete(int index);
    void Import();
    void Export(int index);
    void RestoreDefaults(int index, const CString& label);
    // Makes the profile active unless it already is.
    void Activate(int index);
    // The automatic-switch box: false when it was set for a profile without
    // a linked program (the warning was shown; the box goes back to clear).
    bool SetAutoSwitch(int index, bool on);
    // The linked program chosen (or removed, with an empty path) in the list.
    void SetLinkedProgram(int index, const wchar_t* path);
    // The profile on-screen display of all profiles.
    void SetProfileOsd(bool on);

private:
    IMouseProfile* At(int index) const;
    bool DeviceCountMatches();

    IMouseConfig& m_config;
    ProfileUi& m_ui;
    DeviceGetter m_device;
};
