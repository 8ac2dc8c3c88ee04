// The device service's object model in the test's own process, reached by
// the tray's client instead of the server: each test starts from the
// service's default state (the wireless mouse attached, five profiles) with
// an empty call log. Events arrive when this thread pumps messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ComPtr.h"
#include "DeviceService.h"

class TrayServiceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IServiceControl* Control() const { return m_control.Get(); }
    // Successful calls of an operation in the log ("IConnectionPoint.Advise").
    int CountCalls(const wchar_t* operation) const;
    // Sinks the service holds: advises minus unadvises that succeeded.
    int HeldSinks() const;
    // A profile of an attached product, by index.
    ComPtr<IProfile> ProfileAt(LONG index, ULONG productId = 0x1F) const;
    // Sets a profile's flags (bit 0 link, 1 sensitivity display, 2 profile
    // display) and linked program.
    void SetProfileProperties(LONG index, USHORT flags, const wchar_t* linkedApp, ULONG productId = 0x1F);

private:
    ComPtr<IDeviceCollection> m_collection;
    ComPtr<IServiceControl> m_control;
    bool m_com = false;
};
