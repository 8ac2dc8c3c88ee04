// The worker gate with the lighting sender, and the lighting state kept
// around writes and closing.
#include <gtest/gtest.h>

#include <vector>

#include "LightingSender.h"
#include "LightingState.h"
#include "ModelFlags.h"
#include "RecordingWnd.h"
#include "VeskConfig.h"

TEST(Workers, ThreeSendsRunInTurnAFourthIsDroppedAndTheNewestValuesStillGo)
{
    CWorkerGate gate;
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<uint32_t> sent;  // levels, in the order sent (one sender at a time)
    std::vector<LONG> counted;   // the gate's count as each sender's turn comes
    volatile LONG sending = 0;
    CLightingSender sender(gate, [&](const LightingValues& v) {
        counted.push_back(gate.Count());
        if (::InterlockedIncrement(&sending) == 1)
            ::WaitForSingleObject(release, 10000);
        sent.push_back(v.level);
    });
    LightingValues v;
    for (uint32_t level = 1; level <= 3; ++level) {
        v.level = level;
        sender.SetLatest(v);
        ASSERT_TRUE(sender.Start());
        // The first is sending (it has read its values); the others wait.
        ASSERT_TRUE(PumpUntil([&] { return sending == 1 && gate.Count() == (LONG)level; }));
    }
    v.level = 4;
    sender.SetLatest(v);
    ASSERT_TRUE(sender.Start());
    ASSERT_TRUE(PumpUntil([&] { return sender.Dropped() == 1; }));
    ::SetEvent(release);
    sender.Join();
    ::CloseHandle(release);
    // The first had read its values; the two that waited read the newest.
    EXPECT_EQ((std::vector<uint32_t>{1, 4, 4}), sent);
    // One that left is counted out before the next one's turn: a count
    // still holding it would turn a new sender away for nothing.
    EXPECT_EQ((std::vector<LONG>{1, 2, 1}), counted);
    EXPECT_EQ(0, gate.Count());
}

TEST(Workers, LightingStateKeepsTheModelsValuesAndSnapshotsSettleOnlyAfterAWrite)
{
    CVeskConfig config;
    LightingValues none;
    EXPECT_FALSE(ActiveLightingValues(config, none));  // no profile: nothing to send
    config.SetActiveProfile(config.NewProfile(L"One"));
    config.SetZoneColor(0, 0x112233, nullptr);
    config.SetZoneLevel(0, 50, nullptr);
    config.SetZoneEffect(0, 5, nullptr);
    config.SetZoneOn(3, 1, nullptr);

    CLightingState wireless;
    wireless.Save(config, MODEL_WIRELESS);
    config.SetZoneColor(0, 0x445566, nullptr);
    config.SetZoneEffect(0, 0, nullptr);
    config.SetZoneOn(3, 0, nullptr);
    wireless.Restore(config, MODEL_WIRELESS);
    LightingValues v;
    ASSERT_TRUE(ActiveLightingValues(config, v));
    EXPECT_EQ(0x112233, v.colour);
    EXPECT_EQ(5, v.effect);
    EXPECT_FALSE(v.zone3On);  // the wireless models keep no switch

    CLightingState wired;
    config.SetZoneOn(3, 1, nullptr);
    wired.Save(config, MODEL_WIRED);
    config.SetZoneOn(3, 0, nullptr);
    config.SetZoneColor(0, 0x778899, nullptr);
    wired.Restore(config, MODEL_WIRED);
    ASSERT_TRUE(ActiveLightingValues(config, v));
    EXPECT_TRUE(v.zone3On);
    EXPECT_EQ(0x778899, v.colour);  // the wired models keep no colour

    // Prepared but not settled: the applied snapshot is still the old one.
    IMouseProfile* other = config.NewProfile(L"Two");
    config.SetZoneColor(0, 0xABCDEF, nullptr);
    PrepareSnapshotsForWrite(config);
    EXPECT_EQ(0xABCDEF, config.GetZoneColor(0, nullptr));
    config.SetZoneColor(0, 0x000001, nullptr);
    ASSERT_TRUE(RestoreAppliedLighting(config));
    EXPECT_EQ(0x112233, config.GetZoneColor(0, nullptr));
    config.SetZoneColor(0, 0xABCDEF, nullptr);
    SettleSnapshotsAfterWrite(config);
    config.SetZoneColor(0, 0x000001, nullptr);
    ASSERT_TRUE(RestoreAppliedLighting(config));
    EXPECT_EQ(0xABCDEF, config.GetZoneColor(0, nullptr));
    EXPECT_TRUE(ApplyLightSnapshot(other, kAppliedSnapshot));  // every profile settled
}
