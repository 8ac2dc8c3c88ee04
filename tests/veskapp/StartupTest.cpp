// What start-up takes from the registry: the language by name, InstallDir
// without its trailing backslash and expanded when stored expandable, the
// key opened for reading only, and values of the wrong type or length
// refused without reading past the buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LanguageNames.h"
#include "Registry.h"

TEST(LanguageNames, NamesSelectTheFirstTenIdsIgnoringCase)
{
    EXPECT_EQ(5, LanguageIdFromName(L"german"));
    EXPECT_EQ(5, LanguageIdFromName(L"GERMAN"));
    EXPECT_EQ(0, LanguageIdFromName(L"English"));  // never 10-14
    EXPECT_EQ(9, LanguageIdFromName(L"Spanish"));
    EXPECT_EQ(-1, LanguageIdFromName(L"Thai"));
    EXPECT_EQ(-1, LanguageIdFromName(L""));
    EXPECT_EQ(-1, LanguageIdFromName(nullptr));
    EXPECT_EQ(15u, LanguageNameTable().size());
}

namespace {

// A scratch root under HKCU that stands in for HKLM.
class StartupRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = L"Software\\TkStartupTest-" + std::to_wstring(::GetCurrentProcessId());
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &root, nullptr));
    }
    void TearDown() override
    {
        ::RegCloseKey(root);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    void Set(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(root, kRegistryKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                   &key, nullptr));
        ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                         (DWORD)((text.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
    std::wstring path;
    HKEY root = nullptr;
};

}  // namespace

TEST_F(StartupRegistry, LanguageAndInstallDir)
{
    StartupSettings none = ReadStartupSettings(root);  // the key is made when missing
    EXPECT_TRUE(none.keyOpen);
    EXPECT_EQ(0, none.languageId);
    EXPECT_TRUE(none.installDir.empty());

    Set(L"Language", L"german");
    Set(L"InstallDir", L"C:\\Program Files\\Tandu\\");
    StartupSettings s = ReadStartupSettings(root);
    EXPECT_EQ(5, s.languageId);
    EXPECT_EQ(L"C:\\Program Files\\Tandu", s.installDir);

    Set(L"Language", L"Thai");
    Set(L"InstallDir", L"\\");
    s = ReadStartupSettings(root);
    EXPECT_EQ(-1, s.languageId);  // English is used
    EXPECT_TRUE(s.installDir.empty());
}

TEST_F(StartupRegistry, TheKeyIsOpenedForReadingOnly)
{
    // A user who is not an administrator may read HKLM but not write it:
    // asking for more than reading would be refused there.
    HKEY key = OpenProgramKey(root);
    ASSERT_NE(nullptr, key);
    const wchar_t text[] = L"x";
    EXPECT_EQ(ERROR_ACCESS_DENIED, ::RegSetValueExW(key, L"Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                                    sizeof(text)));
    ::RegCloseKey(key);
}

TEST_F(StartupRegistry, AnExpandableInstallDirIsExpandedWithinTheBound)
{
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TK_STARTUP_ROOT", L"C:\\Programs"));
    Set(L"InstallDir", L"%TK_STARTUP_ROOT%\\Tandu\\", REG_EXPAND_SZ);
    EXPECT_EQ(L"C:\\Programs\\Tandu", ReadStartupSettings(root).installDir);
    // Short as stored, too long once expanded: read as missing.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TK_STARTUP_ROOT", std::wstring(kRegistryTextMax, L'x').c_str()));
    EXPECT_TRUE(ReadStartupSettings(root).installDir.empty());
    ::SetEnvironmentVariableW(L"TK_STARTUP_ROOT", nullptr);
}

TEST_F(StartupRegistry, ValuesOfTheWrongTypeOrLengthReadAsMissing)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(root, kRegistryKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                               nullptr));
    DWORD number = 5;
    ::RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    std::wstring longText(kRegistryTextMax + 40, L'x');
    ::RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()),
                     (DWORD)((longText.size() + 1) * sizeof(wchar_t)));
    // A text stored without its terminator is still read whole and ended.
    const wchar_t raw[] = {L'a', L'b', L'c'};
    ::RegSetValueExW(key, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof(raw));

    std::wstring out = L"stale";
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryValue(out, key, L"Language"));
    EXPECT_TRUE(out.empty());
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryValue(out, key, L"InstallDir"));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryValue(out, key, L"Raw"));
    EXPECT_EQ(L"abc", out);
    ::RegCloseKey(key);

    StartupSettings s = ReadStartupSettings(root);
    EXPECT_EQ(0, s.languageId);
    EXPECT_TRUE(s.installDir.empty());
}
