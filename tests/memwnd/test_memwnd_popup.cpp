// The popup menu the host builds with the window's check states, the commands it dispatches,
// and the property records of drags out of the grid.
#include "tests/memwnd/memwnd_fixture.h"

namespace {

void CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

// Opens the popup over a cell and ends it at once; the menu the host built.
std::string OpenPopup(HWND grid) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &EndOpenMenu);
    SendMessageW(grid, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    KillTimer(nullptr, timer);
    return LastMemoryMenu();
}

bool Has(const std::string& menu, const std::string& item) {
    return (";" + menu).find(";" + item + ";") != std::string::npos;
}

TEST_F(MemWndTest, ThePopupChecksTheFormatRadixAndModesAndGreysWhatCannotRun) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    std::string menu = OpenPopup(Grid(view));
    for (const char* item : {"&Modify ...|default", "&Byte|checked", "&Hexadecimal|checked",
                             "&Decimal", "&Long", "Bac&k|gray", "F&ollow|gray", "&Based Mode",
                             "Auto &Update", "&Home", "S&earch Memory ..."})
        EXPECT_TRUE(Has(menu, item)) << item << " in " << menu;
    EXPECT_TRUE(Logged("BuildMemPopupMenu(1)"));
    // Pointer format, decimal, both modes, somewhere to go back to.
    for (int command : {326, 35, 114, 110, 138})
        SendMessageW(Grid(view), WM_COMMAND, command, 0);
    menu = OpenPopup(Grid(view));
    for (const char* item : {"F&ollow", "Bac&k", "&Decimal|checked", "&Hexadecimal", "&Byte",
                             "&Based Mode|checked", "Auto &Update|checked"})
        EXPECT_TRUE(Has(menu, item)) << item << " in " << menu;
}

TEST_F(MemWndTest, CtrlEnterOpensThePopupAtTheSelectedCell) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    Click(view, 0, 1, 0);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &EndOpenMenu);
    ClearLog();
    SendMessageW(Grid(view), WM_KEYDOWN, VK_RETURN, 0);
    KillTimer(nullptr, timer);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(Logged("BuildMemPopupMenu(1)"));
    EXPECT_FALSE(Logged("Mem.Modify()"));
}

struct CommandCase {
    int command;
    int format; // the window's format before the command
    std::vector<std::string> expected;
};

const CommandCase kCommands[] = {
    // Rows of fewer cells: the selection is clamped onto the row's last (the text) cell.
    {90, MemFormat::byte, {"Mem.SetDisplayFormat(90, 16, 0)", "Mem.RequestRows(2147500032, 0, 0)"}},
    {328,
     MemFormat::byte,
     {"Mem.SetDisplayFormat(328, 16, 0)", "Mem.RequestRows(2147500032, 0, 0)"}},
    {35, MemFormat::word, {"Mem.SetDisplayFormat(166, 10, 0)"}},
    {200, MemFormat::byte, {"Mem.SetDisplayFormat(21, 2, 0)"}},
    {201, MemFormat::byte, {"Mem.SetDisplayFormat(21, 8, 0)"}},
    {110, MemFormat::byte, {"Mem.SetDisplayFormat(21, 16, 2)"}},
    {114, MemFormat::byte, {"Mem.SetDisplayFormat(21, 16, 1)"}},
    {2, MemFormat::byte, {"Mem.StartAddress()"}},
    {113, MemFormat::byte, {"Mem.Fill()"}},
    {121, MemFormat::byte, {"Mem.Search()"}},
    {161, MemFormat::byte, {"Mem.Modify()"}},
    {46, MemFormat::byte, {"Mem.Back()"}},
    {87, MemFormat::byte, {"Mem.Reload()"}},
    {124, MemFormat::byte, {"Mem.Replace()"}},
    {138, MemFormat::byte, {"Mem.GotoExpression(null)", "Mem.RequestRows(16384, 1, 0)"}},
    {168,
     MemFormat::byte,
     {"Mem.SelectAddress(16387)", "Mem.SubmitText(ptr, \"0x00004003\", 0, 2, -1)"}},
    {10,
     MemFormat::byte,
     {"Mem.SelectAddress(16387)", "ExecuteRequest([8/0x200 s0=5], \"0x00004003\", 1, 0, 0)"}},
    {64,
     MemFormat::near32,
     {"Mem.GetCellText(16387)", "Mem.GetAsmContext()", "AppendText(5, \"ASM(main:202C6F6C)\")",
      "Mem.GotoExpression(\"ASM(main:202C6F6C)\")"}},
    {64, MemFormat::longWord, {"Mem.GetCellText(16387)", "Mem.GotoExpression(\"202C6F6C\")"}},
    {999, MemFormat::byte, {}},
};

