// The profiles page and the current-profile strip.
#pragma once
#include "PageModule.h"

class CProfilesPage : public CPageModule {
public:
    explicit CProfilesPage(IPageHost& host) : CPageModule(host, PAGE_PROFILES) {}
};
