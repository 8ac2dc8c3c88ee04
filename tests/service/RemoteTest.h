// The base of the tests that reach the prefix's one server across
// processes: each starts from the default state with no faults and an empty
// call log, and leaves no faults behind.
#pragma once

#include <gtest/gtest.h>

#include "ServiceClient.h"

class RemoteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        control_ = ConnectControl();
        ASSERT_TRUE(control_) << "device service not reachable";
        ASSERT_EQ(S_OK, control_->Reset());
        control_->ClearFaults();
        control_->ClearCallLog();
    }
    void TearDown() override
    {
        if (control_) control_->ClearFaults();
        control_.Reset();
        ::CoUninitialize();
    }
    Ptr<IServiceControl> control_;
};
