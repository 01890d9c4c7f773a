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
    // A window over the file with both columns, on the screen at the current line: its id (0
    // when it could not be made or moved there) and its frame.
    int ShowAtCurrentLine(const std::string& path, HWND* frame) {
        const int id = Create(path, 7);
        if (id <= 0)
            return 0;
        *frame = FrameOf(id);
        Show(*frame, 720, 380);
        return Update(id, path, kCurrentLine, 7, 1) == id ? id : 0;
    }
};
} // namespace

TEST_F(SrcWndPaint, AFileWithBothColumnsShowsTheHostsColourTheHighlightAndTheMarks) {
    const std::string path = CFile();
    HWND frame = nullptr;
    const int id = ShowAtCurrentLine(path, &frame);
    ASSERT_GT(id, 0);
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

namespace {
// A file of many lines, each marked by the host as a code line.
struct LongFile {
    std::string text;
    std::vector<SourceLineRecord> records;
    explicit LongFile(int lines) : records(static_cast<size_t>(lines)) {
        for (int i = 1; i <= lines; ++i) {
            text += "    total += " + std::to_string(i) + ";\r\n";
            records[i - 1] = {i, kLineCode, i < lines ? &records[i] : nullptr};
        }
    }
};

// The highlight's band in the view, and whether the line-number column's caret mark stands on
// that band rather than on the lines above or below it.
struct MarkCheck {
    int top = -1, height = 0;
    bool markOnBand = false;
};
MarkCheck CheckMark(HWND frame, HWND view, HWND numbers, const wchar_t* png) {
    MarkCheck check;
    ScreenImage image;
    if (!image.Read(frame, png))
        return check;
    const std::vector<int> grey = RowsOf(image, view, kHighlight, 40);
    if (grey.empty())
        return check;
    check.top = grey.front();
    check.height = grey.back() - grey.front() + 1;
    const int h = check.height;
    const int at = InkIn(image, numbers, check.top, check.top + h, 16);
    const int above = InkIn(image, numbers, check.top - h, check.top, 16);
    const int below = InkIn(image, numbers, check.top + h, check.top + 2 * h, 16);
    check.markOnBand = at > above + 20 && at > below + 20;
    return check;
}
} // namespace

// Far into a long file, and after the user scrolls the text, the caret mark of the line-number
// column stands on the row of the caret line's highlight: the numbers move with the text.
TEST_F(SrcWndPaint, TheLineNumbersStayBesideTheirLinesWhenTheTextScrolls) {
    const int kLines = 1600;
    const int kLine = 1500; // beyond the first thousand records of the host's list
    LongFile file(kLines);
    const std::string path = WriteFile("long.c", file.text);
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame, 720, 380);
    ASSERT_EQ(id, Update(id, path, kLine, 3, 1));
    file.records[kLine - 1].flags |= kLineCurrent;
    ASSERT_EQ(1, SetColumnDatas(id, 0x1 | 0x2, file.records.data()));
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    HWND numbers = PaneBody(panes[0]);
    HWND view = PaneBody(panes[1]);
    auto redraw = [&] {
        RedrawWindow(frame, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAll();
    };
    redraw();
    const MarkCheck shown = CheckMark(frame, view, numbers, L"srcwnd_long_file.png");
    ASSERT_GE(shown.top, 0);
    EXPECT_TRUE(shown.markOnBand);
    // Three lines down by the scroll bar: the caret stays, its line moves up, the mark with it.
    for (int i = 0; i < 3; ++i)
        SendMessageW(view, WM_VSCROLL, SB_LINEDOWN, 0);
    redraw();
    const MarkCheck scrolled = CheckMark(frame, view, numbers, L"srcwnd_long_file_scrolled.png");
    ASSERT_GE(scrolled.top, 0);
    EXPECT_NEAR(shown.top - 3 * shown.height, scrolled.top, 2);
    EXPECT_TRUE(scrolled.markOnBand);
}

namespace {
std::string g_tipAsked;
int __cdecl TipValue(const char* text, const char** result, int*) {
    g_tipAsked = text;
    static const char answer[] = "counter : 10";
    *result = answer;
    return 1;
}
} // namespace

// The mouse resting on a word asks the host for its value through the pane's tooltip.
TEST_F(SrcWndPaint, TheWordUnderTheMouseIsEvaluatedForItsTip) {
    HostState::Get().commands.Word(24) = reinterpret_cast<void*>(&TipValue);
    g_tipAsked.clear();
    const std::string path = WriteFile("tip.c", "counter = 1;\r\ncounter = 2;\r\n");
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame, 720, 380);
    ASSERT_EQ(id, Update(id, path, 1, 3, 1, "main", 0, 1023, 0));
    RedrawWindow(frame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAll();
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    HWND view = PaneBody(panes[1]);
    ScreenImage image;
    ASSERT_TRUE(image.Read(frame, L"srcwnd_tip_line.png"));
    const std::vector<int> grey = RowsOf(image, view, kHighlight, 40);
    ASSERT_FALSE(grey.empty());
    // The first ink of the highlighted line is the word's first letter.
    RECT r{};
    GetWindowRect(view, &r);
    int first = r.right;
    for (int y = grey.front(); y <= grey.back(); ++y)
        for (int x = r.left; x < first; ++x)
            if (image.At(x, y) != kHighlight && image.At(x, grey.front()) == kHighlight)
                first = x;
    ASSERT_LT(first, r.right);
    POINT at{first + 3, (grey.front() + grey.back()) / 2};
    SetCursorPos(at.x, at.y);
    ScreenToClient(view, &at);
    PostMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    RunFor(900);
    EXPECT_EQ("counter", g_tipAsked);
}

namespace {
const COLORREF kRan = RGB(0, 0xA0, 0), kNotRan = RGB(0xE0, 0, 0);

const char* __cdecl CoverageTexts(const char* name, int) {
    const std::string n = name ? name : "";
    return n == "ran" ? "12x<NL>every statement ran" : n == "not" ? "0x" : "";
}

// Pixels of the window, as the screen shows it, in the colour.
int PixelsOf(HWND window, COLORREF colour) {
    ScreenImage image;
    RECT r{};
    GetWindowRect(window, &r);
    return image.Read(window) ? image.Count(r, Rgb(colour)) : -1;
}
} // namespace

// The host's coverage records reach the coverage column, which shows each record's text in its
// colour; an update with an empty range leaves no line highlighted.
TEST_F(SrcWndPaint, TheCoverageColumnShowsTheHostsRecordsAndAnEmptyRangeNoHighlight) {
    HostState::Get().commands.Word(21) = reinterpret_cast<void*>(&CoverageTexts);
    const std::string path = CFile();
    HWND frame = nullptr;
    const int id = ShowAtCurrentLine(path, &frame);
    ASSERT_GT(id, 0);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(3u, panes.size());
    HWND coverage = PaneBody(panes[0]);
    HWND view = PaneBody(panes[2]);
    ASSERT_NE(nullptr, coverage);
    PumpAll();
    EXPECT_EQ(0, PixelsOf(coverage, kRan));

    // The column's rows from the top: the keys are the rows.
    CoverageRecord second{nullptr, 1, "not", kNotRan};
    CoverageRecord first{&second, 0, "ran", kRan};
    ASSERT_EQ(1, SetColumnDatas(id, 0x4, &first));
    PumpAll();
    EXPECT_GT(PixelsOf(coverage, kRan), 10);
    EXPECT_GT(PixelsOf(coverage, kNotRan), 10);

    ScreenImage image;
    ASSERT_TRUE(image.Read(frame));
    ASSERT_FALSE(RowsOf(image, view, kHighlight, 40).empty());
    ASSERT_EQ(id, Update(id, path, kCurrentLine, 7, 1, "main", 1, 1));
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAll();
    ASSERT_TRUE(image.Read(frame));
    EXPECT_TRUE(RowsOf(image, view, kHighlight, 40).empty());
}
