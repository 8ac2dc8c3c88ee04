#include "PageModules.h"

#include "AssignButtonsPage.h"
#include "AssignKeysPage.h"
#include "LightingPage.h"
#include "MacrosPage.h"
#include "PerformancePage.h"
#include "ProfilesPage.h"

PageModuleList CreatePageModules(IPageHost& host)
{
    PageModuleList modules;
    auto buttons = std::make_unique<CAssignButtonsPage>(host);
    auto profiles = std::make_unique<CProfilesPage>(host);
    // Restoring a profile's defaults rebuilds the profile list and sends the
    // restored lights. The modules live and go together.
    ProfileUi* profileList = profiles.get();
    buttons->Hooks().fillProfileList = [profileList] { profileList->FillProfileList(); };
    buttons->Hooks().sendLighting = [&host] { host.StartSendLighting(); };
    modules.push_back(std::move(buttons));
    modules.push_back(std::make_unique<CAssignKeysPage>(host));
    modules.push_back(std::make_unique<CPerformancePage>(host));
    modules.push_back(std::move(profiles));
    modules.push_back(std::make_unique<CMacrosPage>(host));
    modules.push_back(std::make_unique<CLightingPage>(host));
    return modules;
}
