// Scratch storage for the registry and settings-tree tests: a private key under
// HKEY_CURRENT_USER and a private ini file, both removed at the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace settest {

class TestKey {
public:
    explicit TestKey(const wchar_t* name);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // The path below HKEY_CURRENT_USER, and one below it.
    const std::wstring& Path() const { return m_path; }
    std::wstring Path(const std::wstring& sub) const { return m_path + L"\\" + sub; }
    // Straight through the system, so the code under test is not its own witness.
    bool Exists(const std::wstring& sub) const;
    void CreateKey(const std::wstring& sub) const;
    void SetRaw(const std::wstring& sub, const wchar_t* name, DWORD type, const void* data,
                DWORD size) const;
    // Size and type of a value; false when it is missing.
    bool QueryRaw(const std::wstring& sub, const wchar_t* name, DWORD& type, DWORD& size) const;
    std::vector<std::wstring> SubkeyNames(const std::wstring& sub) const;

private:
    std::wstring m_path;
};

class TempIni {
public:
    TempIni();
    ~TempIni();
    TempIni(const TempIni&) = delete;
    TempIni& operator=(const TempIni&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::string Contents() const;

private:
    std::wstring m_path;
};

} // namespace settest
