// The library's one registry key: the layout, "Reset" and the deletion before saving all use
// the profile's key, and nothing beside it goes; hostile saved layouts still give a frame.
#include "tests/support/app_fixture.h"

namespace {

std::string Profile(const std::string& root) {
    return root + "\\MoxGui";
}

DWORD ReadDword(const std::string& key, const char* value, DWORD fallback = 0xFFFFFFFF) {
    DWORD data = 0, size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data,
                     &size) != ERROR_SUCCESS)
        return fallback;
    return data;
}

void WriteDword(const std::string& key, const char* value, DWORD data) {
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &h, nullptr));
    RegSetValueExA(h, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(h);
}

bool KeyExists(const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

TEST_F(AppTest, ResetIsWrittenUnderTheProfileAndSurvivesTheSave) {
    const std::string root = RegistryRoot();
    WriteDword(root + "\\Other", "Keep", 7); // beside the profile: never touched
    Start();
    PumpAll();
    PostMessageW(Frame(), WM_COMMAND, 32998, 0);
    PumpAll();
    EXPECT_EQ(1u, ReadDword(Profile(root), "Reset"));
    EXPECT_EQ(1u, Lines("MessageBox(\"ATTENTION:\", \"Change will take effect").size());
    HMENU file = Popup(L"&File");
    EXPECT_TRUE(GetMenuState(file, 32998, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(1, Call("EndApp"));
    m_started = false;
    EXPECT_EQ(1u, ReadDword(Profile(root), "Reset"));
    EXPECT_TRUE(KeyExists(Profile(root) + "\\MOX Frame-Summary"));
    EXPECT_EQ(7u, ReadDword(root + "\\Other", "Keep"));
}

TEST_F(AppTest, RootsWithoutSoftwareOrNoneKeepOneKey) {
    for (const char* given : {"Orvex\\AppTests\\Bare", "(null)", ""}) {
        HostOptions o;
        o.registryRoot = given;
        o.registryRootGiven = true;
        Start(o);
        PostMessageW(Frame(), WM_COMMAND, 32998, 0);
        PumpAll();
        Call("EndApp");
        m_started = false;
        const std::string profile = *given && std::string(given) != "(null)"
                                        ? "Software\\Orvex\\AppTests\\Bare\\MoxGui"
                                        : "Software\\Orvex\\MoxGui";
        EXPECT_EQ(1u, ReadDword(profile, "Reset")) << given;
        EXPECT_TRUE(KeyExists(profile + "\\MOX Frame-Summary")) << given;
        EXPECT_FALSE(KeyExists("Orvex")) << given; // no key outside Software
        RegDeleteTreeA(HKEY_CURRENT_USER, profile.c_str());
        Unload();
    }
}

TEST_F(AppTest, AHostileSavedLayoutStillGivesAFrame) {
    const std::string profile = Profile(RegistryRoot());
    WriteDword(profile + "\\MOX Frame-Summary", "Bars", 0x7FFFFFFF);
    WriteDword(profile + "\\MOX Frame-Summary", "ScreenCX", 0);
    WriteDword(profile + "\\MOX Frame-Summary", "ScreenCY", 0);
    WriteDword(profile + "\\MOX Frame-Bar0", "BarID", 0xE81B);
    WriteDword(profile + "\\MOX Frame-Bar0", "Bars", 0xFFFFFFF0);
    WriteDword(profile + "\\MOX Frame-Bar1", "BarID", 59700);
    WriteDword(profile + "\\MOX Frame-Bar1", "XPos", 0x80000000);
    Start();
    ASSERT_TRUE(IsWindow(Frame()));
    EXPECT_NE(nullptr, ChildTitled(Frame(), L"Main"));
    int index = -1;
    EXPECT_EQ(1, Get<int(__cdecl*)(int*, const char*, int)>("CreateGuiToolbar")(&index, "New", 0));
    const int id = GetDlgCtrlID(ChildTitled(Frame(), L"New"));
    EXPECT_GE(id, 59648);
    EXPECT_LE(id, 59904);
}

} // namespace
