// The library's button images: every command of the frame's toolbars has one of its own, small
// and 32 x 30, and the single bitmaps match the strips' images of their commands.
#include "tests/app/app_fixture.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

const DWORD kFace = 0xC0C0C0;

// A bitmap resource's pixels, 0x00RRGGBB, row by row from the top.
struct Pixels {
    int cx = 0, cy = 0;
    std::vector<DWORD> data;
    DWORD At(int x, int y) const { return data[static_cast<size_t>(y) * cx + x] & 0xFFFFFF; }
};

Pixels ReadBitmap(HMODULE module, UINT id) {
    Pixels pixels;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info{};
    if (bitmap == nullptr || !GetObjectW(bitmap, sizeof info, &info)) {
        if (bitmap)
            DeleteObject(bitmap);
        return pixels;
    }
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight; // top-down
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    pixels.data.assign(static_cast<size_t>(info.bmWidth) * info.bmHeight, 0);
    HDC dc = GetDC(nullptr);
    if (GetDIBits(dc, bitmap, 0, info.bmHeight, pixels.data.data(), &header, DIB_RGB_COLORS) ==
        info.bmHeight) {
        pixels.cx = info.bmWidth;
        pixels.cy = info.bmHeight;
    }
    ReleaseDC(nullptr, dc);
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
std::vector<DWORD> Image(const Pixels& strip, int n, int cx, int cy) {
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

// Every pixel of the small image, doubled.
std::vector<DWORD> Doubled(const std::vector<DWORD>& small) {
    std::vector<DWORD> large;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 32; ++x)
            large.push_back(small[static_cast<size_t>(y / 2) * 16 + x / 2]);
    return large;
}

TEST_F(AppTest, EveryToolbarCommandHasAnImageOfItsOwn) {
    Load();
    std::map<UINT, std::vector<DWORD>> images; // by command
    std::set<std::vector<DWORD>> seen;
    for (UINT small : {200u, 202u}) {
        const std::vector<UINT> commands = ToolbarCommands(m_module, small);
        ASSERT_FALSE(commands.empty()) << small;
        EXPECT_EQ(commands, ToolbarCommands(m_module, small + 1)) << small;
        const Pixels strip = ReadBitmap(m_module, small);
        const Pixels large = ReadBitmap(m_module, small + 1);
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
            EXPECT_EQ(Doubled(image), Image(large, static_cast<int>(n), 32, 30)) << commands[n];
            images[commands[n]] = image;
        }
    }
    // The language buttons' own bitmaps are their commands' images; the source view's marks
    // are three more.
    const std::pair<UINT, UINT> languages[] = {{171, 32784}, {179, 32785}};
    for (auto [bitmap, command] : languages) {
        EXPECT_EQ(images[command], Image(ReadBitmap(m_module, bitmap), 0, 16, 15)) << bitmap;
        EXPECT_EQ(Doubled(images[command]), Image(ReadBitmap(m_module, bitmap + 1), 0, 32, 30))
            << bitmap;
    }
    for (UINT mark : {167u, 170u, 169u}) {
        const auto image = Image(ReadBitmap(m_module, mark), 0, 16, 15);
        EXPECT_GE(Drawn(image), 24) << mark;
        EXPECT_TRUE(seen.insert(image).second) << mark << " repeats an image";
    }
}

} // namespace
