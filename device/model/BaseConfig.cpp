#include "BaseConfig.h"
#include <cwchar>
#include <iterator>
#include "ActiveProfileFile.h"
#include "DeviceGuid.h"
#include "VeskProfile.h"

template <class P>
void CBaseConfig<P>::SetProfileOsdAll(uint8_t on)
{
    for (P* p : this->m_profiles)
        p->SetProfileOsd(on);
}

template <class P>
void CBaseConfig<P>::GetKeyAssignment(AssignmentRecord& out, int key, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->GetKeyAssignment(out, key);
    else
        out = AssignmentRecord::Empty();
}

template <class P>
void CBaseConfig<P>::SetDefaultAssignment(int key, const AssignmentRecord& record)
{
    if (record.type == kFnDeviceDefaultKey)
        m_defaultAssignments[key] = record;
}

template <class P>
void CBaseConfig<P>::GetDefaultAssignment(AssignmentRecord& out, int key)
{
    auto it = m_defaultAssignments.find(key);
    if (it == m_defaultAssignments.end())
        it = m_defaultAssignments.emplace(key, AssignmentRecord::Empty()).first;
    out = it->second;
}

template <class P>
int CBaseConfig<P>::GetDefaultAssignmentKey(int n) const
{
    if (n < 0 || (size_t)n >= m_defaultAssignments.size())
        return 0;
    auto it = m_defaultAssignments.begin();
    std::advance(it, n);
    return it->first;
}

template <class P>
CMacro* CBaseConfig<P>::FindMacroByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const
{
    return m_macros.FindByGuid(GuidFromWords(w0, w1, w2, w3));
}

template <class P>
CQvApp* CBaseConfig<P>::FindAppByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const
{
    return m_apps.FindByGuid(GuidFromWords(w0, w1, w2, w3));
}

// Profiles have no file format of their own, so nothing ever loads; the
// existing profiles go only once a file has really loaded.
template <class P>
int CBaseConfig<P>::LoadProfiles()
{
    const wchar_t* folder = ConfigSaveFolder();
    const wchar_t* ext = GetProfileExtension();
    int loaded = 0;
    for (const std::wstring& stem : FindProfileFiles(folder, ext)) {
        P* profile = new P();
        if (!profile->LoadFromFile(stem.c_str(), folder, ext)) {
            delete profile;
            break;
        }
        if (loaded == 0)
            this->ClearProfiles();
        this->m_profiles.push_back(profile);
        ++loaded;
    }
    return loaded;
}

template <class P>
bool CBaseConfig<P>::SaveProfiles(IMouseProfile* profile)
{
    const wchar_t* folder = ConfigSaveFolder();
    const wchar_t* ext = GetProfileExtension();
    if (profile)
        return profile->SaveToFile(profile->GetName(), folder, ext);
    for (P* p : this->m_profiles)
        p->SaveToFile(p->GetName(), folder, ext);
    return true;
}

template <class P>
void CBaseConfig<P>::LoadActiveProfileName()
{
    int loaded = LoadProfiles();
    std::wstring name = ReadActiveProfileName(ConfigIniPath());
    if (loaded == 0 || this->m_profiles.empty())
        return;
    this->m_active = this->m_profiles.front();
    if (!name.empty())
        if (P* p = this->Owned(this->FindProfileByName(name.c_str())))
            this->m_active = p;
}

template <class P>
bool CBaseConfig<P>::SaveActiveProfileName()
{
    if (!SaveProfiles(nullptr))
        return false;
    if (!this->m_active)
        return false;
    return WriteActiveProfileName(ConfigIniPath(), this->m_active->GetName());
}

template class CBaseConfig<CVeskProfile>;
