// CBaseProfile: the device-independent part of a profile (names, GUID,
// flags, key assignments and lighting zones).
#pragma once
#include <map>
#include <string>
#include "MouseProfileInterface.h"

// One lighting zone. Colour is 0x00BBGGRR, effect 0-5, level 0-100.
struct ZoneSetting {
    uint8_t on = 0;
    int color = 0;
    int effect = 0;
    int level = 100;
};

class CBaseProfile : public virtual IMouseProfile {
public:
    CBaseProfile() = default;
    explicit CBaseProfile(const wchar_t* name) : m_name(name ? name : L"") {}
    CBaseProfile(const CBaseProfile&) = delete;
    CBaseProfile& operator=(const CBaseProfile&) = delete;
    virtual ~CBaseProfile() = default;

    virtual void CopyBaseFrom(const CBaseProfile& source);

    const wchar_t* GetName() const override { return m_name.c_str(); }
    void SetName(const wchar_t* name) override { m_name = name ? name : L""; }
    void GetGuid(GUID& out) const override { out = m_guid; }
    void SetGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) override;
    bool HasFile() const override { return !m_filePath.empty(); }
    const wchar_t* GetFilePath() const override { return m_filePath.c_str(); }
    const wchar_t* GetLinkedAppName() const override { return m_linkedAppName.c_str(); }
    void SetLinkedAppName(const wchar_t* name) override { m_linkedAppName = name ? name : L""; }
    const wchar_t* GetLinkedAppPath() const override { return m_linkedAppPath.c_str(); }
    void SetLinkedAppPath(const wchar_t* path) override;
    void SetKeyAssignment(int key, const AssignmentRecord& record) override;
    void GetKeyAssignment(AssignmentRecord& out, int key) override;
    virtual bool IsKeyFunctionTypeAllowed(int type) const = 0;
    void SetZoneOn(int zone, uint8_t on) override { Zone(zone).on = on; }
    uint8_t GetZoneOn(int zone) const override;
    void SetZoneColor(int zone, int color) override { Zone(zone).color = color; }
    int GetZoneColor(int zone) const override;
    void SetZoneEffect(int zone, int effect) override { Zone(zone).effect = effect; }
    int GetZoneEffect(int zone) const override;
    void SetZoneLevel(int zone, uint32_t level) override;
    uint32_t GetZoneLevel(int zone) const override;
    void SetAppLinkEnabled(uint8_t on) override { m_appLinkEnabled = on; }
    uint8_t GetAppLinkEnabled() const override { return m_appLinkEnabled; }
    void SetProfileOsd(uint8_t on) override { m_profileOsd = on; }
    uint8_t GetProfileOsd() const override { return m_profileOsd; }
    // Profiles come from the device; there is no file format of their own.
    bool SaveToFile(const wchar_t*, const wchar_t*, const wchar_t*) override { return false; }
    bool LoadFromFile(const wchar_t*, const wchar_t*, const wchar_t*) override { return false; }

protected:
    // The zone, created as {off, 0, 0, 100} when an operation first names it.
    ZoneSetting& Zone(int zone) { return m_zones[zone]; }
    const ZoneSetting* FindZone(int zone) const;

    std::map<int, AssignmentRecord> m_keyAssignments;  // by key id
    std::map<int, ZoneSetting> m_zones;
    std::wstring m_name;
    std::wstring m_linkedAppPath;
    std::wstring m_linkedAppName;
    std::wstring m_filePath;  // nothing sets it: profiles have no files
    GUID m_guid = {};
    uint8_t m_appLinkEnabled = 0;
    uint8_t m_profileOsd = 1;
};
