// The stand-in host runs its sample program and tells the library's source windows about each
// stop, as a debugger host does: the window of the stop's file opens at the current statement,
// the host's colours show the current line and the breakpoints, and the next stop moves them.
#include "host/lib/command_line.h"
#include "host/lib/host_source.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "tests/support/screen_image.h"
#include "tests/srcwnd/frames_fixture.h"

namespace {

class SampleSession : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
        BindSourceLibrary(m_module);
    }
    void TearDown() override {
        BindSourceLibrary(nullptr);
        SrcFrameTest::TearDown();
    }
    // The top row of the view (screen y) that shows a colour, -1 when none does.
    static int FirstRow(const ScreenImage& image, COLORREF colour) {
        const RECT& r = image.Rect();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (image.At(x, y) == Rgb(colour))
                    return y;
        return -1;
    }
};

TEST_F(SampleSession, EachStopMovesTheCurrentLineOfTheSampleFilesWindow) {
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 20 ; STEP ; STEP ; STEP"));
    ASSERT_EQ(1u, SourceWindows().size());
    const int id = SourceWindows().front().id;
    HWND frame = FrameOf(id);
    ASSERT_NE(nullptr, frame);
    wchar_t title[MAX_PATH] = {};
    GetWindowTextW(frame, title, MAX_PATH);
    const std::string path = SamplePath(SourceWindows().front().file);
    EXPECT_EQ(L"[main.c] " + std::wstring(path.begin(), path.end()), title);
    Show(frame, 700, 520);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(3u, panes.size()) << "coverage, line numbers, source";
    HWND view = PaneBody(panes.back());
    ASSERT_NE(nullptr, view);
    HostState::Get().colourQueries = 0;
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(HostState::Get().colourQueries, 0u) << "the view asks the host for its colours";
    ScreenImage first;
    ASSERT_TRUE(first.Read(view, L"sample_session_at16.png"));
    const int current16 = FirstRow(first, kCurrentLineColor);
    const int breakpoint20 = FirstRow(first, kBreakpointColor);
    ASSERT_GT(current16, 0) << "line 16 is the current line";
    ASSERT_GT(breakpoint20, current16) << "line 20 holds a breakpoint";
    EXPECT_GT(first.Count(first.Rect(), 0xB0B0B0), 0) << "the statement is highlighted";

    // Run: the breakpoint stops the program on line 20; the same window follows.
    ASSERT_TRUE(RunHostCommandLine("GO"));
    EXPECT_EQ(1u, SourceWindows().size());
    EXPECT_EQ(frame, FrameOf(id));
    PumpAll();
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ScreenImage second;
    ASSERT_TRUE(second.Read(view, L"sample_session_at20.png"));
    EXPECT_NEAR(breakpoint20, FirstRow(second, kCurrentLineColor), 2)
        << "the current line moved to the breakpoint's line";
    EXPECT_EQ(-1, FirstRow(second, kBreakpointColor)) << "the current line covers the breakpoint";
}

// The user presses Step faster than the windows follow, and closes the source window between
// presses: every press reaches the host and ends in a stop, the closed window comes back at the
// next stop, the presses past the program's end are refused, and no window keeps a current line
// once the program has ended.
TEST_F(SampleSession, FiftyFastStepsLeaveNoStaleLine) {
    auto press = [this](int times) {
        for (int n = 0; n < times; ++n)
            PostMessageW(Frame(), WM_COMMAND, 50, 0);
        PumpAll();
    };
    auto currentRow = [this](const HostSourceWindow& w) {
        HWND frame = FrameOf(w.id);
        Show(frame, 700, 520);
        HWND view = PaneBody(Panes(frame).back());
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ScreenImage image;
        return image.Read(view) ? FirstRow(image, kCurrentLineColor) : -2;
    };
    press(20);
    ASSERT_FALSE(SourceWindows().empty());
    const HostSourceWindow& open = SourceWindows().back();
    ASSERT_EQ(open.file, CurrentPosition(0).file);
    EXPECT_GT(currentRow(open), 0) << "the current line is in view";
    SendMessageW(FrameOf(open.id), WM_CLOSE, 0, 0);
    PumpAll();
    press(30);
    EXPECT_EQ(50u, Lines("ExecuteCommand(50)").size());
    ASSERT_EQ(CoreState::exited, TargetMachine::Get().Core(0).state);
    const size_t refused = Lines("HostError(\"the program has ended\")").size();
    EXPECT_GT(refused, 0u);
    EXPECT_EQ(refused, Lines("HostError").size());
    for (const HostSourceWindow& w : SourceWindows()) {
        ASSERT_NE(nullptr, FrameOf(w.id));
        EXPECT_EQ(-1, currentRow(w)) << Sample().files[w.file].module;
    }
}

} // namespace
