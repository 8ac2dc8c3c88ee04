#include "LinkedProfile.h"

int ChooseLinkedProfile(const std::vector<_Profile_Setting_>& settings, const CString& activeName,
                        const std::function<bool(const CString&)>& isForeground)
{
    for (size_t i = 0; i < settings.size(); ++i) {
        const _Profile_Setting_& s = settings[i];
        if (!s.appLinkEnabled || s.linkedAppPath.IsEmpty() || !isForeground(s.linkedAppPath))
            continue;
        return s.name == activeName ? -1 : static_cast<int>(i);
    }
    return -1;
}
