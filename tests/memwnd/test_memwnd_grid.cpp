// The grid the host fills: the interface the host receives, the cells kept from its fields, the
// selection that survives refills, and what the window shows.
#include "tests/memwnd/memwnd_fixture.h"

#include "tests/support/screen_image.h"
#include "tests/support/screenshot.h"

namespace {

TEST_F(MemWndTest, TheHostReceivesVersionThreeThirteenWithSixEntries) {
    StartMemory();
    const MemoryWindowInterface* table = MemoryWindows();
    EXPECT_EQ(3u, table->major);
    EXPECT_EQ(13u, table->minor);
    const void* entries[] = {
        reinterpret_cast<void*>(table->Create),   reinterpret_cast<void*>(table->SetCaption),
        reinterpret_cast<void*>(table->AddField), reinterpret_cast<void*>(table->SetTitle),
        reinterpret_cast<void*>(table->Repaint),  reinterpret_cast<void*>(table->Close)};
    for (const void* entry : entries)
        EXPECT_NE(nullptr, entry);
    // Nothing is stored through a null out pointer, and that is no success.
    EXPECT_EQ(0, Get<int(__cdecl*)(const MemoryWindowInterface**)>("Mem_Connect")(nullptr));
}

TEST_F(MemWndTest, TheHostFillsASixteenByEightGrid) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    MemWndState* s = view->state;
    EXPECT_GE(s->rows, 8);
    EXPECT_EQ(0u, s->flags & kMemStateNoTitle);
    for (int row = 0; row < 8; ++row) {
        for (int cell = 0; cell < 16; ++cell) {
            const MemCell* c = s->cells[row][cell];
            ASSERT_NE(nullptr, c) << row << "/" << cell;
            const uint32_t address = 0x4000 + row * 8 + (cell % 8);
            EXPECT_EQ(cell < 8 ? address : (address | kTextCellKey), c->keyLow);
            EXPECT_EQ(0u, c->keyHigh);
            EXPECT_EQ(row, c->y);
            // "00004000" and a gap of 2, then "48 " per byte, then the characters side by side.
            EXPECT_EQ(cell < 8 ? 10 + 3 * cell : 10 + 3 * 8 + 1 + (cell - 8), c->x);
            EXPECT_EQ(cell < 8 ? 2 : 1, c->length);
            EXPECT_EQ(kMemCellActive | (cell == 15 ? kMemCellLastOfRow : 0), c->flags);
        }
    }
    wchar_t caption[64] = {}, title[64] = {};
    GetWindowTextW(FrameOf(view), caption, 64);
    GetWindowTextW(static_cast<HWND>(s->title), title, 64);
    EXPECT_STREQ(L"Memory", caption);
    EXPECT_STREQ(L"Address   Byte, radix 16", title);
    EXPECT_STREQ("Address   Byte, radix 16", s->titleText);
    EXPECT_TRUE(Logged("Mem.OpenHandle()"));
    EXPECT_NE(0, SendMessageW(FrameOf(view), WM_GETICON, ICON_BIG, 0)) << "the frame's icon";
}

TEST_F(MemWndTest, TheWindowShowsTheFieldsTheSelectionAndTheTitle) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    Click(view, 2, 3, 1); // byte 0x4013, on its second digit
    ScreenImage shot;
    ASSERT_TRUE(shot.Read(FrameOf(view), L"memwnd_grid.png"));
    // The selected cell is framed in black on the grid's white background.
    const MemCell* c = view->state->cells[2][3];
    const GridMetrics m = Metrics();
    POINT corner{c->x * m.colPitch + m.leftMargin, c->y * m.rowPitch + m.topMargin};
    MapWindowPoints(Grid(view), nullptr, &corner, 1);
    EXPECT_EQ(Rgb(RGB(0, 0, 0)), shot.At(corner.x, corner.y));
    RECT grid{};
    GetClientRect(Grid(view), &grid);
    POINT blank{grid.right - 4, grid.bottom - 4}; // right of and below every field
    MapWindowPoints(Grid(view), nullptr, &blank, 1);
    EXPECT_EQ(Rgb(RGB(255, 255, 255)), shot.At(blank.x, blank.y));
}

