// CVeskConfig: the configuration of this mouse, the one IMouseConfig the
// configurator creates.
#pragma once
#include "MouseConfig.h"
#include "VeskProfile.h"

class CVeskConfig : public CMouseConfig<CVeskProfile>, public virtual IMouseConfig {
public:
    // Builds the active-profile file's paths under the executable's folder.
    CVeskConfig();
    ~CVeskConfig() override = default;

    const wchar_t* GetProfileExtension() const override { return L"qvp"; }
};
