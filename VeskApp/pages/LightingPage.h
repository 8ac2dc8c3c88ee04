// The lighting and maintenance page: lights, power settings, battery and versions.
#pragma once
#include "PageModule.h"

class CLightingPage : public CPageModule {
public:
    explicit CLightingPage(IPageHost& host) : CPageModule(host, PAGE_LIGHTING) {}
};
