// What a source window shows: the three panes of a C file with the host's background colour,
// the highlight of the current line and the marks of the host's line records.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"
#include "tests/support/screen_image.h"

namespace {
const DWORD kHighlight = 0xB0B0B0;
const COLORREF kHostColour = RGB(0xFF, 0xE0, 0x80);
const int kHostLine = 8;    // 1-based
const int kCurrentLine = 5; // 1-based

uint32_t __cdecl LineColour(int line, int, int) {
    return line == kHostLine ? kHostColour : 0x01000000;
}

// The rows (screen y) of a window where at least minimum pixels have the colour.
std::vector<int> RowsOf(const ScreenImage& image, HWND window, DWORD colour, int minimum) {
    RECT r{};
    GetWindowRect(window, &r);
    std::vector<int> rows;
    for (int y = r.top; y < r.bottom; ++y) {
        RECT row = {r.left, y, r.right, y + 1};
        if (image.Count(row, colour) >= minimum)
            rows.push_back(y);
    }
    return rows;
}

// Pixels of a band of a window's rows that differ from the colour at its left top.
int InkIn(const ScreenImage& image, HWND window, int top, int bottom, int width) {
    RECT r{};
    GetWindowRect(window, &r);
    const DWORD background = image.At(r.right - 2, bottom - 1);
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = r.left; x < r.left + width && x < r.right; ++x)
            ink += image.At(x, y) != background ? 1 : 0;
    return ink;
}

class SrcWndPaint : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
        HostState::Get().commands.Word(22) = reinterpret_cast<void*>(&LineColour);
    }
};
} // namespace

TEST_F(SrcWndPaint, AFileWithBothColumnsShowsTheHostsColourTheHighlightAndTheMarks) {
    const std::string path = CFile();
    const int id = Create(path, 7);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame, 720, 380);
    ASSERT_EQ(id, Update(id, path, kCurrentLine, 7, 1));
    const SourceLineRecord breakpoint = {7, kLineBreakpoint | kLineCode, nullptr};
    const SourceLineRecord current = {kCurrentLine, kLineCurrent | kLineCode, &breakpoint};
    ASSERT_EQ(1, SetColumnDatas(id, 0x1 | 0x2, &current));
    RedrawWindow(frame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAll();

    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(3u, panes.size());
    EXPECT_EQ(L"Line", PaneCaption(panes[1]));
    EXPECT_EQ(L"Source", PaneCaption(panes[2]));
    HWND view = PaneBody(panes[2]);
    HWND numbers = PaneBody(panes[1]);
    ASSERT_NE(nullptr, view);
    ASSERT_NE(nullptr, numbers);

    ScreenImage image;
    ASSERT_TRUE(image.Read(frame, L"srcwnd_three_panes.png"));
    // The current line's band in the highlight's grey; its height is one line.
    const std::vector<int> grey = RowsOf(image, view, kHighlight, 40);
    ASSERT_FALSE(grey.empty());
    const int lineHeight = grey.back() - grey.front() + 1;
    ASSERT_GT(lineHeight, 6);
    const int currentTop = grey.front();
    // The host's colour on its line, three lines below.
    const std::vector<int> host = RowsOf(image, view, Rgb(kHostColour), 40);
    ASSERT_FALSE(host.empty());
    EXPECT_NEAR(currentTop + (kHostLine - kCurrentLine) * lineHeight, host.front(), 2);
    // The caret mark of the line-number column stands on the current line alone.
    const int markWidth = 16;
    const int onCurrent = InkIn(image, numbers, currentTop, currentTop + lineHeight, markWidth);
    const int onNext =
        InkIn(image, numbers, currentTop + lineHeight, currentTop + 2 * lineHeight, markWidth);
    EXPECT_GT(onCurrent, onNext + 20);
    // The line numbers are in the column: ink on every line of the model (the ten of the file
    // and the empty one after its last line break), none below.
    for (int line = 1; line <= 11; ++line) {
        const int top = currentTop + (line - kCurrentLine) * lineHeight;
        EXPECT_GT(InkIn(image, numbers, top, top + lineHeight, 60), 0) << "line " << line;
    }
    const int below = currentTop + (12 - kCurrentLine) * lineHeight;
    EXPECT_EQ(0, InkIn(image, numbers, below, below + lineHeight, 60));
}
