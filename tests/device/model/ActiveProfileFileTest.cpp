#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ActiveProfileFile.h"
#include "VeskConfig.h"

namespace {

// A fresh program folder (with save\) under the temporary folder, removed
// again at the end. The storage paths point into it.
class ActiveProfileFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t tmp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, tmp));
        m_root = std::wstring(tmp) + L"tk-config-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(m_root.c_str(), nullptr);
        CreateDirectoryW((m_root + L"save").c_str(), nullptr);
        ASSERT_TRUE(BuildConfigStoragePaths(m_root.c_str()));
    }
    void TearDown() override
    {
        for (const wchar_t* f : {L"save\\Vesk.qvc", L"save\\Old.qvp"})
            DeleteFileW((m_root + f).c_str());
        RemoveDirectoryW((m_root + L"save").c_str());
        RemoveDirectoryW(m_root.c_str());
    }
    void Touch(const wchar_t* relative)
    {
        HANDLE h = CreateFileW((m_root + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        CloseHandle(h);
    }
    // The INI file's text, decoded from UTF-16 when it starts with the mark.
    std::wstring IniText()
    {
        std::string bytes;
        HANDLE h = CreateFileW((m_root + L"save\\Vesk.qvc").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return std::wstring();
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got)
            bytes.append(buf, got);
        CloseHandle(h);
        if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE)
            return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
        return std::wstring(bytes.begin(), bytes.end());
    }

    std::wstring m_root;
};

}  // namespace

TEST_F(ActiveProfileFile, PathsLieInTheSaveFolder)
{
    EXPECT_EQ(m_root + L"save\\Vesk.qvc", ConfigIniPath());
    EXPECT_EQ(m_root + L"save\\", ConfigSaveFolder());
}

TEST_F(ActiveProfileFile, SaveWritesTheActiveNameUnderSettings)
{
    CVeskConfig config;
    ASSERT_TRUE(BuildConfigStoragePaths(m_root.c_str()));
    EXPECT_FALSE(config.SaveActiveProfileName());  // no active profile
    config.SetActiveProfile(config.NewProfile(L"PROFILE01"));
    ASSERT_TRUE(config.SaveActiveProfileName());
    std::wstring text = IniText();
    EXPECT_NE(std::wstring::npos, text.find(L"[SETTINGS]"));
    EXPECT_NE(std::wstring::npos, text.find(L"ActiveProfileName=PROFILE01"));
}

TEST_F(ActiveProfileFile, NonAsciiNamesSurviveTheRoundTrip)
{
    const wchar_t* name = L"Профиль Ω 東京";
    CVeskConfig config;
    ASSERT_TRUE(BuildConfigStoragePaths(m_root.c_str()));
    config.SetActiveProfile(config.NewProfile(name));
    ASSERT_TRUE(config.SaveActiveProfileName());
    EXPECT_EQ(name, ReadActiveProfileName(ConfigIniPath()));
    // A second write into the existing file keeps it readable.
    config.SetActiveProfile(config.NewProfile(L"Ünïcode 2"));
    ASSERT_TRUE(config.SaveActiveProfileName());
    EXPECT_EQ(L"Ünïcode 2", ReadActiveProfileName(ConfigIniPath()));
}

TEST_F(ActiveProfileFile, LoadWithoutProfileFilesChangesNothing)
{
    CVeskConfig config;
    ASSERT_TRUE(BuildConfigStoragePaths(m_root.c_str()));
    IMouseProfile* a = config.NewProfile(L"A");
    IMouseProfile* b = config.NewProfile(L"B");
    config.SetActiveProfile(b);
    ASSERT_TRUE(config.SaveActiveProfileName());
    config.SetActiveProfile(a);
    config.LoadActiveProfileName();
    EXPECT_EQ(2u, config.GetProfileCount());
    EXPECT_EQ(a, config.GetActiveProfile());
}

TEST_F(ActiveProfileFile, AProfileFileThatCannotLoadRemovesNoProfile)
{
    CVeskConfig config;
    ASSERT_TRUE(BuildConfigStoragePaths(m_root.c_str()));
    IMouseProfile* a = config.NewProfile(L"A");
    config.SetActiveProfile(a);
    Touch(L"save\\Old.qvp");
    EXPECT_EQ(0, config.LoadProfiles());
    EXPECT_EQ(1u, config.GetProfileCount());
    config.LoadActiveProfileName();
    EXPECT_EQ(1u, config.GetProfileCount());
    EXPECT_EQ(a, config.GetActiveProfile());
    EXPECT_EQ(std::vector<std::wstring>{L"Old"}, FindProfileFiles(ConfigSaveFolder(), L"qvp"));
    EXPECT_FALSE(config.SaveProfiles(a));
    EXPECT_TRUE(config.SaveProfiles(nullptr));
}

TEST_F(ActiveProfileFile, MissingFolderOrFileFailsQuietly)
{
    std::wstring missing = m_root + L"nowhere\\";
    ASSERT_TRUE(BuildConfigStoragePaths(missing.c_str()));
    CVeskConfig config;
    ASSERT_TRUE(BuildConfigStoragePaths(missing.c_str()));
    config.SetActiveProfile(config.NewProfile(L"A"));
    EXPECT_FALSE(config.SaveActiveProfileName());
    EXPECT_EQ(L"", ReadActiveProfileName(ConfigIniPath()));
    EXPECT_EQ(0, config.LoadProfiles());
}

TEST_F(ActiveProfileFile, TooDeepAFolderGivesEmptyPaths)
{
    std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\";
    EXPECT_FALSE(BuildConfigStoragePaths(deep.c_str()));
    EXPECT_STREQ(L"", ConfigIniPath());
    EXPECT_STREQ(L"", ConfigSaveFolder());
    CVeskConfig config;
    EXPECT_FALSE(BuildConfigStoragePaths(deep.c_str()));
    config.SetActiveProfile(config.NewProfile(L"A"));
    EXPECT_FALSE(config.SaveActiveProfileName());
    EXPECT_EQ(0, config.LoadProfiles());
    config.LoadActiveProfileName();
    EXPECT_EQ(1u, config.GetProfileCount());
}
