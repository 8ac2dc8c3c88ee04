// The service's object model in this process: the fixture of the library
// tests. State lives in memory only, and events are delivered when this
// thread pumps messages.
#pragma once

#include <gtest/gtest.h>

#include "ServiceClient.h"
#include "ServiceObjects.h"

class LocalService : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The first attached device with that product id, and its lists.
    Ptr<IDevice> Device(ULONG productId = 0x1F);
    Ptr<IProfileManager> Profiles(ULONG productId = 0x1F);
    Ptr<IMacroManager> Macros(ULONG productId = 0x1F);
    Ptr<IProfile> ProfileAt(LONG index, ULONG productId = 0x1F);

    Ptr<IDeviceCollection> collection_;
    Ptr<IServiceControl> control_;
};

// The four words the Find methods take.
struct GuidWords {
    explicit GuidWords(const GUID& g);
    ULONG w[4];
};
GUID IdOf(IProfile* profile);
GUID IdOf(IMacro* macro);
