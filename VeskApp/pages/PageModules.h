// The configurator's page modules, made in page order.
#pragma once
#include <memory>
#include <vector>

#include "PageModule.h"

using PageModuleList = std::vector<std::unique_ptr<CPageModule>>;

// One module per page, in ShowPage bit order (buttons, keys, performance,
// profiles, macros, lighting).
PageModuleList CreatePageModules(IPageHost& host);
