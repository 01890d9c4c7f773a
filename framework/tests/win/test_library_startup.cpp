// Library start-up and shutdown: the static application object's InitInstance decides whether
// the library loads; unloading runs ExitInstance and destroys the library's windows.
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = L"";
    DWORD n = ::GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring Env(const wchar_t* name) {
    wchar_t value[64] = L"";
    DWORD n = ::GetEnvironmentVariableW(name, value, 64);
    return n > 0 && n < 64 ? std::wstring(value, n) : std::wstring();
}

HWND EnvWindow(const wchar_t* name) {
    std::wstring text = Env(name);
    return text.empty() ? NULL : (HWND)(UINT_PTR)wcstoul(text.c_str(), NULL, 16);
}

// The libraries report through the environment, which outlives a test: each test starts from
// no reports, so the checks hold when the tests run more than once in a process.
void ClearReports(const wchar_t* prefix) {
    for (const wchar_t* name : {L"HWND", L"EXIT", L"DESTROYED"})
        ::SetEnvironmentVariableW((std::wstring(prefix) + name).c_str(), NULL);
}

template <class F> F Export(HMODULE hModule, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(hModule, name)));
}
} // namespace

TEST(LibraryStartup, FailingInitInstanceFailsTheLoadAndCleansUp) {
    ClearReports(L"MOX_TESTDLL_FAIL_");
    HMODULE hModule = ::LoadLibraryW((ProgramFolder() + L"testdll_fail.dll").c_str());
    EXPECT_EQ(hModule, (HMODULE)NULL);
    if (hModule != NULL)
        ::FreeLibrary(hModule);
    HWND hWnd = EnvWindow(L"MOX_TESTDLL_FAIL_HWND");
    ASSERT_NE(hWnd, (HWND)NULL) << "InitInstance did not run";
    EXPECT_EQ(Env(L"MOX_TESTDLL_FAIL_EXIT"), L"1");
    EXPECT_EQ(Env(L"MOX_TESTDLL_FAIL_DESTROYED"), L"1");
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(LibraryStartup, SucceedingLibraryRunsAndUnloadsCleanly) {
    ClearReports(L"MOX_TESTDLL_OK_");
    std::wstring path = ProgramFolder() + L"testdll_ok.dll";
    HMODULE hModule = ::LoadLibraryW(path.c_str());
    ASSERT_NE(hModule, (HMODULE)NULL) << "GetLastError " << ::GetLastError();

    auto mainWindow = Export<HWND (*)()>(hModule, "TestDllMainWindow");
    auto resourceHandle = Export<HINSTANCE (*)()>(hModule, "TestDllResourceHandle");
    auto loadString = Export<int (*)(wchar_t*, int)>(hModule, "TestDllLoadString");
    ASSERT_TRUE(mainWindow && resourceHandle && loadString);

    HWND hWnd = mainWindow();
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(hWnd, EnvWindow(L"MOX_TESTDLL_OK_HWND"));
    // Each module reads its own resources.
    EXPECT_EQ(resourceHandle(), (HINSTANCE)hModule);
    wchar_t text[64] = L"";
    loadString(text, 64);
    EXPECT_STREQ(text, L"string of the test library");
    CString own;
    ASSERT_TRUE(own.LoadString(101));
    EXPECT_EQ(own, L"string of the test program");
    EXPECT_EQ(Env(L"MOX_TESTDLL_OK_EXIT"), L"");

    EXPECT_TRUE(::FreeLibrary(hModule));
    EXPECT_EQ(Env(L"MOX_TESTDLL_OK_EXIT"), L"1");
    EXPECT_EQ(Env(L"MOX_TESTDLL_OK_DESTROYED"), L"1");
    EXPECT_FALSE(::IsWindow(hWnd));
    // Nothing of the library is left running: a second load starts afresh.
    hModule = ::LoadLibraryW(path.c_str());
    ASSERT_NE(hModule, (HMODULE)NULL);
    EXPECT_TRUE(::IsWindow(Export<HWND (*)()>(hModule, "TestDllMainWindow")()));
    EXPECT_TRUE(::FreeLibrary(hModule));
}
