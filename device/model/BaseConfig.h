// CBaseConfig: the device-independent part of a configuration: macros,
// linked applications, default assignments, CAPM entries, the profiles'
// key assignments, lighting zones and links, and the active-profile file.
#pragma once
#include <map>
#include "APM.h"
#include "Macro.h"
#include "ProfileList.h"
#include "QvApp.h"

template <class P>
class CBaseConfig : public CProfileList<P> {
public:
    virtual int GetLimit() const { return 1024; }
    virtual const wchar_t* GetProfileExtension() const = 0;

    uint32_t GetMacroCount() const override { return (uint32_t)m_macros.Count(); }
    uint32_t GetKeyAssignmentCount(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetKeyAssignmentCount, 0u);
    }
    void SetLinkedAppPath(const wchar_t* path, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetLinkedAppPath, path);
    }
    const wchar_t* GetLinkedAppPath(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetLinkedAppPath, nullptr);
    }
    void SetAppLinkEnabled(uint8_t on, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetAppLinkEnabled, on);
    }
    uint8_t GetAppLinkEnabled(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetAppLinkEnabled, 0);
    }
    void SetProfileOsdAll(uint8_t on) override;
    void SetProfileOsd(uint8_t on, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetProfileOsd, on);
    }
    uint8_t GetProfileOsd(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetProfileOsd, 0);
    }
    void SetKeyAssignment(int key, const AssignmentRecord& record, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetKeyAssignment, key, record);
    }
    void GetKeyAssignment(AssignmentRecord& out, int key, IMouseProfile* profile) override;
    uint32_t GetDefaultAssignmentCount() const override { return (uint32_t)m_defaultAssignments.size(); }
    void SetDefaultAssignment(int key, const AssignmentRecord& record) override;
    void GetDefaultAssignment(AssignmentRecord& out, int key) override;
    int GetDefaultAssignmentKey(int n) const override;
    void SetZoneOn(int zone, uint8_t on, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetZoneOn, zone, on);
    }
    uint8_t GetZoneOn(int zone, IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetZoneOn, 0, zone);
    }
    void SetZoneColor(int zone, int color, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetZoneColor, zone, color);
    }
    int GetZoneColor(int zone, IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetZoneColor, 0, zone);
    }
    void SetZoneEffect(int zone, int effect, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetZoneEffect, zone, effect);
    }
    int GetZoneEffect(int zone, IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetZoneEffect, 0, zone);
    }
    void SetZoneLevel(int zone, uint32_t level, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetZoneLevel, zone, level);
    }
    uint32_t GetZoneLevel(int zone, IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetZoneLevel, 0u, zone);
    }

    CMacro* AddMacro(const wchar_t* name) override { return m_macros.Add(name, {}); }
    void DeleteMacro(CMacro* macro) override { m_macros.Delete(macro); }
    CMacro* FindMacroByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const override;
    CMacro* FindMacroByName(const wchar_t* name) const override { return m_macros.FindByName(name); }
    CMacro* GetMacro(uint32_t index) const override { return m_macros.GetAt(index); }
    void SetReserved6(int) override {}
    bool GetReserved6() const override { return false; }
    void SetReserved7(int) override {}
    bool GetReserved7() const override { return false; }

    uint32_t GetAppCount() const override { return (uint32_t)m_apps.Count(); }
    CQvApp* AddApp(const wchar_t* name) override { return m_apps.Add(name); }
    void RemoveApp(CQvApp* app) override { m_apps.Remove(app); }
    CQvApp* FindAppByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const override;
    CQvApp* FindAppByName(const wchar_t* name) const override { return m_apps.FindByName(name); }
    CQvApp* GetApp(uint32_t index) const override { return m_apps.GetAt(index); }
    void SetReserved8(int) override {}
    int GetReserved9() const override { return 0; }
    void SetReserved10(int) override {}
    int GetReserved11() const override { return 0; }
    void SetReserved12(int) override {}
    int GetReserved13() const override { return 0; }
    void SetReserved14(int) override {}
    int GetReserved15() const override { return 0; }
    void SetReserved16(int) override {}
    int GetReserved17() const override { return 0; }
    void SetReserved18(int) override {}
    int GetReserved19() const override { return 0; }
    void SetReserved20(int) override {}
    int GetReserved21() const override { return 0; }
    void SetReserved22(int) override {}
    int GetReserved23() const override { return 0; }

    void LoadActiveProfileName() override;
    bool SaveActiveProfileName() override;
    int LoadProfiles() override;
    bool SaveProfiles(IMouseProfile* profile) override;
    int Reserved24() const override { return 0; }
    int Reserved25() const override { return 0; }
    int Reserved26() const override { return 0; }
    int Reserved27() const override { return 0; }
    int Reserved28() const override { return 0; }
    int Reserved29() const override { return 0; }

    uint32_t GetApmCount() const override { return (uint32_t)m_apms.Count(); }
    bool SetApmA(uint32_t index, int a) override { return m_apms.SetA(index, a); }
    bool SetApmBAndKey(uint32_t index, int b, int key) override { return m_apms.SetBAndKey(index, b, key); }
    bool GetApmA(uint32_t index, int& a) const override { return m_apms.GetA(index, a); }
    bool GetApmBAndKey(uint32_t index, int& b, int& key) const override
    {
        return m_apms.GetBAndKey(index, b, key);
    }
    bool AddApm(int a, int b, int key) override { return m_apms.Add(a, b, key); }
    bool Reserved32(int) override { return false; }
    void ClearApms() override { m_apms.Clear(); }

protected:
    using CProfileList<P>::Pick;

    CMacroList m_macros;
    CQvAppList m_apps;
    std::map<int, AssignmentRecord> m_defaultAssignments;  // only type 65
    CAPMList m_apms;
};
