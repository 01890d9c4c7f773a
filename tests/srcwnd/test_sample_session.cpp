// The stand-in host runs its sample program and tells the library's source windows about each
// stop, as a debugger host does: the window of the stop's file opens at the current statement,
// the host's colours show the current line and the breakpoints, and the next stop moves them.
#include "host/lib/command_line.h"
#include "host/lib/host_source.h"
#include "host/lib/source_link.h"
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

} // namespace