// A host that lays out fields of every kind: not a cell, a line end that is no row end, an
// inactive cell, the attribute flags.
struct ScriptedField {
    const char* text;
    uint32_t key;
    int gap;
    uint32_t flags;
};
std::vector<ScriptedField> g_script;
std::vector<std::pair<std::string, uint32_t>> g_drawn; // text and attributes

void __cdecl ScriptedFill(void* object, int, int) {
    HostMemView* view = FindMemoryView(object);
    for (const ScriptedField& f : g_script)
        MemoryWindows()->AddField(view->state, f.text, f.key, 0, f.gap, f.flags);
}
void __cdecl RecordDraw(HWND, int32_t*, const char* text, int length, HDC, uint32_t attributes) {
    g_drawn.emplace_back(std::string(text, length), attributes);
}

class ScriptedGridTest : public MemWndTest {
protected:
    HostMemView* OpenScripted(std::vector<ScriptedField> script) {
        g_script = std::move(script);
        g_drawn.clear();
        StartMemory();
        HostMemView* view = OpenGrid();
        if (view == nullptr)
            return nullptr;
        m_fill = HostState::Get().memory.Word(10);
        m_draw = HostState::Get().memory.Word(17);
        HostState::Get().memory.Word(10) = reinterpret_cast<void*>(&ScriptedFill);
        HostState::Get().memory.Word(17) = reinterpret_cast<void*>(&RecordDraw);
        Refill(view);
        return view;
    }
    void Refill(HostMemView* view) {
        g_drawn.clear();
        MemoryWindows()->Repaint(view->state, 1);
    }
    void TearDown() override {
        if (m_fill) {
            HostState::Get().memory.Word(10) = m_fill;
            HostState::Get().memory.Word(17) = m_draw;
        }
        MemWndTest::TearDown();
    }
    void* m_fill = nullptr;
    void* m_draw = nullptr;
};

TEST_F(ScriptedGridTest, FieldsBecomeCellsLinesAndRowsAsTheirFlagsSay) {
    using namespace MemField;
    HostMemView* view = OpenScripted({
        {"ADDR", 1, 2, notCell},                   // x 0..4, no cell
        {"AA", 0x10, 1, 0},                        // row 0 cell 0 at x 6
        {"BB", 0x11, 1, inactive | mark8},         // cell 1 at x 9, inactive
        {"note", 0, 0, notCell | endOfRow},        // ends line 0, not grid row 0
        {"CC", 0x12, 0, endOfRow | attr40},        // row 0 cell 2 on line 1, ends the row
        {"DD", 0x20, 3, mark16 | attr20 | attr40}, // row 1 cell 0 on line 2
        {"EE", 0x21, 0, endOfRow | attr80},
    });
    ASSERT_NE(nullptr, view);
    const MemWndState* s = view->state;
    struct Expect {
        int row, cell;
        uint32_t key;
        int x, y;
        uint32_t flags;
    };
    const Expect expected[] = {
        {0, 0, 0x10, 6, 0, kMemCellActive},
        {0, 1, 0x11, 9, 0, 0},
        {0, 2, 0x12, 0, 1, kMemCellActive | kMemCellLastOfRow},
        {1, 0, 0x20, 0, 2, kMemCellActive},
        {1, 1, 0x21, 5, 2, kMemCellActive | kMemCellLastOfRow},
    };
    for (const Expect& e : expected) {
        const MemCell* c = s->cells[e.row][e.cell];
        ASSERT_NE(nullptr, c) << e.row << "/" << e.cell;
        EXPECT_EQ(e.key, c->keyLow);
        EXPECT_EQ(e.x, c->x) << e.key;
        EXPECT_EQ(e.y, c->y) << e.key;
        EXPECT_EQ(e.flags, c->flags) << e.key;
        EXPECT_EQ(2, c->length);
    }
    const std::vector<std::pair<std::string, uint32_t>> drawn = {
        {"ADDR", 0}, {"AA", 0}, {"BB", 2}, {"note", 0}, {"CC", 0x20}, {"DD", 0x12}, {"EE", 0x40}};
    EXPECT_EQ(drawn, g_drawn);
    // A click finds a cell by the line it stands on, not by its grid row: CC is row 0's cell on
    // line 1, DD row 1's on line 2.
    ClearLog();
    Click(view, 0, 2, 0);
    Click(view, 1, 0, 1);
    EXPECT_EQ((std::vector<std::string>{"Mem.RequestRows(18, 1, 0)", "Mem.RequestRows(32, 1, 1)"}),
              Since("Mem.RequestRows"));
}

