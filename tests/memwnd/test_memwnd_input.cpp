// Mouse, keys, characters and the scroll bar as the host sees them: the edits, selection
// requests and scroll steps each gives in the formats that treat them differently.
#include "tests/memwnd/memwnd_fixture.h"

namespace {

// One scripted input: a character ("c"), a key ("k") or a double click ("d").
struct Input {
    char kind;
    unsigned code;
};
struct InputCase {
    const char* name;
    int format, radix;
    int row, cell, offset; // where the click puts the caret first
    std::vector<Input> inputs;
    std::vector<std::string> expected; // what the host receives, click included
};

const uint32_t kText = kTextCellKey | 0x4000; // the first character cell's key

const InputCase kCases[] = {
    {"hex digits edit the byte and move on at its end",
     MemFormat::byte,
     16,
     0,
     0,
     0,
     {{'c', 'A'}, {'c', 'b'}},
     {"Mem.RequestRows(16384, 1, 0)", "Mem.EditCell(0, 65, 16384, 0, 0)",
      "Mem.EditCell(1, 98, 16384, 0, 0)", "Mem.RequestRows(16385, 1, 0)"}},
    {"a digit outside the radix is refused",
     MemFormat::byte,
     16,
     0,
     0,
     0,
     {{'c', 'g'}},
     {"Mem.RequestRows(16384, 1, 0)"}},
    {"binary longs take 0 and 1 only",
     MemFormat::longWord,
     2,
     0,
     0,
     0,
     {{'c', 'A'}, {'c', '2'}, {'c', '1'}},
     {"Mem.RequestRows(16384, 1, 0)", "Mem.EditCell(0, 49, 16384, 0, 0)"}},
    {"octal words stop at 7",
     MemFormat::word,
     8,
     0,
     0,
     0,
     {{'c', '8'}, {'c', '7'}},
     {"Mem.RequestRows(16384, 1, 0)", "Mem.EditCell(0, 55, 16384, 0, 0)"}},
    {"doubles take exponents and signs",
     MemFormat::doubleFloat,
     10,
     0,
     0,
     0,
     {{'c', 'x'}, {'c', '-'}, {'c', 'e'}},
     {"Mem.RequestRows(16384, 1, 0)", "Mem.EditCell(0, 45, 16384, 0, 0)",
      "Mem.EditCell(1, 101, 16384, 0, 0)"}},
    {"far pointers never rest on the separator",
     MemFormat::far16,
     16,
     0,
     0,
     4,
     {{'k', VK_LEFT}, {'k', VK_RIGHT}, {'k', VK_BACK}},
     {"Mem.RequestRows(16384, 1, 5)", "Mem.EditCell(3, 48, 16384, 0, 0)"}},
    {"a character cell takes any printable character",
     MemFormat::byte,
     16,
     0,
     8,
     0,
     {{'c', 8}, {'c', 'Z'}},
     {"Mem.RequestRows(" + std::to_string(kText) + ", 1, 0)",
      "Mem.EditCell(0, 90, " + std::to_string(kText) + ", 0, 1)",
      "Mem.RequestRows(" + std::to_string(kText + 1) + ", 1, 0)"}},
    {"escape and delete reset the digit under the caret",
     MemFormat::byte,
     16,
     0,
     1,
     0,
     {{'k', VK_ESCAPE}, {'k', VK_DELETE}},
     {"Mem.RequestRows(16385, 1, 0)", "Mem.EditCell(0, 0, 16385, 0, 0)",
      "Mem.EditCell(0, 48, 16385, 0, 0)"}},
    {"tab keeps the caret, left at 0 goes back a cell",
     MemFormat::byte,
     16,
     1,
     2,
     1,
     {{'k', VK_TAB}, {'k', VK_LEFT}, {'k', VK_LEFT}},
     {"Mem.RequestRows(16394, 1, 1)", "Mem.RequestRows(16395, 1, 1)",
      "Mem.RequestRows(16394, 1, 1)"}},
    {"a click past the last character lands on it",
     MemFormat::longWord,
     16,
     0,
     0,
     8,
     {},
     {"Mem.RequestRows(16384, 1, 7)"}},
    {"up on the top row scrolls, down moves a row",
     MemFormat::byte,
     16,
     0,
     3,
     0,
     {{'k', VK_DOWN}, {'k', VK_UP}, {'k', VK_UP}},
     {"Mem.RequestRows(16387, 1, 0)", "Mem.RequestRows(16395, 1, 0)",
      "Mem.RequestRows(16387, 1, 0)", "Mem.AutoScroll(1, 1)", "Mem.RequestRows(16379, 1, 0)"}},
    {"enter and a double click modify, other keys are the host's",
     MemFormat::byte,
     16,
     0,
     0,
     0,
     {{'k', VK_RETURN}, {'d', 0}, {'k', VK_F5}},
     {"Mem.RequestRows(16384, 1, 0)", "Mem.Modify()", "Mem.Modify()", "HostKey(116)"}},
};

class MemWndInput : public MemWndTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(MemWndInput, GivesTheHostTheseCalls) {
    const InputCase& c = GetParam();
    StartMemory();
    HostMemView* view = OpenGrid(c.format, c.radix);
    ASSERT_NE(nullptr, view);
    ClearLog();
    Click(view, c.row, c.cell, c.offset);
    for (const Input& input : c.inputs) {
        if (input.kind == 'c')
            Char(view, static_cast<wchar_t>(input.code));
        else if (input.kind == 'k')
            Key(view, input.code);
        else
            SendMessageW(Grid(view), WM_LBUTTONDBLCLK, 0, 0);
    }
    std::vector<std::string> got;
    for (const std::string& line : Lines())
        for (const char* prefix :
             {"Mem.EditCell", "Mem.RequestRows", "Mem.AutoScroll", "Mem.Modify", "HostKey"})
            if (line.rfind(prefix, 0) == 0)
                got.push_back(line);
    EXPECT_EQ(c.expected, got) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, MemWndInput, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<InputCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST_F(MemWndTest, TypedDigitsChangeTheTargetAndTheNextRefillShowsThem) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    Click(view, 0, 2, 0);
    Char(view, 'F');
    Char(view, '0');
    EXPECT_EQ(0xF0, TargetMemory()[0x4002]);
    Click(view, 0, 8, 0);
    Char(view, 'Q');
    EXPECT_EQ('Q', TargetMemory()[0x4000]);
    EXPECT_EQ("F0", FormatUnit(*view, 0x4002));
    EXPECT_TRUE(Logged("Mem.FillWindow(" + std::to_string(view->state->rows) + ", " +
                       std::to_string(view->state->columns) + ")"));
}

TEST_F(MemWndTest, PagingAndTheScrollBarStepThroughTheHost) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    const int rows = view->state->rows;
    ClearLog();
    Key(view, VK_NEXT);
    EXPECT_TRUE(Logged("Mem.AutoScroll(" + std::to_string(rows - 1) + ", 2)"));
    EXPECT_EQ(0x4000u + 8u * (rows - 1), view->top);
    // A scroll-bar click with no button held scrolls nothing, but the thumb returns to 50 and
    // the host hears of the selection again.
    SetScrollPos(Grid(view), SB_VERT, 80, FALSE);
    ClearLog();
    SendMessageW(Grid(view), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(Since("Mem.AutoScroll").empty());
    EXPECT_EQ(1u, Since("Mem.RequestRows").size());
    EXPECT_EQ(50, GetScrollPos(Grid(view), SB_VERT));
    SendMessageW(Grid(view), WM_VSCROLL, SB_THUMBTRACK, 0);
    EXPECT_EQ(1u, Since("Mem.RequestRows").size()) << "a thumb drag scrolls no lines";
}

void Wheel(const HostMemView* view, int delta) {
    SendMessageW(static_cast<HWND>(view->state->grid), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
}

// The wheel scrolls through the host as the scroll bar's steps do, by the user's lines a notch
// (no button needs holding), and the parts of a notch that a fine wheel sends add up.
TEST_F(MemWndTest, TheWheelScrollsTheUsersLinesANotch) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0 || lines == WHEEL_PAGESCROLL)
        GTEST_SKIP() << "the user's wheel setting scrolls no lines";
    const std::string step = std::to_string(lines);
    const uint32_t top = view->top;
    SetScrollPos(Grid(view), SB_VERT, 80, FALSE);
    ClearLog();
    Wheel(view, -WHEEL_DELTA);
    EXPECT_EQ(std::vector<std::string>{"Mem.AutoScroll(" + step + ", 2)"}, Since("Mem.AutoScroll"));
    EXPECT_EQ(top + 8 * lines, view->top);
    ASSERT_FALSE(Since("Mem.RequestRows").empty());
    EXPECT_EQ("Mem.RequestRows(" + std::to_string(view->top) + ", 1, 0)",
              Since("Mem.RequestRows").back())
        << "the host hears of the selected cell again";
    EXPECT_EQ(50, GetScrollPos(Grid(view), SB_VERT));
    ClearLog();
    Wheel(view, -WHEEL_DELTA / 2);
    EXPECT_TRUE(Since("Mem.AutoScroll").empty()) << "half a notch scrolls nothing yet";
    Wheel(view, -WHEEL_DELTA / 2);
    Wheel(view, 2 * WHEEL_DELTA);
    EXPECT_EQ((std::vector<std::string>{"Mem.AutoScroll(" + step + ", 2)",
                                        "Mem.AutoScroll(" + std::to_string(2 * lines) + ", 1)"}),
              Since("Mem.AutoScroll"));
    EXPECT_EQ(top, view->top);
    // Half a notch one way is forgotten when the wheel turns back.
    ClearLog();
    Wheel(view, WHEEL_DELTA / 2);
    Wheel(view, -WHEEL_DELTA);
    EXPECT_EQ(std::vector<std::string>{"Mem.AutoScroll(" + step + ", 2)"}, Since("Mem.AutoScroll"));
}