class MemWndCommand : public MemWndTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(MemWndCommand, ReachesTheHostAsTheseCalls) {
    const CommandCase& c = GetParam();
    StartMemory();
    HostMemView* view = OpenGrid(c.format);
    ASSERT_NE(nullptr, view);
    // The selection on the unit at 0x4003.
    const int cell = MemFormat::byte == c.format ? 3 : 0;
    if (c.format != MemFormat::byte) {
        view->top = 0x4003;
        MemoryWindows()->Repaint(view->state, 1);
    }
    Click(view, 0, cell, 0);
    ClearLog();
    SendMessageW(Grid(view), WM_COMMAND, c.command, 0);
    PumpAll();
    std::vector<std::string> got;
    for (const std::string& line : Lines())
        if (line.rfind("Mem.", 0) == 0 || line.rfind("Execute", 0) == 0 ||
            line.rfind("AppendText", 0) == 0)
            if (line.rfind("Mem.FillWindow", 0) != 0)
                got.push_back(line);
    EXPECT_EQ(c.expected, got) << c.command;
}

INSTANTIATE_TEST_SUITE_P(Table, MemWndCommand, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<CommandCase>& info) {
                             return "Command" + std::to_string(info.param.command) + "_" +
                                    std::to_string(info.index);
                         });

