// What the stand-in host's demo shows: its script run through the exports, the host's pump, then
// the frame read back from the screen the way the demo's screenshot reads it.
#include "tests/app/app_fixture.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "host/lib/demo_script.h"
#include "tests/support/screenshot.h"

namespace {

// The frame's pixels as the screen shows them, 0x00RRGGBB, row by row from the top.
struct ScreenImage {
    RECT rect{};
    std::vector<DWORD> pixels;

    bool Read(HWND hWnd) {
        if (!GetWindowRect(hWnd, &rect))
            return false;
        HBITMAP bitmap = CaptureScreen(rect);
        if (bitmap == nullptr)
            return false;
        const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        pixels.assign(static_cast<size_t>(cx) * cy, 0);
        HDC dc = GetDC(nullptr);
        const int rows = GetDIBits(dc, bitmap, 0, cy, pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        WriteBitmapPng(bitmap, ScreenshotPath(L"app_demo.png"));
        DeleteObject(bitmap);
        return rows == cy;
    }
    DWORD At(int x, int y) const {
        return pixels[static_cast<size_t>(y - rect.top) * (rect.right - rect.left) +
                      (x - rect.left)] &
               0xFFFFFF;
    }
};

DWORD Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Pixels inside a bar (screen rectangle, borders left out) that no face, edge or separator is
// painted in: its buttons' images.
int GlyphPixels(const ScreenImage& image, RECT bar) {
    const DWORD plain[] = {Rgb(GetSysColor(COLOR_BTNFACE)), Rgb(GetSysColor(COLOR_BTNSHADOW)),
                           Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)),
                           Rgb(GetSysColor(COLOR_3DDKSHADOW))};
    int count = 0;
    for (int y = bar.top + 2; y < bar.bottom - 2; ++y)
        for (int x = std::max(bar.left, image.rect.left) + 2; x < bar.right - 2; ++x)
            if (x < image.rect.right &&
                std::find(std::begin(plain), std::end(plain), image.At(x, y)) == std::end(plain))
                ++count;
    return count;
}

// The shown bars of the top dock bar's first row, with their titles.
std::vector<std::pair<std::wstring, RECT>> TopRow(HWND frame) {
    std::vector<std::pair<std::wstring, RECT>> bars;
    HWND top = GetDlgItem(frame, 0xE81B);
    LONG rowTop = LONG_MAX;
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(h) && GetWindowRect(h, &r))
            rowTop = std::min(rowTop, r.top);
    }
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        wchar_t title[64] = {};
        GetWindowTextW(h, title, 64);
        if (IsWindowVisible(h) && GetWindowRect(h, &r) && r.top == rowTop)
            bars.emplace_back(title, r);
    }
    return bars;
}

// The demo's first bar once drew as an empty strip: the screenshot read the screen right after
// the frame's repaint, before the bar painted last had reached it.
TEST_F(AppTest, DemoShowsTheImagesOfEveryBarInTheTopRow) {
    Start();
    RunDemoScript(m_module);
    ASSERT_NE(nullptr, ChildTitled(Frame(), L"Registers"));
    // The host's loop for the screenshot's moment.
    const DWORD begin = GetTickCount();
    while (GetTickCount() - begin < 400) {
        Peek();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    SetForegroundWindow(Frame());
    RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ScreenImage image;
    ASSERT_TRUE(image.Read(Frame()));
    const auto bars = TopRow(Frame());
    ASSERT_GE(bars.size(), 6u);
    for (const auto& [title, rect] : bars)
        EXPECT_GE(GlyphPixels(image, rect), 60) << std::string(title.begin(), title.end());
}

} // namespace
