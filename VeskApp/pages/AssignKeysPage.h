// The key assignment page: a function for each of the twelve thumb-grid keys.
#pragma once
#include "PageModule.h"

class CAssignKeysPage : public CPageModule {
public:
    explicit CAssignKeysPage(IPageHost& host) : CPageModule(host, PAGE_KEYS) {}
};
