// The library's button images: every command of the frame's toolbars has one of its own, small
// and 32 x 30, and the single bitmaps match the strips' images of their commands.
#include "tests/support/app_fixture.h"
#include "tests/app/large_buttons.h"
#include "tests/support/picture.h"
#include "tests/support/screen_image.h"
#include "tests/support/modal_script.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

const DWORD kFace = 0xC0C0C0;

// A bitmap resource's pixels.
Picture ReadBitmap(HMODULE module, UINT id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Picture pixels = PictureOfBitmap(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    return pixels;
}

// The command ids of a toolbar resource (version, width, height, count, ids: 16-bit words).
std::vector<UINT> ToolbarCommands(HMODULE module, UINT id) {
    std::vector<UINT> ids;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (words == nullptr || SizeofResource(module, found) < 8)
        return ids;
    const size_t count = std::min<size_t>(words[3], (SizeofResource(module, found) - 8) / 2);
    ids.assign(words + 4, words + 4 + count);
    return ids;
}

// Image n of a strip whose images are cx x cy, as a key: its pixels in order.
std::vector<DWORD> Image(const Picture& strip, int n, int cx, int cy) {
    std::vector<DWORD> image;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            image.push_back(strip.At(n * cx + x, y));
    return image;
}

int Drawn(const std::vector<DWORD>& image) {
    return static_cast<int>(
        std::count_if(image.begin(), image.end(), [](DWORD pixel) { return pixel != kFace; }));
}

// Whether the 32 x 30 image is the 16 x 15 one doubled: each pixel became four, of which at
// least two keep its colour and the others (rounding a diagonal edge) take a neighbour's.
bool IsDoubled(const std::vector<DWORD>& small, const std::vector<DWORD>& large) {
    if (small.size() != 16 * 15 || large.size() != 32 * 30)
        return false;
    auto at = [&small](int x, int y, DWORD outside) {
        return x < 0 || x >= 16 || y < 0 || y >= 15 ? outside
                                                    : small[static_cast<size_t>(y) * 16 + x];
    };
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x) {
            const DWORD p = at(x, y, 0);
            const DWORD neighbours[] = {at(x, y - 1, p), at(x + 1, y, p), at(x - 1, y, p),
                                        at(x, y + 1, p)};
            int kept = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const DWORD q = large[static_cast<size_t>(2 * y + dy) * 32 + 2 * x + dx];
                    if (q == p)
                        ++kept;
                    else if (std::find(std::begin(neighbours), std::end(neighbours), q) ==
                             std::end(neighbours))
                        return false;
                }
            if (kept < 2)
                return false;
        }
    return true;
}

TEST_F(AppTest, EveryToolbarCommandHasAnImageOfItsOwn) {
    Load();
    std::map<UINT, std::vector<DWORD>> images; // by command
    std::set<std::vector<DWORD>> seen;
    for (UINT small : {200u, 202u}) {
        const std::vector<UINT> commands = ToolbarCommands(m_module, small);
        ASSERT_FALSE(commands.empty()) << small;
        EXPECT_EQ(commands, ToolbarCommands(m_module, small + 1)) << small;
        const Picture strip = ReadBitmap(m_module, small);
        const Picture large = ReadBitmap(m_module, small + 1);
        ASSERT_EQ(16 * static_cast<int>(commands.size()), strip.cx) << small;
        ASSERT_EQ(15, strip.cy);
        ASSERT_EQ(32 * static_cast<int>(commands.size()), large.cx) << small;
        ASSERT_EQ(30, large.cy);
        for (size_t n = 0; n < commands.size(); ++n) {
            const auto image = Image(strip, static_cast<int>(n), 16, 15);
            // Drawn, yet with the face showing around it; no other command's image.
            EXPECT_GE(Drawn(image), 24) << commands[n];
            EXPECT_LE(Drawn(image), 16 * 15 - 24) << commands[n];
            EXPECT_TRUE(seen.insert(image).second) << commands[n] << " repeats an image";
            EXPECT_TRUE(IsDoubled(image, Image(large, static_cast<int>(n), 32, 30))) << commands[n];
            images[commands[n]] = image;
        }
    }
    // The language buttons' own bitmaps are their commands' images; the source view's marks
    // are three more.
    const std::pair<UINT, UINT> languages[] = {{171, 32784}, {179, 32785}};
    for (auto [bitmap, command] : languages) {
        EXPECT_EQ(images[command], Image(ReadBitmap(m_module, bitmap), 0, 16, 15)) << bitmap;
        EXPECT_TRUE(IsDoubled(images[command], Image(ReadBitmap(m_module, bitmap + 1), 0, 32, 30)))
            << bitmap;
    }
    for (UINT mark : {167u, 170u, 169u}) {
        const auto image = Image(ReadBitmap(m_module, mark), 0, 16, 15);
        EXPECT_GE(Drawn(image), 24) << mark;
        EXPECT_TRUE(seen.insert(image).second) << mark << " repeats an image";
    }
}

