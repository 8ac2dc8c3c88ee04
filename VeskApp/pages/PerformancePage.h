// The performance page: sensitivity, X/Y, acceleration, report rate and stages.
#pragma once
#include "PageModule.h"

class CPerformancePage : public CPageModule {
public:
    explicit CPerformancePage(IPageHost& host) : CPageModule(host, PAGE_PERFORMANCE) {}
};
