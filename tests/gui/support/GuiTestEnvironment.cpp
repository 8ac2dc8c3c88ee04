// Every gui test runs with the keyword tables built, as the programs do
// before they load any skin file, and with the build's program folder.
#include <gtest/gtest.h>

#include "KeywordTables.h"
#include "ProgramFolder.h"
#include "SkinTestFiles.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        BuildKeywordMaps();
        // Skin files come from the build's program folder (the working
        // directory), not from the folder of the test program.
        SetProgramFolder(RealProgramFolder().c_str());
    }
    void TearDown() override { RemoveTestProgramFolder(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
