// The language button that leads the "Run" toolbar, and the default bars' buttons, seen in the
// layout saved at the end.
#include "tests/support/app_fixture.h"

#include <algorithm>

#include "tests/support/screen_image.h"
#include "tests/support/modal_script.h"

namespace {

using LanguageFn = int(__cdecl*)(int);

void CollectButtonLists(HKEY key, std::vector<std::vector<UINT>>& lists) {
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        if (type != REG_BINARY || wcscmp(name, L"Buttons") != 0)
            continue;
        std::vector<BYTE> bytes(size);
        RegQueryValueExW(key, L"Buttons", nullptr, &type, bytes.data(), &size);
        lists.push_back(SavedButtonIds(bytes));
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            CollectButtonLists(child, lists);
            RegCloseKey(child);
        }
    }
}

class Language : public AppTest {
protected:
    // The saved button lists of every customizable toolbar.
    std::vector<std::vector<UINT>> SavedButtonLists() {
        std::vector<std::vector<UINT>> lists;
        HKEY root = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RegistryRoot().c_str(), 0, KEY_READ, &root) ==
            ERROR_SUCCESS) {
            CollectButtonLists(root, lists);
            RegCloseKey(root);
        }
        return lists;
    }
    // The saved "Run" toolbar: the list that holds the run commands.
    std::vector<UINT> SavedRunBar() {
        for (const std::vector<UINT>& ids : SavedButtonLists())
            if (std::find(ids.begin(), ids.end(), 50u) != ids.end() &&
                std::find(ids.begin(), ids.end(), 51u) != ids.end())
                return ids;
        return {};
    }
};

TEST_F(Language, TheRunToolbarLeadsWithTheButtonOfTheLastFlag) {
    const std::vector<UINT> rest = {46, 50, 51, 48, 185, 213, 32983, 0, 52, 49};
    auto with = [&](UINT first) {
        std::vector<UINT> ids = {first, 0};
        ids.insert(ids.end(), rest.begin(), rest.end());
        return ids;
    };
    const struct {
        const char* name;
        std::vector<int> flags;
        std::vector<UINT> saved;
    } cases[] = {
        {"none: the run button", {}, with(186)},
        {"set", {1}, with(32785)},
        {"set, then clear", {1, 0}, with(32784)},
        {"clear three times: one button, one separator", {0, 0, 0}, with(32784)},
        {"any non-zero value sets", {7}, with(32785)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        for (int flag : c.flags)
            EXPECT_EQ(flag, Get<LanguageFn>("ChangeLanguage")(flag));
        ASSERT_EQ(1, Call("EndApp")); // which saves the layout
        m_started = false;
        EXPECT_EQ(c.saved, SavedRunBar());
        // The other default bars were saved with the buttons they were built with.
        const std::vector<std::vector<UINT>> lists = SavedButtonLists();
        const std::vector<UINT> main = {20, 57601, 21, 0, 57634, 57607, 0, 57664};
        const std::vector<UINT> debug = {23, 0, 181, 182, 0, 85, 86, 87, 0, 44, 57};
        EXPECT_NE(lists.end(), std::find(lists.begin(), lists.end(), main));
        EXPECT_NE(lists.end(), std::find(lists.begin(), lists.end(), debug));
        Unload();
    }
}

// What the screen shows of the "Run" toolbar, pixel by pixel.
std::vector<DWORD> RunBarPixels(HWND frame) {
    HWND bar = ChildTitled(frame, L"Run");
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
    ScreenImage image;
    std::vector<DWORD> pixels;
    if (bar == nullptr || !image.Read(bar))
        return pixels;
    const RECT& r = image.Rect();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            pixels.push_back(image.At(x, y));
    return pixels;
}

// The language button shows what the host last said: closing the Toolbars dialog with nothing
// changed leaves it as it was, and the Language menu's items change it once the host, which
// switches the language on the command they send, answers with ChangeLanguage.
TEST_F(Language, TheButtonFollowsTheHostAndNotTheToolbarsDialog) {
    Start();
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1200, 700, SWP_SHOWWINDOW);
    PumpFor(100);
    const int& language = HostState::Get().language; // the host answers 186 by itself
    const std::vector<DWORD> start = RunBarPixels(Frame());
    ASSERT_FALSE(start.empty());
    ModalScript script;
    script.Then(L"Toolbars", [](HWND) { return IDOK; });
    PostMessageW(Frame(), WM_COMMAND, 32929, 0); // "&Toolbars ..."
    PumpAll();
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(start == RunBarPixels(Frame())) << "the dialog changed the language button";
    PostMessageW(Frame(), WM_COMMAND, 32785, 0); // "&Assembler"
    PumpAll();
    EXPECT_EQ(1, language);
    const std::vector<DWORD> assembler = RunBarPixels(Frame());
    EXPECT_TRUE(start != assembler);
    PostMessageW(Frame(), WM_COMMAND, 32784, 0); // "&High Level"
    PumpAll();
    EXPECT_EQ(0, language);
    const std::vector<DWORD> highLevel = RunBarPixels(Frame());
    EXPECT_TRUE(assembler != highLevel);
    // Now that the host has named a language, the dialog keeps it too.
    ModalScript again;
    again.Then(L"Toolbars", [](HWND) { return IDOK; });
    PostMessageW(Frame(), WM_COMMAND, 32929, 0);
    PumpAll();
    EXPECT_TRUE(highLevel == RunBarPixels(Frame()));
}

} // namespace