// The Toolbars dialog's "&Large Buttons": the bars show the 32 x 30 images.
TEST_F(AppTest, LargeButtonsShowTheLargeImages) {
    Start();
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1200, 700, SWP_SHOWWINDOW);
    PumpFor(100);
    ScreenImage before;
    ASSERT_TRUE(before.Read(Frame()));
    std::map<std::wstring, int> small;
    for (const auto& [title, rect] : TopRow(Frame()))
        small[title] = GlyphPixels(before, rect);
    ASSERT_TRUE(ToggleLargeButtons(Frame(), [this] { PumpAll(); }));
    RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ScreenImage after;
    ASSERT_TRUE(after.Read(Frame(), L"app_large_buttons.png"));
    const auto bars = TopRow(Frame());
    ASSERT_FALSE(bars.empty());
    const auto& [title, rect] = bars.front(); // the first bar is whole on the screen
    EXPECT_GE(rect.bottom - rect.top, 30 + 6);
    // Four times the pixels of each small image.
    ASSERT_GT(small[title], 0);
    EXPECT_GE(GlyphPixels(after, rect), 3 * small[title])
        << std::string(title.begin(), title.end());
}

// The open menu, read from inside its loop, which this then ends.
ScreenImage g_menu;
bool g_menuRead = false;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!g_menuRead && popup != nullptr && IsWindowVisible(popup)) {
        g_menuRead = g_menu.Read(popup, L"app_file_menu.png");
        EndMenu();
    }
}

// The frame's menus draw the toolbar images beside their items.
TEST_F(AppTest, TheFileMenuShowsTheImagesOfItsCommands) {
    Start();
    HMENU file = Popup(L"&File");
    ASSERT_NE(nullptr, file);
    g_menuRead = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, &ReadOpenMenu);
    RECT frame{};
    GetWindowRect(Frame(), &frame);
    SetForegroundWindow(Frame());
    TrackPopupMenuEx(file, TPM_RETURNCMD, frame.left + 40, frame.top + 60, Frame(), nullptr);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menuRead);
    // "&Open ..." has the folder's yellow, "&Load Program ..." the arrow's green.
    EXPECT_GE(g_menu.Count(g_menu.Rect(), 0xFFFF00), 20);
    EXPECT_GE(g_menu.Count(g_menu.Rect(), 0x008000), 10);
}

