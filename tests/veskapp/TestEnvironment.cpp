// Every configurator test runs with the language-name table built, the
// keyboard definitions read from bin\ and the main window's class
// registered, as the program does (the gui tests' environment builds the
// keyword tables and sets the program folder).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "KeyboardDef.h"
#include "LanguageNames.h"
#include "ServiceConnection.h"
#include "VeskAppDlg.h"

namespace {

// Dialogs here run against scripted device objects; their status readers
// find no service instead of the prefix's one, which other tests drive.
HRESULT NoService(IDeviceCollection** out)
{
    *out = nullptr;
    return E_FAIL;
}

std::vector<char> ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class VeskAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        BuildLanguageTable();
        // The thumb grid's default keys and the key names come from here.
        std::vector<char> defs = ReadFile("bin\\KbdDefWindows.bin");
        std::vector<char> defaults = ReadFile("bin\\KbdDefaultsWindows.bin");
        ASSERT_TRUE(g_keyboardDef.LoadKeyDefinitions(defs.size(), defs.data()));
        ASSERT_TRUE(g_keyboardDef.LoadKeyDefaults(defaults.data(), defaults.size()));
        // The tests' main windows have a class of their own (CMakeLists.txt),
        // so a configurator started meanwhile never takes them for its own.
        CVeskAppDlg::RegisterWindowClass(::GetModuleHandleW(nullptr), L"TkTestMainWindow");
        SetDeviceServiceFactory(&NoService);
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new VeskAppEnvironment);

}  // namespace
