// The main page's status pieces as plain rules: the battery segments at
// each poll tick, and which device-change notice means the running model
// went away.
#pragma once
#include <windows.h>

#include <cstdint>

// The number of battery segments shown after each tick: segments 0..count
// show, -1 shows none.
class CBatterySegments {
public:
    // state: 0 on battery, 1 charging (the segments count up, a moving
    // display), anything else none; level in percent.
    int Tick(int state, uint32_t level, bool statusRead);
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

// Whether segment i (0-3) shows for a Tick result.
inline bool BatterySegmentShown(int i, int count) { return count >= 0 && i <= count; }

// Whether a WM_DEVICECHANGE notice (event, lParam) reports that the device
// interface of the running model was removed: a removal of a device
// interface whose path names vendor 0x2F7C and the model's product. The
// notice's path is read only within the size the notice gives.
bool IsRunningModelRemoval(UINT event, LPARAM data, int modelFlag);
