// CVeskProfile: the profile class of this mouse. Adds the allowed-function
// rules and two lighting snapshots for rolling back a cancelled edit.
#pragma once
#include "MouseProfile.h"

// What a snapshot keeps of zone 0 and zone 3.
struct LightSnapshot {
    bool valid = false;
    bool effectIs5 = false;
    int zone0Level = 0;
    int zone0Color = 0;
    bool zone3On = false;
    bool zone0On = false;
};

class CVeskProfile : public CMouseProfile, public virtual IMouseProfile {
public:
    CVeskProfile() = default;
    explicit CVeskProfile(const wchar_t* name) : CMouseProfile(name) {}
    // A copy has the same name and GUID; its snapshots are invalid.
    CVeskProfile(const CVeskProfile& source);
    CVeskProfile& operator=(const CVeskProfile&) = delete;

    bool IsFunctionTypeAllowed(int type, int button) const override;
    bool IsKeyFunctionTypeAllowed(int type) const override { return IsFunctionTypeAllowed(type, 0); }
    void GetAllowedFunctionTypes(std::vector<int>& out, int button) const override;

    // Block 1 or 2; any other number is refused.
    bool SaveLightSnapshot(int block);
    bool ApplyLightSnapshot(int block);

private:
    LightSnapshot* Snapshot(int block);

    LightSnapshot m_snapshots[2];
};
