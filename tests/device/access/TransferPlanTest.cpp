// Which steps a transfer runs for a model, direction and mask.
#include <gtest/gtest.h>

#include "DeviceDescriptor.h"
#include "GenDevice.h"
#include "TransferPlan.h"

namespace {

const DeviceDescriptor& Wireless() { return *FindKnownDevice(0x1F); }
const DeviceDescriptor& Wired() { return *FindKnownDevice(0x15); }

}  // namespace

TEST(TransferPlan, ApplyToTheWiredMouseSendsNoPowerSettingsAndNothingForTheUnitVersion)
{
    TransferPlan p = PlanTransfer(Wired(), kTransferWrite, 0x2FFF);
    EXPECT_TRUE(p.profiles);
    EXPECT_TRUE(p.properties && p.sensitivity && p.buttons && p.keys && p.lighting);
    EXPECT_TRUE(p.acceleration && p.reportRate && p.macros && p.setActiveProfile);
    EXPECT_FALSE(p.powerSettings);
    EXPECT_FALSE(p.unitVersion);
    EXPECT_FALSE(p.battery);

    TransferPlan w = PlanTransfer(Wireless(), kTransferWrite, 0x2FFF);
    EXPECT_TRUE(w.powerSettings);
    // Battery and unit version are read-only features.
    EXPECT_FALSE(w.battery);
    EXPECT_FALSE(w.unitVersion);
}

TEST(TransferPlan, StartUpReadLeavesTheKeysAndBatteryOut)
{
    TransferPlan r = PlanTransfer(Wireless(), kTransferRead, 0x1B7D);
    EXPECT_TRUE(r.profiles);
    EXPECT_TRUE(r.properties && r.sensitivity && r.buttons && r.lighting);
    EXPECT_FALSE(r.keys);
    EXPECT_TRUE(r.acceleration && r.reportRate && r.macros && r.powerSettings && r.unitVersion);
    EXPECT_FALSE(r.battery);
    EXPECT_FALSE(r.setActiveProfile);

    TransferPlan dock = PlanTransfer(*FindKnownDevice(0x21), kTransferRead, 0xB7D);
    EXPECT_FALSE(dock.unitVersion);
    EXPECT_TRUE(dock.powerSettings);
    EXPECT_FALSE(PlanTransfer(Wired(), kTransferRead, 0x1B7D).unitVersion);
}

TEST(TransferPlan, ProfilesAreWalkedOnEveryWriteButOnReadsOnlyForProfileBits)
{
    TransferPlan write = PlanTransfer(Wireless(), kTransferWrite, 0x10);
    EXPECT_TRUE(write.profiles);
    EXPECT_FALSE(write.properties || write.sensitivity || write.buttons || write.keys || write.lighting);
    EXPECT_FALSE(write.setActiveProfile);
    EXPECT_TRUE(write.macros);

    EXPECT_FALSE(PlanTransfer(Wireless(), kTransferRead, 0x10).profiles);
    // 0x200 has no step of its own but still walks the profiles.
    EXPECT_TRUE(PlanTransfer(Wireless(), kTransferRead, 0x200).profiles);
    EXPECT_TRUE(PlanTransfer(Wireless(), kTransferRead, 0x2).keys);
}

TEST(TransferPlan, MaskLimitsAndModelsWithoutCodes)
{
    // The worker takes the mask as 16 bits.
    TransferPlan high = PlanTransfer(Wireless(), kTransferWrite, 0x10040);
    EXPECT_TRUE(high.acceleration);
    EXPECT_FALSE(high.macros);
    // No model lists code 9: bit 0x80 never does anything.
    TransferPlan apm = PlanTransfer(Wireless(), kTransferRead, 0x80);
    EXPECT_FALSE(apm.profiles || apm.acceleration || apm.reportRate || apm.macros);

    // Per-profile bits need code 1 as well as their own code.
    const uint32_t noProfiles[] = {2, 3, 5, 7, 10, 12};
    DeviceDescriptor bare = {0x99, noProfiles, 6, L"bare"};
    TransferPlan b = PlanTransfer(bare, kTransferWrite, 0x2FFF);
    EXPECT_FALSE(b.profiles || b.buttons || b.setActiveProfile);
    EXPECT_TRUE(b.acceleration);

    TransferPlan none = PlanTransfer(Wireless(), 2, 0xFFFF);
    EXPECT_FALSE(none.profiles || none.acceleration || none.powerSettings);
}
