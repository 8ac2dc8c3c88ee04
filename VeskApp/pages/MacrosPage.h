// The macros page: recording, editing, importing and exporting macros.
#pragma once
#include "PageModule.h"

class CMacrosPage : public CPageModule {
public:
    explicit CMacrosPage(IPageHost& host) : CPageModule(host, PAGE_MACROS) {}
};
