// The lights of the active profile as the dialog keeps them: the values a
// preview sends, the copy kept so that closing without Apply can put the
// device's lights back, and the profiles' two snapshots around a write.
// Plain logic on the configuration; no window, no device.
#pragma once
#include <cstdint>

class IMouseConfig;
class IMouseProfile;

// Snapshot blocks of a profile: what the user last saw (live) and what was
// last written to the device (applied).
enum LightSnapshotBlock : int { kLiveSnapshot = 1, kAppliedSnapshot = 2 };

// The five values a lighting preview sends.
struct LightingValues {
    uint32_t level = 0;  // zone 0
    int colour = 0;      // zone 0
    int effect = 0;      // zone 0
    bool zone3On = false;
    bool zone0On = false;
    bool operator==(const LightingValues& o) const
    {
        return level == o.level && colour == o.colour && effect == o.effect && zone3On == o.zone3On &&
               zone0On == o.zone0On;
    }
};

// The active profile's values; false when no profile is active.
bool ActiveLightingValues(const IMouseConfig& config, LightingValues& out);

// Saves or applies one snapshot block of a profile; false when the profile
// is not this program's kind or the block is not valid.
bool SaveLightSnapshot(IMouseProfile* profile, int block);
bool ApplyLightSnapshot(IMouseProfile* profile, int block);

class CLightingState {
public:
    // Keeps the active profile's lights (its applied snapshot too). Nothing
    // without an active profile.
    void Save(IMouseConfig& config, int modelFlag);
    // Keeps the active profile's lights in its live snapshot, then puts the
    // kept values back into it. Nothing without an active profile or before
    // a Save.
    void Restore(IMouseConfig& config, int modelFlag);
    bool HasKept() const { return m_kept; }

private:
    bool m_kept = false;
    // Wireless models.
    int m_colour = 0;
    uint32_t m_level = 0;
    bool m_cycling = false;
    // Wired models.
    bool m_zone3On = false;
    bool m_zone0On = false;
};

// Before a write: the active profile's lights go into its live snapshot,
// then every profile takes its live snapshot back.
void PrepareSnapshotsForWrite(IMouseConfig& config);
// Once the write has started: every profile's lights become its applied
// snapshot.
void SettleSnapshotsAfterWrite(IMouseConfig& config);
// Closing after a read-back: the active profile takes its applied snapshot
// back; false when there is none (or no active profile).
bool RestoreAppliedLighting(IMouseConfig& config);
