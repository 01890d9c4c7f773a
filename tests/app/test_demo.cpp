// What the stand-in host's demo shows: its script run through the exports, the host's pump, then
// the frame read back from the screen the way the demo's screenshot reads it.
#include "tests/support/app_fixture.h"

#include "host/lib/demo_script.h"
#include "tests/support/screen_image.h"

namespace {

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
    ASSERT_TRUE(image.Read(Frame(), L"app_demo.png"));
    const auto bars = TopRow(Frame());
    ASSERT_GE(bars.size(), 6u);
    // A bar of one button shows fewer pixels than the default bars.
    for (const auto& [title, rect] : bars)
        EXPECT_GE(GlyphPixels(image, rect), rect.right - rect.left > 40 ? 60 : 20)
            << std::string(title.begin(), title.end());
}

} // namespace
