// Every gui test runs with the keyword tables built, as the programs do
// before they load any skin file.
#include <gtest/gtest.h>

#include "KeywordTables.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { BuildKeywordMaps(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
