#include "DeviceGuid.h"
#include "Macro.h"
#include "StepsFixture.h"

using namespace featuresteps;

namespace {

const std::vector<MacroEvent> kEvents = {
    {MacroEvent::kKey, 0x1E, 255}, {MacroEvent::kDelay, 40, 0}, {MacroEvent::kKey, 0x1E, 1},
    {MacroEvent::kMouseButton, 2, 255}, {MacroEvent::kMouseButton, 2, 1},
};

}  // namespace

class MacroStepsTest : public StepsTest {
protected:
    size_t DeviceMacroCount() const
    {
        size_t n = 0;
        EditDevice([&](tkservice::DeviceState& d) { n = d.macros.size(); });
        return n;
    }
};

TEST_F(MacroStepsTest, MacrosRoundTripAndTheDeviceFollowsTheConfiguration)
{
    CMacro* a = config.AddMacro(L"Alpha");
    a->events = kEvents;
    CMacro* b = config.AddMacro(L"Beta");
    b->events = {{MacroEvent::kDelay, 5, 0}};
    ASSERT_TRUE(WriteMacros(Device(), config));
    EXPECT_EQ(2, CountCalls(L"IMacroManager.Create"));
    ASSERT_FALSE(IsNullGuid(a->guid));
    const GUID alpha = a->guid;

    // Unchanged macros send nothing; a changed one sends its events, and a
    // renamed one its name; one the configuration dropped is removed.
    ClearLog();
    ASSERT_TRUE(WriteMacros(Device(), config));
    EXPECT_EQ(0, CountCalls(L"IMacro.Set"));
    a->events.pop_back();
    b->SetName(L"Gamma");
    config.AddMacro(L"Delta");
    ASSERT_TRUE(WriteMacros(Device(), config));
    config.DeleteMacro(config.FindMacroByName(L"Delta"));
    ClearLog();
    ASSERT_TRUE(WriteMacros(Device(), config));
    EXPECT_EQ(1, CountCalls(L"IMacroManager.Remove"));
    EXPECT_EQ(2u, DeviceMacroCount());

    CVeskConfig fresh;
    ASSERT_TRUE(ReadMacros(Device(), fresh));
    ASSERT_EQ(2u, fresh.GetMacroCount());
    CMacro* readA = fresh.FindMacroByGuid(((const uint32_t*)&alpha)[0], ((const uint32_t*)&alpha)[1],
                                          ((const uint32_t*)&alpha)[2], ((const uint32_t*)&alpha)[3]);
    ASSERT_NE(nullptr, readA);
    EXPECT_TRUE(readA->IsEqual(*a));
    ASSERT_NE(nullptr, fresh.FindMacroByName(L"Gamma"));
    EXPECT_TRUE(fresh.FindMacroByName(L"Gamma")->IsEqual(*b));
}

TEST_F(MacroStepsTest, AMacroReadSkipsNamesAlreadyTakenAndDropsUnreadableOnes)
{
    config.AddMacro(L"One")->events = kEvents;
    config.AddMacro(L"Two")->events = kEvents;
    ASSERT_TRUE(WriteMacros(Device(), config));
    EditDevice([](tkservice::DeviceState& d) { d.macros[1]->name = L"ONE"; });

    CVeskConfig fresh;
    EXPECT_TRUE(ReadMacros(Device(), fresh));
    ASSERT_EQ(1u, fresh.GetMacroCount());
    EXPECT_STREQ(L"One", fresh.GetMacro(0)->GetName());

    CVeskConfig failing;
    Control()->SetFault(L"IMacro.GetEvents", E_FAIL, 0, 1);
    EXPECT_FALSE(ReadMacros(Device(), failing));
    EXPECT_EQ(1u, failing.GetMacroCount());
}

TEST_F(MacroStepsTest, MacroImportRefusesDuplicatesAndCorruptFiles)
{
    CMacro* m = config.AddMacro(L"Shared");
    m->events = kEvents;
    ASSERT_TRUE(WriteMacros(Device(), config));
    TempFile file(L"macro.qvm");
    ASSERT_TRUE(ExportMacro(Device(), file.Path(), *m));

    // The file's macro has a name the configuration holds.
    EXPECT_FALSE(ImportMacro(Device(), file.Path(), config));
    EXPECT_EQ(1u, config.GetMacroCount());
    EXPECT_EQ(1u, DeviceMacroCount());

    // Under another name it comes in, with a new GUID and its events.
    config.DeleteMacro(m);
    ASSERT_TRUE(ImportMacro(Device(), file.Path(), config));
    ASSERT_EQ(1u, config.GetMacroCount());
    EXPECT_EQ(kEvents, config.GetMacro(0)->events);
    EXPECT_TRUE(MacroExists(Device(), *config.GetMacro(0)));

    TempFile bad(L"bad.qvm");
    ASSERT_TRUE(bad.Write("not a macro file at all"));
    EXPECT_FALSE(ImportMacro(Device(), bad.Path(), config));
    EXPECT_EQ(1u, config.GetMacroCount());
    EXPECT_EQ(2u, DeviceMacroCount());

    CMacro unsent(L"Unsent", {});
    EXPECT_FALSE(MacroExists(Device(), unsent));
    EXPECT_FALSE(ExportMacro(Device(), file.Path(), unsent));
}