// The left button pressed and released by real input, over a spot of the grid without fields.
void PressLeft(HWND grid, bool down) {
    RECT client{};
    GetClientRect(grid, &client);
    POINT p{client.right - 3, client.bottom - 3};
    ClientToScreen(grid, &p);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (p.x * 65535 + cx / 2) / (cx - 1);
    input.mi.dy = (p.y * 65535 + cy / 2) / (cy - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                       (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &input, sizeof input);
    for (int i = 0; i < 20 && ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) != down; ++i)
        Sleep(10);
}

TEST_F(MemWndTest, TheScrollBarStepsOnlyWhileTheButtonIsHeld) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    PressLeft(Grid(view), true);
    if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
        GTEST_SKIP() << "the display takes no injected input";
    ClearLog();
    SendMessageW(Grid(view), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(Grid(view), WM_VSCROLL, SB_PAGEUP, 0);
    PressLeft(Grid(view), false);
    PumpAll();
    SendMessageW(Grid(view), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ((std::vector<std::string>{"Mem.AutoScroll(1, 2)",
                                        "Mem.AutoScroll(" + std::to_string(view->state->rows - 1) +
                                            ", 1)"}),
              Since("Mem.AutoScroll"));
    EXPECT_EQ(50, GetScrollPos(Grid(view), SB_VERT));
}

TEST_F(MemWndTest, ABusyHostHearsNothingOfTheUsersInput) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    HostState::Get().options.busy = true;
    ClearLog();
    Click(view, 1, 1, 0);
    Key(view, VK_DOWN);
    Char(view, '5');
    SendMessageW(Grid(view), WM_VSCROLL, SB_PAGEDOWN, 0);
    Wheel(view, -WHEEL_DELTA);
    SendMessageW(Grid(view), WM_LBUTTONDBLCLK, 0, 0);
    SendMessageW(Grid(view), WM_RBUTTONDOWN, 0, 0);
    HostState::Get().options.busy = false;
    for (const std::string& line : Lines())
        EXPECT_NE(0u, line.rfind("Mem.", 0)) << line;
}

} // namespace