TEST_F(MemWndTest, FormatRadixAndBasedModeChangeWhatTheGridShows) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    SendMessageW(Grid(view), WM_COMMAND, 90, 0); // longs: two value cells and the text
    PumpAll();
    EXPECT_EQ(8, view->state->cells[0][0]->length);
    EXPECT_EQ(0x6C6C6548u, std::stoul(FormatUnit(*view, 0x4000), nullptr, 16));
    EXPECT_EQ(kMemCellLastOfRow, view->state->cells[0][2]->flags) << "the inactive text cell";
    SendMessageW(Grid(view), WM_COMMAND, 35, 0); // decimal
    PumpAll();
    EXPECT_EQ(10, view->state->cells[0][0]->length);
    SendMessageW(Grid(view), WM_COMMAND, 114, 0); // based: the scroll bar's arrows go grey
    SCROLLBARINFO info{sizeof info};
    GetScrollBarInfo(Grid(view), OBJID_VSCROLL, &info);
    EXPECT_NE(0u, info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    SendMessageW(Grid(view), WM_COMMAND, 114, 0);
    GetScrollBarInfo(Grid(view), OBJID_VSCROLL, &info);
    EXPECT_EQ(0u, info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
}

struct DragCase {
    int format, radix, cell; // cell -1: the address column
    int kind;
    std::vector<std::string> properties; // key=value in order
    const char* dragType;
};

const DragCase kDrags[] = {
    {MemFormat::byte,
     16,
     3,
     13,
     {"ADDRESS=0x00004003", "LANGUAGE=ASM", "ID=0", "FORMAT=HEX", "TYPE=unsigned char", "SIZE=1",
      "VALUE=6C", "NAME=6C", "TEXT=6C", "ROW=0", "COL=3"},
     "MemWndValue"},
    {MemFormat::byte,
     16,
     11,
     13,
     {"ADDRESS=0x00004003", "LANGUAGE=ASM", "ID=0", "FORMAT=ASCII:15", "TYPE=unsigned char",
      "SIZE=15", "VALUE=l", "NAME=l", "TEXT=l", "ROW=0", "COL=11"},
     "MemWndValue"},
    {MemFormat::byte,
     16,
     -1,
     10,
     {"ADDRESS=0x00004000", "LANGUAGE=ASM", "ID=0", "FORMAT=HEX", "TYPE=unsigned char", "SIZE=1",
      "NAME=0x00004000", "TEXT=0x00004000"},
     "MemWndAddress"},
    {MemFormat::far16,
     16,
     0,
     13,
     {"ADDRESS=0x00004000", "LANGUAGE=ASM", "ID=0", "FORMAT=HEX", "TYPE=unsigned char far16 *",
      "SIZE=4", "POINTER=DEFINED", "VALUE=6C6C:6548", "NAME=6C6C:6548", "TEXT=6C6C:6548", "ROW=0",
      "COL=0"},
     "MemWndValue"},
    {MemFormat::doubleFloat,
     10,
     0,
     13,
     {"ADDRESS=0x00004000", "LANGUAGE=ASM", "ID=0", "FORMAT=DEC", "TYPE=double", "SIZE=8"},
     "MemWndValue"},
};

class MemWndDrag : public MemWndTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(MemWndDrag, DescribesWhatIsDragged) {
    const DragCase& c = GetParam();
    StartMemory();
    HostMemView* view = OpenGrid(c.format, c.radix);
    ASSERT_NE(nullptr, view);
    ClearLog();
    if (c.cell >= 0) {
        Click(view, 0, c.cell, 0);
    } else {
        const GridMetrics m = Metrics();
        SendMessageW(Grid(view), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(m.leftMargin + 2 * m.colPitch, m.topMargin + 2));
    }
    std::vector<std::string> properties;
    for (const HostCall& call : CallLog::Get().Calls()) {
        auto unquote = [](std::string s) {
            return s.size() >= 2 && s[0] == '"' ? s.substr(1, s.size() - 2) : s;
        };
        if (call.name == "DD.AddString" || call.name == "DD.AddInteger")
            properties.push_back(unquote(call.args[1]) + "=" + unquote(call.args[2]));
    }
    if (c.format == MemFormat::doubleFloat)
        properties.resize(6); // the value's text is the host's float formatting
    EXPECT_EQ(c.properties, properties);
    const int id = static_cast<int>(reinterpret_cast<intptr_t>(view));
    EXPECT_TRUE(Logged("DD.BeginRecord(" + std::to_string(c.kind) + ")"));
    EXPECT_TRUE(
        Logged("DD.StartDrag(\"MemWnd\", " + std::to_string(id) + ", \"" + c.dragType + "\")"));
}

INSTANTIATE_TEST_SUITE_P(Table, MemWndDrag, ::testing::ValuesIn(kDrags),
                         [](const ::testing::TestParamInfo<DragCase>& info) {
                             return "Drag" + std::to_string(info.index);
                         });

TEST_F(MemWndTest, TheGridRegistersWithTheServiceAsMemWndAndLeavesIt) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    const std::string id = std::to_string(static_cast<int>(reinterpret_cast<intptr_t>(view)));
    EXPECT_TRUE(Logged("DD.RegisterDropTarget(\"MemWnd\", " + id + ")"));
    EXPECT_TRUE(Logged("DD.RegisterDragSource(\"MemWnd\", " + id + ")"));
    HostState::Get().options.busy = true; // a busy host still hears the window leave
    CloseMemoryView(view);
    HostState::Get().options.busy = false;
    EXPECT_TRUE(Logged("DD.UnregisterDropTarget(\"MemWnd\", " + id + ")"));
    EXPECT_TRUE(Logged("DD.UnregisterDragSource(\"MemWnd\", " + id + ")"));
}

} // namespace
