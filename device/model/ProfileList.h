// CProfileList: the owning list of a configuration's profiles, with the
// active one. Parameterised by the profile class.
#pragma once
#include <type_traits>
#include <vector>
#include "MouseConfigInterface.h"

template <class P>
class CProfileList : public virtual IMouseConfig {
public:
    CProfileList() = default;
    CProfileList(const CProfileList&) = delete;
    CProfileList& operator=(const CProfileList&) = delete;
    virtual ~CProfileList();

    void ClearProfiles() override;
    uint32_t GetProfileCount() const override { return (uint32_t)m_profiles.size(); }
    IMouseProfile* NewProfile(const wchar_t* name) override;
    IMouseProfile* DuplicateProfile(IMouseProfile* profile) override;
    IMouseProfile* GetProfile(uint32_t index) const override;
    IMouseProfile* FindProfileByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const override;
    IMouseProfile* FindProfileByName(const wchar_t* name) const override;
    IMouseProfile* RenameProfile(IMouseProfile* profile, const wchar_t* name) override;
    IMouseProfile* CopyProfile(IMouseProfile* profile, const wchar_t* name) override;
    void DeleteProfile(IMouseProfile* profile) override;
    IMouseProfile* GetActiveProfile() const override { return m_active; }
    void SetActiveProfile(IMouseProfile* profile) override;

protected:
    // Gives a profile that NewProfile just made its defaults: that profile's
    // own values only, never the mouse-wide ones.
    virtual void SetNewProfileDefaults(IMouseProfile* profile) = 0;
    // The given profile, else the active one; null when there is neither.
    IMouseProfile* Pick(IMouseProfile* profile) const { return profile ? profile : m_active; }
    // Calls a setter on the given or active profile; nothing without one.
    template <class... A, class... V>
    void OnProfile(IMouseProfile* profile, void (IMouseProfile::*setter)(A...), const V&... args) const
    {
        if (IMouseProfile* p = Pick(profile))
            (p->*setter)(args...);
    }
    // A getter's answer for the given or active profile, else none.
    template <class R, class... A, class... V>
    R FromProfile(IMouseProfile* profile, R (IMouseProfile::*getter)(A...) const,
                  typename std::enable_if<true, R>::type none, const V&... args) const
    {
        IMouseProfile* p = Pick(profile);
        return p ? (p->*getter)(args...) : none;
    }
    // Position of a profile this list owns; -1 for any other pointer.
    int IndexOf(const IMouseProfile* profile) const;
    P* Owned(const IMouseProfile* profile) const;

    std::vector<P*> m_profiles;  // in creation order, owned
    P* m_active = nullptr;
};
