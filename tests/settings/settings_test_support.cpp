#include "settings_test_support.h"

#include <gtest/gtest.h>

namespace settest {

namespace {
const wchar_t kBase[] = L"Software\\MoxTests";

HKEY OpenRaw(const std::wstring& path) {
    HKEY hKey = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}
} // namespace

TestKey::TestKey(const wchar_t* name) {
    m_path = std::wstring(kBase) + L"\\" + name + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    CreateKey(L"");
}

TestKey::~TestKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    // The shared parent goes when no other test program still uses it.
    RegDeleteKeyW(HKEY_CURRENT_USER, kBase);
}

bool TestKey::Exists(const std::wstring& sub) const {
    HKEY hKey = OpenRaw(sub.empty() ? m_path : Path(sub));
    if (hKey)
        RegCloseKey(hKey);
    return hKey != NULL;
}

void TestKey::CreateKey(const std::wstring& sub) const {
    HKEY hKey = NULL;
    std::wstring path = sub.empty() ? m_path : Path(sub);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hKey, NULL));
    RegCloseKey(hKey);
}

void TestKey::SetRaw(const std::wstring& sub, const wchar_t* name, DWORD type, const void* data,
                     DWORD size) const {
    HKEY hKey = OpenRaw(sub.empty() ? m_path : Path(sub));
    ASSERT_NE(nullptr, hKey);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(hKey, name, 0, type, (const BYTE*)data, size));
    RegCloseKey(hKey);
}

bool TestKey::QueryRaw(const std::wstring& sub, const wchar_t* name, DWORD& type,
                       DWORD& size) const {
    HKEY hKey = OpenRaw(sub.empty() ? m_path : Path(sub));
    if (!hKey)
        return false;
    size = 0;
    LONG r = RegQueryValueExW(hKey, name, NULL, &type, NULL, &size);
    RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

std::vector<std::wstring> TestKey::SubkeyNames(const std::wstring& sub) const {
    std::vector<std::wstring> names;
    HKEY hKey = OpenRaw(sub.empty() ? m_path : Path(sub));
    if (!hKey)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; i++) {
        DWORD cch = 256;
        if (RegEnumKeyExW(hKey, i, name, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, cch);
    }
    RegCloseKey(hKey);
    return names;
}

TempIni::TempIni() {
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ptn", 0, file);
    m_path = file;
    DeleteFileW(m_path.c_str());
}

TempIni::~TempIni() {
    DeleteFileW(m_path.c_str());
}

std::string TempIni::Contents() const {
    // Flushes the system's cached copy of the file first.
    WritePrivateProfileStringW(NULL, NULL, NULL, m_path.c_str());
    HANDLE h = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, NULL) && got > 0)
        text.append(buffer, got);
    CloseHandle(h);
    return text;
}

} // namespace settest
