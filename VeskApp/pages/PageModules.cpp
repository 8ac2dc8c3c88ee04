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
    modules.push_back(std::make_unique<CAssignButtonsPage>(host));
    modules.push_back(std::make_unique<CAssignKeysPage>(host));
    modules.push_back(std::make_unique<CPerformancePage>(host));
    modules.push_back(std::make_unique<CProfilesPage>(host));
    modules.push_back(std::make_unique<CMacrosPage>(host));
    modules.push_back(std::make_unique<CLightingPage>(host));
    return modules;
}
