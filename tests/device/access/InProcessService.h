// The device service's object model in this process, standing in for the
// server: device code that creates the service's collection gets the
// in-process one. Each test starts from the service's default state (only
// the wireless mouse attached) with an empty call log.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ComPtr.h"
#include "DeviceService.h"

class InProcessServiceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IServiceControl* Control() const { return control_.Get(); }
    // The service's call log since the last ClearLog, one call a line.
    std::wstring Log() const;
    void ClearLog() const;
    // How many log lines start with operation ("IPowerSettings." counts a
    // whole interface).
    int CountCalls(const std::wstring& operation) const;

private:
    ComPtr<IServiceControl> control_;
    bool com_ = false;
};