TEST_F(ScriptedGridTest, ASecondRefillWithFewerCellsLeavesNoStaleCells) {
    using namespace MemField;
    HostMemView* view = OpenScripted(
        {{"AA", 1, 1, 0}, {"BB", 2, 1, 0}, {"CC", 3, 0, endOfRow}, {"DD", 4, 0, endOfRow}});
    ASSERT_NE(nullptr, view);
    Click(view, 1, 0, 0);
    EXPECT_EQ(1, view->state->selRow);
    // The host now shows a single short row: the old second row's cell is gone and a click
    // where it stood selects nothing.
    g_script = {{"AA", 1, 0, endOfRow}};
    Refill(view);
    ClearLog();
    const GridMetrics m = Metrics();
    SendMessageW(Grid(view), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(m.leftMargin + 1, m.topMargin + m.rowPitch + 2));
    EXPECT_TRUE(Since("Mem.RequestRows").empty());
    // A click on the third cell of row 0, which this refill did not give either.
    SendMessageW(Grid(view), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(m.leftMargin + 7 * m.colPitch, m.topMargin + 2));
    EXPECT_TRUE(Since("Mem.RequestRows").empty());
}

TEST_F(ScriptedGridTest, ARefillWithoutCellsLeavesTheSelectionWhereItWas) {
    using namespace MemField;
    HostMemView* view = OpenScripted({{"AA", 1, 1, 0}, {"BB", 2, 0, endOfRow}});
    ASSERT_NE(nullptr, view);
    Click(view, 0, 1, 0);
    EXPECT_EQ(1, view->state->selCell);
    g_script = {{"only text", 0, 0, notCell | endOfRow}};
    ClearLog();
    Refill(view);
    EXPECT_EQ(1, view->state->selCell);
    EXPECT_EQ(0, view->state->selRow);
    EXPECT_TRUE(Since("Mem.RequestRows").empty());
}

TEST_F(ScriptedGridTest, TheSelectionSurvivesARefillByItsKey) {
    using namespace MemField;
    HostMemView* view = OpenScripted({{"AA", 1, 1, 0}, {"BB", 2, 0, endOfRow}});
    ASSERT_NE(nullptr, view);
    Click(view, 0, 1, 0);
    ClearLog();
    Refill(view); // same key in the selected slot: the host is not asked again
    EXPECT_TRUE(Since("Mem.RequestRows").empty());
    g_script = {{"AA", 5, 1, 0}, {"BB", 6, 0, endOfRow}};
    Refill(view); // the slot holds another address now
    EXPECT_EQ(std::vector<std::string>{"Mem.RequestRows(6, 1, 0)"}, Since("Mem.RequestRows"));
    // Row 0 shrinks below the selected index: the selection is clamped onto its last cell.
    g_script = {{"AA", 7, 0, endOfRow}};
    ClearLog();
    Refill(view);
    EXPECT_EQ(0, view->state->selCell);
    EXPECT_EQ(std::vector<std::string>{"Mem.RequestRows(7, 1, 0)"}, Since("Mem.RequestRows"));
}

TEST_F(ScriptedGridTest, CellsPastTheTableAreDrawnButNotKept) {
    std::vector<ScriptedField> wide;
    for (int i = 0; i < kMemMaxCells + 20; ++i)
        wide.push_back({"x", static_cast<uint32_t>(i), 0, 0}); // one row with no last-of-row cell
    wide.push_back({"y", 9999, 0, MemField::endOfRow});
    HostMemView* view = OpenScripted(wide);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(wide.size(), g_drawn.size());
    EXPECT_EQ(static_cast<uint32_t>(kMemMaxCells - 1),
              view->state->cells[0][kMemMaxCells - 1]->keyLow);
    EXPECT_NE(nullptr, view->state->cellPool) << "the block after the table is intact";
    // The walk over a row that never ends stops at the table's edge.
    Click(view, 0, kMemMaxCells - 1, 0);
    Key(view, VK_TAB);
    EXPECT_EQ(kMemMaxCells - 1, view->state->selCell);
}

