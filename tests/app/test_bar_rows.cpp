// The top dock bar's rows as the user meets them: bars that do not fit a row go on in the next
// one, at any frame width and button size, so no bar is drawn past the frame's edge.
#include "tests/support/app_fixture.h"

#include "host/lib/demo_script.h"
#include "tests/app/large_buttons.h"
#include "tests/support/screen_image.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// Every shown bar of the top dock bar lies within the frame's client width.
void ExpectBarsInsideFrame(HWND frame, const char* when) {
    SCOPED_TRACE(when);
    RECT client;
    GetClientRect(frame, &client);
    HWND top = GetDlgItem(frame, 0xE81B);
    ASSERT_NE(nullptr, top);
    int shown = 0;
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h))
            continue;
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
        wchar_t title[64] = {};
        GetWindowTextW(h, title, 64);
        EXPECT_GE(r.left, client.left - 2) << std::string(title, title + wcslen(title));
        EXPECT_LE(r.right, client.right) << std::string(title, title + wcslen(title));
        ++shown;
    }
    EXPECT_GE(shown, 6);
}

// The top dock bar's rows, each the shown bars' rectangles in the frame's client coordinates.
std::map<LONG, std::vector<RECT>> TopBarRows(HWND frame) {
    std::map<LONG, std::vector<RECT>> rows;
    HWND top = GetDlgItem(frame, 0xE81B);
    for (HWND h = top ? GetWindow(top, GW_CHILD) : nullptr; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h))
            continue;
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
        rows[r.top].push_back(r);
    }
    return rows;
}

// No row holds a lone bar that would fit at the end of another row.
void ExpectNoLoneBarThatFitsElsewhere(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    const auto rows = TopBarRows(frame);
    for (const auto& lone : rows) {
        if (lone.second.size() != 1)
            continue;
        const LONG width = lone.second.front().right - lone.second.front().left;
        for (const auto& other : rows) {
            if (other.first == lone.first)
                continue;
            LONG end = client.left;
            for (const RECT& r : other.second)
                end = std::max(end, r.right);
            EXPECT_GT(end + width, client.right)
                << "the bar alone at y " << lone.first << " fits into the row at y " << other.first;
        }
    }
}

TEST_F(AppTest, TopRowBarsStayInsideTheFrame) {
    const struct {
        const char* name;
        bool large;
        int width;
        size_t rows; // the rows the start layout takes; 0 where not counted
    } cases[] = {
        {"demo layout, normal buttons, 960 px", false, 960, 2},
        {"demo layout, large buttons, 1200 px", true, 1200, 0},
        {"demo layout, large buttons, 960 px", true, 960, 0},
    };
    auto Resize = [this](HWND frame, int width) {
        SetWindowPos(frame, HWND_TOP, 0, 0, width, 700, SWP_SHOWWINDOW);
        PumpAll();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Resize(Frame(), c.width);
        RunDemoScript(m_module);
        PumpAll();
        if (c.large) {
            ASSERT_TRUE(ToggleLargeButtons(Frame(), [this] { PumpAll(); }));
        }
        ExpectBarsInsideFrame(Frame(), "at the start");
        ExpectNoLoneBarThatFitsElsewhere(Frame());
        if (c.rows != 0)
            EXPECT_EQ(c.rows, TopBarRows(Frame()).size());
        if (c.large && c.width == 1200) {
            RedrawWindow(Frame(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            ScreenImage image;
            EXPECT_TRUE(image.Read(Frame(), L"app_large_buttons_rows.png"));
        }
        Resize(Frame(), 640);
        ExpectBarsInsideFrame(Frame(), "made narrower");
        Resize(Frame(), c.width);
        ExpectBarsInsideFrame(Frame(), "made wider again");
        Unload();
    }
}

} // namespace
