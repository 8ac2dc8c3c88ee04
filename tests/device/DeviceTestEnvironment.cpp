// Every device test runs with the keyword tables built and the keyboard
// definitions read from bin\, as the configurator has them before it
// creates its configuration.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "KeyboardDef.h"
#include "KeywordTables.h"

namespace {

std::vector<char> ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DeviceEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        BuildKeywordMaps();
        std::vector<char> defs = ReadFile("bin\\KbdDefWindows.bin");
        std::vector<char> defaults = ReadFile("bin\\KbdDefaultsWindows.bin");
        ASSERT_TRUE(g_keyboardDef.LoadKeyDefinitions(defs.size(), defs.data()));
        ASSERT_TRUE(g_keyboardDef.LoadKeyDefaults(defaults.data(), defaults.size()));
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DeviceEnvironment);

}  // namespace
