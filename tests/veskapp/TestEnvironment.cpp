// Every configurator test runs with the language-name table built and the
// main window's class registered, as the program does (the gui tests'
// environment builds the keyword tables and sets the program folder).
#include <gtest/gtest.h>

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

class VeskAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        BuildLanguageTable();
        // The tests' main windows have a class of their own (CMakeLists.txt),
        // so a configurator started meanwhile never takes them for its own.
        CVeskAppDlg::RegisterWindowClass(::GetModuleHandleW(nullptr), L"TkTestMainWindow");
        SetDeviceServiceFactory(&NoService);
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new VeskAppEnvironment);

}  // namespace
