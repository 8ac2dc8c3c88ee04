// Every configurator test runs with the keyword and language-name tables
// built and the main window's class registered, as the program does.
#include <gtest/gtest.h>

#include "KeywordTables.h"
#include "LanguageNames.h"
#include "ProgramFolder.h"
#include "SkinTestFiles.h"
#include "VeskAppDlg.h"

namespace {

class VeskAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        BuildKeywordMaps();
        BuildLanguageTable();
        CVeskAppDlg::RegisterWindowClass(::GetModuleHandleW(nullptr));
        SetProgramFolder(RealProgramFolder().c_str());
    }
    void TearDown() override { RemoveTestProgramFolder(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new VeskAppEnvironment);

}  // namespace
