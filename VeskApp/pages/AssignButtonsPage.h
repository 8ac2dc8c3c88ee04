// The button assignment page: a function for each mouse button and wheel
// direction, and restoring the active profile's defaults.
#pragma once
#include <functional>

#include "AssignPageBase.h"
#include "BitmapBtn.h"

class CAssignButtonsPage : public CAssignPageBase {
public:
    explicit CAssignButtonsPage(IPageHost& host);

    void Bind(const PageLists& lists) override;
    bool OnCommand(const Command& command) override;

    // What a restore of defaults asks of the other pages once the profile is
    // reset and the pages refreshed: the profiles page rebuilds its list, the
    // lighting page sends the restored lights. Empty until those pages set them.
    struct RestoreHooks {
        std::function<void()> fillProfileList;
        std::function<void()> sendLighting;
    };
    RestoreHooks& Hooks() { return m_hooks; }

    // BUTTON_RESET: confirm, then reset the active profile.
    void RestoreDefaults();

private:
    CBitmapBtn* m_reset = nullptr;
    RestoreHooks m_hooks;
};

// The confirmation's heading: "$RestoreDefaults" translated (or "Restore
// Defaults"), " : " and the profile's name, cut to 17 characters and "..."
// when longer than 20.
CString RestoreDefaultsHeading(const CString& profileName);
