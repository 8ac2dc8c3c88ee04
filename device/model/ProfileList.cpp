#include "ProfileList.h"
#include <windows.h>
#include <cwchar>
#include "DeviceGuid.h"
#include "VeskProfile.h"

template <class P>
CProfileList<P>::~CProfileList()
{
    CProfileList<P>::ClearProfiles();
}

template <class P>
void CProfileList<P>::ClearProfiles()
{
    m_active = nullptr;
    while (!m_profiles.empty()) {
        P* last = m_profiles.back();
        m_profiles.pop_back();
        delete last;
    }
}

template <class P>
int CProfileList<P>::IndexOf(const IMouseProfile* profile) const
{
    if (!profile)
        return -1;
    for (size_t i = 0; i < m_profiles.size(); ++i)
        if (static_cast<const IMouseProfile*>(m_profiles[i]) == profile)
            return (int)i;
    return -1;
}

template <class P>
P* CProfileList<P>::Owned(const IMouseProfile* profile) const
{
    int i = IndexOf(profile);
    return i < 0 ? nullptr : m_profiles[(size_t)i];
}

template <class P>
IMouseProfile* CProfileList<P>::NewProfile(const wchar_t* name)
{
    P* profile = new P(name);
    m_profiles.push_back(profile);
    SetStageCapacity(5, profile);
    SetNewProfileDefaults(profile);
    return profile;
}

template <class P>
IMouseProfile* CProfileList<P>::DuplicateProfile(IMouseProfile* profile)
{
    P* source = Owned(profile);
    if (!source)
        return nullptr;
    P* copy = new P(*source);
    m_profiles.push_back(copy);
    return copy;
}

template <class P>
IMouseProfile* CProfileList<P>::GetProfile(uint32_t index) const
{
    return index < m_profiles.size() ? m_profiles[index] : nullptr;
}

template <class P>
IMouseProfile* CProfileList<P>::FindProfileByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const
{
    const GUID wanted = GuidFromWords(w0, w1, w2, w3);
    for (P* p : m_profiles) {
        GUID g;
        p->GetGuid(g);
        if (GuidEquals(g, wanted))
            return p;
    }
    return nullptr;
}

template <class P>
IMouseProfile* CProfileList<P>::FindProfileByName(const wchar_t* name) const
{
    if (!name)
        return nullptr;
    for (P* p : m_profiles)
        if (_wcsicmp(p->GetName(), name) == 0)
            return p;
    return nullptr;
}

// The renamed profile is replaced by a copy at the same position; callers
// keep only the returned pointer. A null name is refused like an unchanged
// one rather than raised as an error.
template <class P>
IMouseProfile* CProfileList<P>::RenameProfile(IMouseProfile* profile, const wchar_t* name)
{
    if (!profile || !name || wcscmp(profile->GetName(), name) == 0)
        return nullptr;
    profile->SetName(name);
    int index = IndexOf(profile);
    if (index < 0)
        return nullptr;
    P* old = m_profiles[(size_t)index];
    P* copy = new P(*old);
    m_profiles[(size_t)index] = copy;
    if (old->HasFile()) {
        // The old file goes only once the copy is safely written.
        if (SaveProfiles(copy))
            DeleteFileW(old->GetFilePath());
    }
    if (m_active == old)
        m_active = copy;
    delete old;
    return copy;
}

template <class P>
IMouseProfile* CProfileList<P>::CopyProfile(IMouseProfile* profile, const wchar_t* name)
{
    P* source = Owned(profile);
    if (!source || !name || wcscmp(source->GetName(), name) == 0)
        return nullptr;
    P* copy = new P(*source);
    copy->SetName(name);
    copy->SetGuid(0, 0, 0, 0);
    m_profiles.push_back(copy);
    return copy;
}

template <class P>
void CProfileList<P>::DeleteProfile(IMouseProfile* profile)
{
    int index = IndexOf(profile);
    if (index < 0)
        return;
    P* p = m_profiles[(size_t)index];
    if (m_active == p)
        m_active = nullptr;
    if (p->HasFile())
        DeleteFileW(p->GetFilePath());
    m_profiles.erase(m_profiles.begin() + index);
    delete p;
}

// Only a profile of this list (or none) can become active.
template <class P>
void CProfileList<P>::SetActiveProfile(IMouseProfile* profile)
{
    if (!profile)
        m_active = nullptr;
    else if (P* p = Owned(profile))
        m_active = p;
}

template class CProfileList<CVeskProfile>;
