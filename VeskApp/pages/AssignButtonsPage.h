// The button assignment page: a function for each mouse button.
#pragma once
#include "PageModule.h"

class CAssignButtonsPage : public CPageModule {
public:
    explicit CAssignButtonsPage(IPageHost& host) : CPageModule(host, PAGE_BUTTONS) {}
};
