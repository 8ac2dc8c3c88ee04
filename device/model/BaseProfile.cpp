#include "BaseProfile.h"
#include "DeviceGuid.h"

void CBaseProfile::CopyBaseFrom(const CBaseProfile& source)
{
    m_name = source.m_name;
    m_linkedAppName = source.m_linkedAppName;
    m_linkedAppPath = source.m_linkedAppPath;
    m_filePath = source.m_filePath;
    m_guid = source.m_guid;
    m_appLinkEnabled = source.m_appLinkEnabled;
    m_profileOsd = source.m_profileOsd;
    m_keyAssignments = source.m_keyAssignments;
    m_zones = source.m_zones;
}

void CBaseProfile::SetGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
{
    m_guid = GuidFromWords(w0, w1, w2, w3);
}

// The linked program as the device names it: the file name with its
// extension, each part cut to 255 characters.
void CBaseProfile::SetLinkedAppPath(const wchar_t* path)
{
    m_linkedAppPath = path ? path : L"";
    const size_t kPartChars = 255;
    size_t slash = m_linkedAppPath.find_last_of(L"\\/:");
    std::wstring file = slash == std::wstring::npos ? m_linkedAppPath : m_linkedAppPath.substr(slash + 1);
    size_t dot = file.rfind(L'.');
    std::wstring stem = dot == std::wstring::npos ? file : file.substr(0, dot);
    std::wstring ext = dot == std::wstring::npos ? std::wstring() : file.substr(dot);
    m_linkedAppName = stem.substr(0, kPartChars) + ext.substr(0, kPartChars);
}

void CBaseProfile::SetKeyAssignment(int key, const AssignmentRecord& record)
{
    if (IsKeyFunctionTypeAllowed(record.type))
        m_keyAssignments[key] = record;
}

void CBaseProfile::GetKeyAssignment(AssignmentRecord& out, int key)
{
    auto it = m_keyAssignments.find(key);
    if (it == m_keyAssignments.end())
        it = m_keyAssignments.emplace(key, AssignmentRecord::Empty()).first;
    out = it->second;
}

const ZoneSetting* CBaseProfile::FindZone(int zone) const
{
    auto it = m_zones.find(zone);
    return it == m_zones.end() ? nullptr : &it->second;
}

uint8_t CBaseProfile::GetZoneOn(int zone) const
{
    const ZoneSetting* z = FindZone(zone);
    return z ? z->on : 0;
}

int CBaseProfile::GetZoneColor(int zone) const
{
    const ZoneSetting* z = FindZone(zone);
    return z ? z->color : 0;
}

int CBaseProfile::GetZoneEffect(int zone) const
{
    const ZoneSetting* z = FindZone(zone);
    return z ? z->effect : 0;
}

void CBaseProfile::SetZoneLevel(int zone, uint32_t level)
{
    Zone(zone).level = (int)(level > 100 ? 100 : level);
}

uint32_t CBaseProfile::GetZoneLevel(int zone) const
{
    const ZoneSetting* z = FindZone(zone);
    return z ? (uint32_t)z->level : 0;
}
