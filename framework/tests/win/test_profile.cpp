// Profile settings: the registry under the application's key, the ini-file fallback, and the
// recent-file list kept there.
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
const wchar_t kTestKey[] = L"MoxFwWinTest";

struct Freer {
    void operator()(BYTE* p) const { delete[] p; }
};
using Bytes = std::unique_ptr<BYTE, Freer>;

Bytes ReadBinary(CWinApp* pApp, LPCWSTR section, LPCWSTR entry, UINT* pSize) {
    LPBYTE pData = NULL;
    if (!pApp->GetProfileBinary(section, entry, &pData, pSize))
        return nullptr;
    return Bytes(pData);
}

// Runs each test against the registry, then against an ini file.
class ProfileTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        app = AfxGetApp();
        ASSERT_NE(app, nullptr);
        if (GetParam()) {
            app->SetRegistryKey(kTestKey);
        } else {
            app->SetRegistryKey(L"");
            wchar_t dir[MAX_PATH];
            ::GetTempPathW(MAX_PATH, dir);
            iniPath = std::wstring(dir) + L"moxfw_win_profile_test.ini";
            ::DeleteFileW(iniPath.c_str());
            app->m_pszProfileName = iniPath.c_str();
        }
    }
    void TearDown() override {
        delete app->m_pRecentFileList;
        app->m_pRecentFileList = NULL;
        app->SetRegistryKey(L""); // back to the application's own profile name
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kTestKey).c_str());
        if (!iniPath.empty())
            ::DeleteFileW(iniPath.c_str());
    }
    CWinApp* app = nullptr;
    std::wstring iniPath;
};
} // namespace

TEST_P(ProfileTest, ValuesRoundTrip) {
    const std::wstring longText(3000, L'x');
    EXPECT_TRUE(app->WriteProfileInt(L"Section", L"Count", 42));
    EXPECT_TRUE(app->WriteProfileInt(L"Section", L"Negative", -5));
    EXPECT_TRUE(app->WriteProfileString(L"Section", L"Name", L"H\u00e9llo w\u00f6rld"));
    EXPECT_TRUE(app->WriteProfileString(L"Section", L"Long", longText.c_str()));
    const BYTE data[] = {0, 1, 0xFF, 0x80, 0, 7};
    EXPECT_TRUE(
        app->WriteProfileBinary(L"Section", L"Blob", const_cast<BYTE*>(data), sizeof(data)));

    EXPECT_EQ(app->GetProfileInt(L"Section", L"Count", 0), 42u);
    EXPECT_EQ((int)app->GetProfileInt(L"Section", L"Negative", 0), -5);
    EXPECT_EQ(app->GetProfileString(L"Section", L"Name"), L"H\u00e9llo w\u00f6rld");
    EXPECT_EQ(app->GetProfileString(L"Section", L"Long"), longText.c_str());
    UINT size = 0;
    Bytes read = ReadBinary(app, L"Section", L"Blob", &size);
    ASSERT_TRUE(read);
    ASSERT_EQ(size, sizeof(data));
    EXPECT_EQ(std::vector<BYTE>(read.get(), read.get() + size),
              std::vector<BYTE>(data, data + sizeof(data)));
}

TEST_P(ProfileTest, MissingValuesGiveTheDefault) {
    EXPECT_EQ(app->GetProfileInt(L"Nowhere", L"Count", 17), 17u);
    EXPECT_EQ(app->GetProfileString(L"Nowhere", L"Name", L"dflt"), L"dflt");
    EXPECT_EQ(app->GetProfileString(L"Nowhere", L"Name"), L"");
    UINT size = 99;
    EXPECT_FALSE(ReadBinary(app, L"Nowhere", L"Blob", &size));
    EXPECT_EQ(size, 0u);
}

TEST_P(ProfileTest, NullValueRemovesTheEntryAndNullEntryTheSection) {
    app->WriteProfileString(L"Gone", L"A", L"1");
    app->WriteProfileString(L"Gone", L"B", L"2");
    EXPECT_TRUE(app->WriteProfileString(L"Gone", L"A", NULL));
    EXPECT_EQ(app->GetProfileString(L"Gone", L"A", L"none"), L"none");
    EXPECT_EQ(app->GetProfileString(L"Gone", L"B"), L"2");
    EXPECT_TRUE(app->WriteProfileString(L"Gone", NULL, NULL));
    EXPECT_EQ(app->GetProfileString(L"Gone", L"B", L"none"), L"none");
}

TEST_P(ProfileTest, RecentFilesKeepTheLatestFirstWithoutDuplicates) {
    app->LoadStdProfileSettings(4);
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    CRecentFileList& list = *app->m_pRecentFileList;
    EXPECT_EQ(list.GetSize(), 4);
    for (const wchar_t* path :
         {L"C:\\w\\a.c", L"C:\\w\\b.c", L"C:\\w\\c.c", L"C:\\W\\A.C", L"C:\\w\\d.c", L"C:\\w\\e.c"})
        app->AddToRecentFileList(path);
    EXPECT_EQ(list[0], L"C:\\w\\e.c");
    EXPECT_EQ(list[1], L"C:\\w\\d.c");
    EXPECT_EQ(list[2], L"C:\\W\\A.C");
    EXPECT_EQ(list[3], L"C:\\w\\c.c");
    EXPECT_EQ(list[4], L""); // outside the list
    EXPECT_EQ(list[-1], L"");

    app->SaveStdProfileSettings();
    app->LoadStdProfileSettings(4);
    EXPECT_EQ((*app->m_pRecentFileList)[0], L"C:\\w\\e.c");
    EXPECT_EQ((*app->m_pRecentFileList)[3], L"C:\\w\\c.c");
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Registry" : "IniFile";
                         });

TEST(ProfileRegistry, ValuesLiveUnderSoftwareKeyApplication) {
    CWinApp* app = AfxGetApp();
    app->SetRegistryKey(kTestKey);
    app->WriteProfileInt(L"Where", L"Value", 3);
    DWORD value = 0;
    DWORD size = sizeof(value);
    std::wstring path =
        std::wstring(L"Software\\") + kTestKey + L"\\" + app->m_pszAppName + L"\\Where";
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"Value", RRF_RT_REG_DWORD, NULL,
                             &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 3u);
    // A value of another type reads as missing.
    app->WriteProfileString(L"Where", L"Text", L"12");
    EXPECT_EQ(app->GetProfileInt(L"Where", L"Text", 8), 8u);
    UINT bytes = 0;
    EXPECT_FALSE(ReadBinary(app, L"Where", L"Value", &bytes));
    app->SetRegistryKey(L"");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kTestKey).c_str());
}

TEST(ProfileIniFile, MalformedBinaryIsRefused) {
    CWinApp* app = AfxGetApp();
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"moxfw_win_bad_binary.ini";
    app->SetRegistryKey(L"");
    app->m_pszProfileName = path.c_str();
    for (const wchar_t* bad : {L"ABC", L"AZ", L"a0"}) {
        ::WritePrivateProfileStringW(L"S", L"Blob", bad, path.c_str());
        UINT size = 5;
        EXPECT_FALSE(ReadBinary(app, L"S", L"Blob", &size)) << bad;
        EXPECT_EQ(size, 0u);
    }
    app->SetRegistryKey(L"");
    ::DeleteFileW(path.c_str());
}