TEST_F(MemWndTest, EntriesNamingNoWindowAnswerZero) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    const MemoryWindowInterface* t = MemoryWindows();
    MemWndState foreign{};
    for (MemWndState* s : {static_cast<MemWndState*>(nullptr), &foreign}) {
        EXPECT_EQ(0, t->SetCaption(s, "x"));
        EXPECT_EQ(0, t->AddField(s, "x", 1, 0, 0, 0));
        EXPECT_EQ(0, t->SetTitle(s, "x"));
        EXPECT_EQ(0, t->Repaint(s, 1));
        EXPECT_EQ(0, t->Close(s));
    }
    // A field added outside a refill is not drawn and makes no cell.
    const uint32_t key = view->state->cells[0][0]->keyLow;
    EXPECT_EQ(0, t->AddField(view->state, "ZZ", 77, 0, 0, 0));
    EXPECT_EQ(key, view->state->cells[0][0]->keyLow);
    EXPECT_EQ(0, view->state->x);
    // A long title is cut to 99 bytes and ended.
    const std::string longTitle(300, 'T');
    EXPECT_EQ(0, t->SetTitle(view->state, longTitle.c_str()));
    EXPECT_EQ(std::string(99, 'T'), std::string(view->state->titleText));
}

TEST_F(MemWndTest, AFailedCreateLeavesNothingBehind) {
    StartMemory();
    const MemoryWindowInterface* t = MemoryWindows();
    MemWndState* out = reinterpret_cast<MemWndState*>(1);
    // No position record: no frame can be opened.
    MemoryViews().push_back(std::unique_ptr<HostMemView>(new HostMemView));
    EXPECT_EQ(0, t->Create(MemoryViews().back().get(), 8, 40, &out, nullptr));
    EXPECT_EQ(nullptr, out);
    EXPECT_TRUE(Logged("Mem.ReleaseHandle(ptr)"));
}

TEST_F(MemWndTest, WithoutAPlacementTheWindowIsSizedForItsGrid) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    const HostPlacement p = HostState::Get().placements[&view->position];
    const GridMetrics m = Metrics();
    EXPECT_EQ(0x11, p.flags);
    EXPECT_EQ(kDefaultPlacementCoordinate, p.x);
    EXPECT_EQ(44 * m.colPitch + 2 * m.leftMargin + 4 * GetSystemMetrics(SM_CXFRAME) +
                  GetSystemMetrics(SM_CXVSCROLL),
              p.width);
    EXPECT_EQ(9 * m.rowPitch + 3 * m.topMargin + 3 * GetSystemMetrics(SM_CYFRAME) +
                  GetSystemMetrics(SM_CYCAPTION),
              p.height);
}

TEST_F(MemWndTest, ACreateBeforeStartUpIsRefusedAndLeavesNothing) {
    Load();
    ASSERT_NE(nullptr, ConnectMemoryWindows(m_module));
    EXPECT_EQ(nullptr, OpenMemoryView(0x4000, 8, 44));
    EXPECT_TRUE(Since("Mem.OpenHandle").empty());
    ASSERT_EQ(1, Call("StartApp"));
    m_started = true;
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    EXPECT_GE(view->state->rows, 8);
}

TEST_F(MemWndTest, AFontChangeMeasuresTheGridAgain) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    const int rows = view->state->rows;
    LOGFONTW big{};
    big.lfHeight = -26;
    wcscpy(big.lfFaceName, L"Courier New");
    HFONT font = CreateFontIndirectW(&big);
    Get<void(__cdecl*)(HFONT, HFONT)>("GUIChangeFont")(font, nullptr);
    PumpAll();
    EXPECT_LT(view->state->rows, rows);
    EXPECT_GT(view->state->rows, 0);
    DeleteObject(font);
}

} // namespace
