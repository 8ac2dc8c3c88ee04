// Switching to the profile linked to the program in the foreground.
#pragma once
#include <functional>
#include <vector>

#include "ProfileSetting.h"

// The index of the profile to activate: the first profile, in the device's
// order, whose program link is on and whose program name the foreground
// program has (isForeground decides, exactly). -1 when there is none, or
// when that first match is already the active profile.
int ChooseLinkedProfile(const std::vector<_Profile_Setting_>& settings, const CString& activeName,
                        const std::function<bool(const CString&)>& isForeground);
