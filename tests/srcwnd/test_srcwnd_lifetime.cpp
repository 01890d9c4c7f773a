// The host closes a source window inside its own calls: inside the close request the window
// sends, inside a colour query while the window paints. Run again under Wine's heap checks.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"

namespace {
int g_closeId = 0;
HMODULE g_module = nullptr;

void CloseById() {
    using CloseFn = int(__cdecl*)(intptr_t, int);
    if (g_closeId > 0)
        reinterpret_cast<CloseFn>(
            reinterpret_cast<void*>(GetProcAddress(g_module, "CloseMDIWindow")))(g_closeId, 1);
    g_closeId = 0;
}

int __cdecl CloseInsideRequest(int, HostRequest*, int*, int, int) {
    CloseById();
    return 1;
}

uint32_t __cdecl CloseInsideColour(int, int, int) {
    CloseById();
    return 0x00C0FFC0;
}

class SrcWndLifetime : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
        g_module = m_module;
    }
};
} // namespace

TEST_F(SrcWndLifetime, TheHostClosesTheWindowInsideItsCloseRequest) {
    HostState::Get().commands.Word(3) = reinterpret_cast<void*>(&CloseInsideRequest);
    const struct {
        const char* form;
        HostPlacement placement;
    } forms[] = {{"MDI", {0x11, 10, 10, 400, 300}}, {"docked", {0x41 | 0x80, 0, 0, 300, 200}}};
    for (const auto& f : forms) {
        SCOPED_TRACE(f.form);
        HostState::Get().placements[&m_position] = f.placement;
        const int id = Create(CFile(), 7);
        ASSERT_GT(id, 0);
        Update(id, CFile(), 3, 7, 4);
        HWND frame = FrameOf(id);
        g_closeId = id;
        SendMessageW(frame, WM_CLOSE, 0, 0);
        PumpAll();
        EXPECT_FALSE(IsWindow(frame));
    }
}

TEST_F(SrcWndLifetime, TheHostClosesTheWindowInsideAColourQuery) {
    HostState::Get().commands.Word(22) = reinterpret_cast<void*>(&CloseInsideColour);
    const int id = Create(CFile(), 7);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    g_closeId = id;
    Update(id, CFile(), 3, 7, 4);
    Show(frame);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAll();
    EXPECT_FALSE(IsWindow(frame));
}

// A step or a page far off the shown lines scrolls, and the scroll paints at once: the paint
// asks the host's colours, and the host closes the window there.
TEST_F(SrcWndLifetime, TheHostClosesTheWindowInsideTheColourQueryOfAScroll) {
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "int line" + std::to_string(i) + " = " + std::to_string(i) + ";\r\n";
    const std::string path = WriteFile("long.c", text);
    using PageFn = int(__cdecl*)(int, int, int);
    const struct {
        const char* call;
        bool page;
    } rows[] = {{"UpdateSourceWindow to line 180", false},
                {"PageSourceWindow two pages down", true}};
    void* const colours = HostState::Get().commands.Word(22);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call);
        HostState::Get().commands.Word(22) = colours;
        const int id = Create(path, 7);
        ASSERT_GT(id, 0);
        HWND frame = FrameOf(id);
        Update(id, path, 3, 7, 4);
        Show(frame);
        PumpAll();
        HostState::Get().commands.Word(22) = reinterpret_cast<void*>(&CloseInsideColour);
        g_closeId = id;
        if (row.page)
            Get<PageFn>("PageSourceWindow")(id, 2, 5);
        else
            Update(id, path, 180, 7, 4);
        PumpAll();
        EXPECT_FALSE(IsWindow(frame));
        g_closeId = 0;
    }
    HostState::Get().commands.Word(22) = colours;
}
