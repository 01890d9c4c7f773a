// The top dock bar's rows as the user meets them: bars that do not fit a row go on in the next
// one, at any frame width and button size, so no bar is drawn past the frame's edge.
#include "tests/support/app_fixture.h"

#include "host/lib/demo_script.h"
#include "tests/app/large_buttons.h"
#include "tests/support/screen_image.h"

#include <string>

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

TEST_F(AppTest, TopRowBarsStayInsideTheFrame) {
    const struct {
        const char* name;
        bool large;
        int width;
    } cases[] = {
        {"demo layout, normal buttons, 960 px", false, 960},
        {"demo layout, large buttons, 1200 px", true, 1200},
        {"demo layout, large buttons, 960 px", true, 960},
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