// What the frame's bars show right after a look is switched in the Toolbars dialog is what they
// show once the whole frame is painted again, and their grippers hold no scraps of ink.
TEST_F(AppTest, SwitchingTheLookLeavesNothingStale) {
    const struct {
        const char* name;
        int box;
        const wchar_t* screenshot;
    } cases[] = {
        {"Cool Look", 43104, L"app_cool_look.png"},
        {"Large Buttons", 43103, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        SetWindowPos(Frame(), HWND_TOP, 0, 0, 1200, 700, SWP_SHOWWINDOW);
        PumpFor(100);
        ModalScript script;
        script.Then(L"Toolbars", [&](HWND hDlg) {
            SendMessageW(GetDlgItem(hDlg, c.box), BM_CLICK, 0, 0);
            return IDOK;
        });
        PostMessageW(Frame(), WM_COMMAND, 32929, 0); // "&Toolbars ..."
        PumpAll();
        PumpFor(300);
        ASSERT_TRUE(script.Finished());
        ScreenImage shown;
        ASSERT_TRUE(shown.Read(Frame(), c.screenshot));
        RedrawWindow(Frame(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(100);
        ScreenImage repainted;
        ASSERT_TRUE(repainted.Read(Frame()));
        RECT bars;
        ASSERT_TRUE(GetWindowRect(GetDlgItem(Frame(), 0xE81B), &bars)); // the top dock bar
        EXPECT_EQ(0, Differing(shown, repainted, bars));
        // Before its first button a bar shows its gripper and borders, no scraps of ink.
        for (const auto& [title, rect] : TopRow(Frame())) {
            const RECT grip{rect.left, rect.top, rect.left + 6, rect.bottom};
            EXPECT_EQ(0, repainted.Count(grip, Rgb(GetSysColor(COLOR_BTNTEXT))))
                << std::string(title.begin(), title.end());
        }
        Unload();
    }
}

// Appends a button record (a 32-bit command id and a length byte of 0) to the saved button list
// of the toolbar whose list is `ids`, at any depth under key; false when no list matches.
bool AppendSavedButton(HKEY key, const std::vector<UINT>& ids, UINT command) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, L"Buttons", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_BINARY) {
        std::vector<BYTE> bytes(size);
        RegQueryValueExW(key, L"Buttons", nullptr, &type, bytes.data(), &size);
        if (SavedButtonIds(bytes) == ids) {
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<BYTE>(command >> shift));
            bytes.push_back(0);
            return RegSetValueExW(key, L"Buttons", 0, REG_BINARY, bytes.data(),
                                  static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
        }
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return false;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WRITE, &child) != ERROR_SUCCESS)
            continue;
        const bool done = AppendSavedButton(child, ids, command);
        RegCloseKey(child);
        if (done)
            return true;
    }
}

// A host's button that the user put on a default bar comes back at the next start with its
// image as soon as the host names the image (after the bars were drawn): no click or repaint
// of the user's brings it.
TEST_F(AppTest, ACustomizedHostButtonShowsItsImageAfterARestart) {
    using CreateFn = int(__cdecl*)(int*, const char*, int);
    using AddFn = int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned);
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1200, 700, SWP_SHOWWINDOW);
    PumpFor(100);
    RECT plain;
    GetWindowRect(ChildTitled(Frame(), L"Main"), &plain);
    EndKeepingProfile();
    // What customizing leaves behind: the host's command 1030 after the "Main" bar's buttons.
    HKEY root = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, RegistryRoot().c_str(), 0,
                                           KEY_READ | KEY_WRITE, &root));
    const bool appended = AppendSavedButton(root, {20, 57601, 21, 0, 57634, 57607, 0, 57664}, 1030);
    RegCloseKey(root);
    ASSERT_TRUE(appended);

    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1200, 700, SWP_SHOWWINDOW);
    PumpFor(200);
    HWND mainBar = ChildTitled(Frame(), L"Main");
    ASSERT_NE(nullptr, mainBar);
    RECT bar;
    GetWindowRect(mainBar, &bar);
    ASSERT_GT(bar.right - bar.left, plain.right - plain.left) << "the button did not come back";
    ScreenImage blank;
    ASSERT_TRUE(blank.Read(Frame()));
    const int before = GlyphPixels(blank, bar);
    int index = -1;
    ASSERT_EQ(1, Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0));
    ASSERT_EQ(1, Get<AddFn>("AddTBButton")(index, 179, 180, "Trace on", 1030));
    PumpFor(200);
    GetWindowRect(mainBar, &bar);
    ScreenImage shown;
    ASSERT_TRUE(shown.Read(Frame(), L"app_customized_host_button.png"));
    EXPECT_GT(GlyphPixels(shown, bar), before);
}

} // namespace
